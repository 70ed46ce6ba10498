// The storage book as the program registers it: the main window's command opens one storage
// window, and the options dialog picks the storage place for emptied stock records through the
// storage picker (the stored place preselected, nothing hidden, the chosen place stored on OK).

#include "tests/refbooks/StorageTestSupport.h"

#include "refbooks/KVReferenceBooks.h"
#include "shell/KVBookWindows.h"
#include "shell/KVButtonEdit.h"
#include "shell/frmOptions.h"

#include <QPushButton>

class StorageRegisteredTest : public TStorageBookTest {
protected:
    void SetUp() override {
        TStorageBookTest::SetUp();
        RegisterReferenceBookWindows();
    }
    void TearDown() override {
        TStorageBookTest::TearDown();
        ClearBookWindows();
        SetSetupSelectStorage(nullptr);
    }
};

TEST_F(StorageRegisteredTest, MainWindowCommandOpensOneStorageWindow) {
    AddStorage(1, 0, QStringLiteral("Шкаф"));
    QAction* command = Main().findChild<QAction*>(QStringLiteral("mmiRB_Storage"));
    ASSERT_NE(command, nullptr);
    EXPECT_TRUE(command->isEnabled());
    command->trigger();
    command->trigger();
    const std::vector<TfrmStorage*> hosts = Main().FindMDIChildren<TfrmStorage>();
    ASSERT_EQ(hosts.size(), 1u);
    EXPECT_EQ(TreeText(hosts[0]->BookFrame()), QStringLiteral("Шкаф"));
}

TEST_F(StorageRegisteredTest, OptionsDialogChoosesThePlaceThroughThePicker) {
    AddStorage(1, 0, QStringLiteral("Шкаф"));
    AddStorage(2, 1, QStringLiteral("Ящик"));
    AddStorage(3, 0, QStringLiteral("Полка"));
    ChooseStorageForEmpty(3, QStringLiteral("Полка"));

    TfrmSetup dlg;
    auto* storage = dlg.findChild<TKVButtonEdit*>(QStringLiteral("StorageForEmpty_ButtonEdit"));
    ASSERT_NE(storage, nullptr);
    EXPECT_EQ(storage->text(), QStringLiteral("Полка"));

    QString shown;
    quint32 preselected = 0;
    AnswerModal<TfrmSelectStorage>([&](TfrmSelectStorage* ADialog) {
        shown = TreeText(ADialog->BookFrame());
        preselected = ADialog->BookFrame()->SelectedItemDBData().Id;
        ADialog->BookFrame()->SelectRecord(0, 2);
        ADialog->ButtonPanel()->OkBtn()->click();
    });
    storage->Button()->click();
    EXPECT_EQ(shown, QStringLiteral("Шкаф[Ящик], Полка"));
    EXPECT_EQ(preselected, 3u);
    EXPECT_EQ(storage->text(), QStringLiteral("Ящик"));
    EXPECT_EQ(dlg.tmpStorageForEmptyId(), 2u);
    EXPECT_EQ(dmMain->StorageForEmptyId(), 3u); // nothing before OK

    // A cancelled picker keeps the choice.
    AnswerModal<TfrmSelectStorage>(
        [](TfrmSelectStorage* ADialog) { ADialog->ButtonPanel()->CancelBtn()->click(); });
    storage->Button()->click();
    EXPECT_EQ(dlg.tmpStorageForEmptyId(), 2u);

    dlg.done(mrOk);
    EXPECT_EQ(dmMain->StorageForEmptyId(), 2u);
    EXPECT_EQ(dmMain->StorageForEmptyName(), QStringLiteral("Ящик"));
    EXPECT_EQ(
        Scalar(QStringLiteral("SELECT V_INTEGER FROM CFG_LOCAL WHERE S_PARAM = 'EASSID'")).toInt(),
        2);
}
