#pragma once

// The unit book on a real main window and a real database: the fixture of the list windows and
// cards with the unit book's window and cards.

#include "tests/views/ViewsTestSupport.h"

#include "refbooks/frmUnit.h"
#include "refbooks/frmUnitEdit.h"

class TRefBookTest : public TViewsTest {
protected:
    TfrmUnit* OpenHost() {
        DB();
        TfrmUnit* host = OpenRBUnit();
        EXPECT_NE(host, nullptr);
        return host;
    }

    // The open unit cards.
    std::vector<TfrmUnitEdit*> Cards() { return Main().FindMDIChildren<TfrmUnitEdit>(); }
};
