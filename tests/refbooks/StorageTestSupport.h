#pragma once

// The storage-place book on a real main window and database: rows written straight into
// T_STORAGE and T_ELEMENT_AVAIL, the tree a frame shows written as one line, and the view
// chooser answered from a timer.

#include "tests/refbooks/RefBooksTestSupport.h"

#include "refbooks/frmStorage.h"
#include "refbooks/frmStorageEdit.h"

class TStorageBookTest : public TRefBookTest {
protected:
    void SetUp() override {
        TRefBookTest::SetUp();
        FViewCountItems = ::ViewCountItems;
        // New places get IDs from 1001 on, clear of those the tests insert.
        NewDB().Exec(QStringLiteral("ALTER SEQUENCE GEN_T_STORAGE_ID RESTART WITH 1000"));
    }
    void TearDown() override {
        TRefBookTest::TearDown();
        ::ViewCountItems = FViewCountItems;
    }

    // A place; AIconId < 0 and an empty cell list are stored as NULL.
    void AddStorage(quint32 AId, quint32 AParentId, const QString& AName, int AIconId = -1,
                    const QString& ACellList = QString()) {
        DB().Exec(QStringLiteral("INSERT INTO T_STORAGE (ID, PARENTID, S_NAME, S_CELLLIST, ICONID, "
                                 "V_FLAG, C_TIMESTAMP) VALUES (%1, %2, '%3', %4, %5, 0, "
                                 "'2024-03-01 10:00:00')")
                      .arg(AId)
                      .arg(AParentId == 0 ? QStringLiteral("NULL") : QString::number(AParentId))
                      .arg(AName)
                      .arg(ACellList.isEmpty() ? QStringLiteral("NULL")
                                               : QStringLiteral("'%1'").arg(ACellList))
                      .arg(AIconId < 0 ? QStringLiteral("NULL") : QString::number(AIconId)));
    }
    // A stock record in place AStorageId.
    void AddStock(quint32 AStorageId) {
        DB().Exec(QStringLiteral("INSERT INTO T_ELEMENT_AVAIL (STORAGEID, S_TYPENAME, V_FLAG) "
                                 "VALUES (%1, 'КТ315', 0)")
                      .arg(AStorageId));
    }
    // The place chosen for emptied stock records, as the options dialog stores it.
    void ChooseStorageForEmpty(quint32 AId, const QString& AName) {
        DB();
        ASSERT_TRUE(dmMain->SaveStorageForEmpty(AId, AName));
    }
    int CountOf(const QString& ATable, const QString& AWhere = QStringLiteral("1 = 1")) {
        return Scalar(QStringLiteral("SELECT COUNT(*) FROM %1 WHERE %2").arg(ATable, AWhere))
            .toInt();
    }

    TfrmStorage* OpenStorageHost() {
        DB();
        TfrmStorage* host = OpenRBStorage();
        EXPECT_NE(host, nullptr);
        return host;
    }

    // The tree as "A (2)[B, C[D]], E": node texts, children in brackets.
    static QString TreeText(const T_frmStorage* AFrame) {
        return NodesText(AFrame->TreeModel()->TopLevel());
    }
    static QString NodesText(const std::vector<TKVTreeNode*>& ANodes) {
        QStringList texts;
        for (const TKVTreeNode* node : ANodes) {
            QString text = node->Text();
            if (!node->Children.empty())
                text += u'[' + NodesText(node->Children) + u']';
            texts << text;
        }
        return texts.join(QStringLiteral(", "));
    }

    // Selects the place's node, as a click does.
    static void Select(T_frmStorage* AFrame, quint32 AId) {
        AFrame->SelectRecord(0, AId);
        ASSERT_TRUE(AFrame->SelectedItemDBData().Select);
        ASSERT_EQ(AFrame->SelectedItemDBData().Id, AId);
    }

    std::vector<TfrmStorageEdit*> StorageCards() {
        return Main().FindMDIChildren<TfrmStorageEdit>();
    }

private:
    bool FViewCountItems = true;
};
