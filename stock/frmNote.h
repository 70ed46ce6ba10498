#pragma once

// The notes list's window in the workspace (TfrmNote, caption "Заметки").

#include "stock/_frmNote.h"
#include "views/KVListHost.h"

class TfrmNote : public TKVBookHost<T_frmNote> {
    Q_OBJECT
public:
    explicit TfrmNote(QWidget* AParent = nullptr);
};

// Opens a new notes window; nullptr without a main window.
TfrmNote* OpenRBNote();
