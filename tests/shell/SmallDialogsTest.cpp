// The small shared dialogs: one-line input, view chooser, user-list editor, list-item picker,
// icon-description editor and plug-in list, each with its result variables; the main window's
// commands that open them and reload the user lists; the workspace's double click.

#include "tests/shell/ShellTestSupport.h"

#include "shell/KVBookWindows.h"
#include "shell/KVShellUserInterface.h"
#include "shell/frmIconDescEdit.h"
#include "shell/frmInputText.h"
#include "shell/frmListItemSelect.h"
#include "shell/frmOkCancel.h"
#include "shell/frmOpenDataMode.h"
#include "shell/frmPluginList.h"
#include "shell/frmSelectCancel.h"
#include "shell/frmUserListEdit.h"

#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QListWidget>
#include <QMdiArea>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <QTreeWidget>

#include <cerrno>

namespace {

QStringList RowTexts(const QTreeWidget* AList) {
    QStringList texts;
    for (int i = 0; i < AList->topLevelItemCount(); ++i)
        texts << AList->topLevelItem(i)->text(0);
    return texts;
}

QStringList RowTexts(const QListWidget* AList) {
    QStringList texts;
    for (int i = 0; i < AList->count(); ++i)
        texts << AList->item(i)->text();
    return texts;
}

// Double-clicks row ARow of a list view.
void DoubleClickRow(QAbstractItemView* AView, int ARow) {
    const QRect rect = AView->visualRect(AView->model()->index(ARow, 0));
    QTest::mouseClick(AView->viewport(), Qt::LeftButton, Qt::NoModifier, rect.center());
    QTest::mouseDClick(AView->viewport(), Qt::LeftButton, Qt::NoModifier, rect.center());
}

} // namespace

class SmallDialogsTest : public TMainWindowTest {
protected:
    QString ProgramFile(const QString& AName) const { return FProgramDir.filePath(AName); }
    void WriteProgramFile(const QString& AName, const QByteArray& AData) {
        QFile file(ProgramFile(AName));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(AData);
    }
    QByteArray ReadProgramFile(const QString& AName) const {
        QFile file(ProgramFile(AName));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
    // Makes the program's folder read-only for the data module made next.
    void MakeProgramFolderReadOnly() {
        SysTestSeams::SetFolderWritable(FProgramDir.path(), false);
        Main();
        ASSERT_TRUE(dmMain->AppDriveReadOnly());
    }
    // Records the message boxes' requests and answers them with OK.
    std::unique_ptr<TMessageDlgResponderScope> Record(std::vector<TMessageDlgRequest>& ARequests) {
        return std::make_unique<TMessageDlgResponderScope>(
            [&ARequests](const TMessageDlgRequest& ARequest) {
                ARequests.push_back(ARequest);
                return mrOk;
            });
    }
    // The error box of a failed write of AName: a folder stands where the file should be.
    QString WriteErrorText(const QString& AName) const {
        return QStringLiteral("Ошибка при доступе к файлу %1. Код ошибки %2")
            .arg(dmMain->AppFolder() + AName)
            .arg(EISDIR);
    }
};

// ------------------------------------------------------------------------- one-line input

TEST_F(SmallDialogsTest, InputTextShowsPasswordAsStarsAndReturnsTheClearTextAsTyped) {
    TfrmInputText dlg(QStringLiteral("Пароль"), QStringLiteral("секрет"), 4, true);
    EXPECT_EQ(dlg.windowTitle(), QStringLiteral("Пароль"));
    EXPECT_EQ(dlg.TextEdit()->maxLength(), 4);
    EXPECT_EQ(dlg.TextEdit()->text(), QStringLiteral("секр"));
    EXPECT_EQ(dlg.TextEdit()->echoMode(), QLineEdit::Password);
    EXPECT_EQ(dlg.TextEdit()->displayText(), QStringLiteral("****"));

    InputTextValue.clear();
    AnswerModal<TfrmInputText>([](TfrmInputText* ADialog) {
        ADialog->TextEdit()->setText(QStringLiteral(" ab "));
        QTest::keyClick(ADialog->TextEdit(), Qt::Key_Return);
    });
    EXPECT_EQ(ShowInputTextDlg(QStringLiteral("Пароль"), QString(), 255, true), mrOk);
    EXPECT_EQ(InputTextValue, QStringLiteral(" ab ")) << "not trimmed, not starred";
}

TEST_F(SmallDialogsTest, InputTextEnterAcceptsOnEveryControlAndEscCancels) {
    struct TCase {
        const char* Name;
        std::function<void(TfrmInputText*)> Press;
        int Result;
    };
    const std::vector<TCase> cases = {
        {"Enter in the editor",
         [](TfrmInputText* D) { QTest::keyClick(D->TextEdit(), Qt::Key_Return); }, mrOk},
        {"Enter on Отмена",
         [](TfrmInputText* D) { QTest::keyClick(D->OkCancel()->CancelBtn(), Qt::Key_Return); },
         mrOk},
        {"Esc", [](TfrmInputText* D) { QTest::keyClick(D->TextEdit(), Qt::Key_Escape); }, mrCancel},
        {"Отмена", [](TfrmInputText* D) { D->OkCancel()->CancelBtn()->click(); }, mrCancel},
    };
    for (const TCase& c : cases) {
        InputTextValue = QStringLiteral("прежний");
        AnswerModal<TfrmInputText>([&c](TfrmInputText* ADialog) {
            ADialog->TextEdit()->setText(QStringLiteral("новый"));
            c.Press(ADialog);
        });
        EXPECT_EQ(ShowInputTextDlg(QStringLiteral("Ввод"), QStringLiteral("x"), 0, false), c.Result)
            << c.Name;
        EXPECT_EQ(InputTextValue,
                  c.Result == mrOk ? QStringLiteral("новый") : QStringLiteral("прежний"))
            << c.Name;
    }
}

TEST_F(SmallDialogsTest, ShellInputAsksThroughTheInputDialog) {
    TKVShellUserInterface ui;
    QString text = QStringLiteral("старый");
    AnswerModal<TfrmInputText>([](TfrmInputText* ADialog) {
        EXPECT_EQ(ADialog->windowTitle(), QStringLiteral("Пароль новостей"));
        EXPECT_EQ(ADialog->TextEdit()->echoMode(), QLineEdit::Password);
        EXPECT_EQ(ADialog->TextEdit()->maxLength(), 255);
        ADialog->TextEdit()->setText(QStringLiteral("тайна"));
        ADialog->accept();
    });
    EXPECT_TRUE(ui.InputText(QStringLiteral("Пароль новостей"), text, 255, true));
    EXPECT_EQ(text, QStringLiteral("тайна"));

    AnswerModal<TfrmInputText>([](TfrmInputText* ADialog) {
        ADialog->TextEdit()->setText(QStringLiteral("другое"));
        ADialog->reject();
    });
    EXPECT_FALSE(ui.InputText(QString(), text, 255, false));
    EXPECT_EQ(text, QStringLiteral("тайна"));
}

// ---------------------------------------------------------------------------- view chooser

TEST_F(SmallDialogsTest, ViewChooserListsTheViewsOfTheMaskInOrdinalOrder) {
    TfrmOpenDataMode all(0xFFFFFFFFu);
    ASSERT_EQ(all.ListView()->topLevelItemCount(), 28) << "bit 0 and bits 29 to 31 list nothing";
    for (int row = 0; row < 28; ++row)
        EXPECT_EQ(all.RowType(row), row + 1);
    EXPECT_EQ(all.ListView()->topLevelItem(0)->text(0), QStringLiteral("Классы"));
    EXPECT_EQ(all.ListView()->topLevelItem(27)->text(0), QStringLiteral("Заметки"));
    EXPECT_EQ(all.windowTitle(), QStringLiteral("Выбор информации для отображения"));
    EXPECT_EQ(all.HelpTopic(), QStringLiteral("OpenDataMode"));
    EXPECT_EQ(all.SelectCancel()->OkBtn()->text(), QStringLiteral("Выбрать"));

    EXPECT_EQ(OpenDataModeSet({odmtClass, odmtElementTypesOnClass, odmtBaseParamsOnClass,
                               odmtElementSupplierOnClass}),
              60u);
    TfrmOpenDataMode classViews(60);
    EXPECT_EQ(RowTexts(classViews.ListView()),
              (QStringList{"Редактирование/просмотр класса", "Типы элементов по классу",
                           "Базовые параметры класса", "Прайс по классу типов элементов"}));
    ASSERT_NE(classViews.ListView()->currentItem(), nullptr);
    EXPECT_TRUE(classViews.ListView()->topLevelItem(0)->isSelected());
}

TEST_F(SmallDialogsTest, ViewChooserEnterAcceptsThePreselectedFirstView) {
    SelectedOpenDataModeType = odmtNote;
    AnswerModal<TfrmOpenDataMode>([](TfrmOpenDataMode* ADialog) {
        EXPECT_EQ(SelectedOpenDataModeType, odmtNone) << "reset when the chooser opens";
        QTest::keyClick(ADialog->ListView(), Qt::Key_Return);
    });
    EXPECT_EQ(SelectOpenDataMode(60), mrOk);
    EXPECT_EQ(SelectedOpenDataModeType, odmtClass);

    AnswerModal<TfrmOpenDataMode>(
        [](TfrmOpenDataMode* ADialog) { DoubleClickRow(ADialog->ListView(), 2); });
    EXPECT_EQ(SelectOpenDataMode(60), mrOk);
    EXPECT_EQ(SelectedOpenDataModeType, odmtBaseParamsOnClass);

    AnswerModal<TfrmOpenDataMode>(
        [](TfrmOpenDataMode* ADialog) { QTest::keyClick(ADialog->ListView(), Qt::Key_Escape); });
    EXPECT_EQ(SelectOpenDataMode(60), mrCancel);
    EXPECT_EQ(SelectedOpenDataModeType, odmtNone);
}

TEST_F(SmallDialogsTest, ViewChooserWithoutSelectedViewCannotBeAcceptedButCancelled) {
    for (TKVOpenDataModeTypes mask : {0u, 60u}) {
        TfrmOpenDataMode dlg(mask);
        dlg.ListView()->clearSelection();
        dlg.show();
        dlg.SelectCancel()->OkBtn()->click();
        EXPECT_TRUE(dlg.isVisible()) << mask;
        EXPECT_EQ(SelectedOpenDataModeType, odmtNone);
        dlg.SelectCancel()->CancelBtn()->click();
        EXPECT_FALSE(dlg.isVisible()) << mask;
        EXPECT_EQ(dlg.result(), mrCancel);
    }
}

// ------------------------------------------------------------------------ user-list editor

TEST_F(SmallDialogsTest, UserListThatDoesNotExistOpensEmptyAndIsCreatedBySaving) {
    Main();
    TfrmUserListEdit dlg(QStringLiteral("pindesc.txt"));
    EXPECT_EQ(dlg.FileName(), dmMain->AppFolder() + QStringLiteral("pindesc.txt"));
    EXPECT_EQ(dlg.FileNameLabel()->text(), dlg.FileName());
    EXPECT_TRUE(dlg.TextMemo()->toPlainText().isEmpty());
    EXPECT_TRUE(dlg.SaveButton()->isEnabled());
    EXPECT_EQ(dlg.HelpTopic(), QStringLiteral("UserListEdit"));

    dlg.show();
    dlg.TextMemo()->setPlainText(QStringLiteral("VCC\nGND\n\nЗемля\n"));
    dlg.SaveButton()->click();
    EXPECT_FALSE(dlg.isVisible());
    EXPECT_EQ(dlg.result(), mrOk);
    EXPECT_EQ(ReadProgramFile(QStringLiteral("pindesc.txt")),
              QStringLiteral("VCC\nGND\n\nЗемля\n").toUtf8());
}

TEST_F(SmallDialogsTest, UserListShowsTheLinesOfItsFileAndSavesThemBack) {
    // A list written by an older version: Windows-1251 with CR LF.
    WriteProgramFile(QStringLiteral("projcatdesc.txt"),
                     QByteArray("\xD0\xE0\xE4\xE8\xEE\r\nTools\r\n"));
    Main();
    TfrmUserListEdit dlg(QStringLiteral("projcatdesc.txt"));
    EXPECT_EQ(dlg.Lines(), (QStringList{"Радио", "Tools"}));
    dlg.show();
    dlg.Save_ButtonClick();
    EXPECT_EQ(dlg.result(), mrOk);
    EXPECT_EQ(TdmMain::ReadUserListFile(ProgramFile(QStringLiteral("projcatdesc.txt"))),
              (QStringList{"Радио", "Tools"}));
}

TEST_F(SmallDialogsTest, UserListFailedWriteShowsTheErrorAndKeepsTheDialogAndText) {
    Main();
    ASSERT_TRUE(QDir(FProgramDir.path()).mkdir(QStringLiteral("pindesc.txt")));
    std::vector<TMessageDlgRequest> boxes;
    auto responder = Record(boxes);
    TfrmUserListEdit dlg(QStringLiteral("pindesc.txt"));
    dlg.show();
    dlg.TextMemo()->setPlainText(QStringLiteral("A1\nB2"));
    dlg.Save_ButtonClick();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].Text, WriteErrorText(QStringLiteral("pindesc.txt")));
    EXPECT_EQ(boxes[0].Kind, mdkError);
    EXPECT_EQ(boxes[0].Buttons, TMessageDlgButtons(mdbOK));
    EXPECT_TRUE(dlg.isVisible());
    EXPECT_EQ(dlg.TextMemo()->toPlainText(), QStringLiteral("A1\nB2"));
    EXPECT_EQ(QDir(FProgramDir.path()).entryList(QDir::Files), QStringList{"Korvant.ini"})
        << "no temporary file is left behind";
}

TEST_F(SmallDialogsTest, UserListOnReadOnlyProgramFolderShowsNoPathAndCannotSave) {
    WriteProgramFile(QStringLiteral("pindesc.txt"), "A\n");
    MakeProgramFolderReadOnly();
    TfrmUserListEdit dlg(QStringLiteral("pindesc.txt"));
    EXPECT_EQ(dlg.TextMemo()->toPlainText(), QStringLiteral("A"));
    EXPECT_TRUE(dlg.FileNameLabel()->text().isEmpty());
    EXPECT_TRUE(dlg.TextMemo()->isReadOnly());
    EXPECT_FALSE(dlg.SaveButton()->isEnabled());
    dlg.show();
    dlg.TextMemo()->setPlainText(QStringLiteral("B"));
    dlg.Save_ButtonClick();
    EXPECT_TRUE(dlg.isVisible());
    EXPECT_EQ(ReadProgramFile(QStringLiteral("pindesc.txt")), QByteArray("A\n"));
}

TEST_F(SmallDialogsTest, UserListCutsWhatIsTypedBeyondTheLimitButShowsALongerFileWhole) {
    const int limit = TfrmUserListEdit::MaxTextLength;
    WriteProgramFile(QStringLiteral("long.txt"), QByteArray(limit + 10, 'a'));
    Main();
    TfrmUserListEdit longFile(QStringLiteral("long.txt"));
    EXPECT_EQ(longFile.TextMemo()->toPlainText().size(), limit + 10);
    longFile.TextMemo()->insertPlainText(QStringLiteral("xyz"));
    EXPECT_EQ(longFile.TextMemo()->toPlainText().size(), limit + 10);

    TfrmUserListEdit empty(QStringLiteral("none.txt"));
    empty.TextMemo()->insertPlainText(QString(limit - 2, QLatin1Char('b')));
    empty.TextMemo()->insertPlainText(QStringLiteral("cdef"));
    EXPECT_EQ(empty.TextMemo()->toPlainText(), QString(limit - 2, QLatin1Char('b')) + "cd");
}

// ------------------------------------------------------------------------ list-item picker

TEST_F(SmallDialogsTest, ListItemPickerSplitsTheTextAndPreselectsTheLine) {
    AnswerModal<TfrmListItemSelect>([](TfrmListItemSelect* ADialog) {
        EXPECT_EQ(ADialog->windowTitle(), QStringLiteral("Шаблон"));
        EXPECT_EQ(RowTexts(ADialog->ListBox()), (QStringList{"один", "два", "", "три"}));
        EXPECT_EQ(ADialog->ListBox()->currentRow(), 1);
        QTest::keyClick(ADialog->ListBox(), Qt::Key_Return);
    });
    EXPECT_EQ(
        SelectListItem(QStringLiteral("Шаблон"), QStringLiteral("один\r\nдва\n\nтри\n"), 1, true),
        mrOk);
    EXPECT_EQ(SelectedListItemIndex, 1);
    EXPECT_EQ(SelectedListItemText, QStringLiteral("два"));

    const QStringList strings{"x", "y"};
    AnswerModal<TfrmListItemSelect>(
        [](TfrmListItemSelect* ADialog) { DoubleClickRow(ADialog->ListBox(), 1); });
    EXPECT_EQ(SelectListItemFromStrings(QString(), &strings, -1, true), mrOk);
    EXPECT_EQ(SelectedListItemIndex, 1);
    EXPECT_EQ(SelectedListItemText, QStringLiteral("y"));

    for (int index : {-1, 2}) {
        TfrmListItemSelect dlg(QString(), strings, index, false);
        EXPECT_TRUE(dlg.ListBox()->selectedItems().isEmpty()) << index;
    }
    TfrmListItemSelect none(QString(), QStringList(), 0, false);
    EXPECT_EQ(none.ListBox()->count(), 0);
    AnswerModal<TfrmListItemSelect>([](TfrmListItemSelect* ADialog) {
        EXPECT_EQ(ADialog->ListBox()->count(), 0);
        ADialog->reject();
    });
    EXPECT_EQ(SelectListItemFromStrings(QString(), nullptr, -1, false), mrCancel);
}

TEST_F(SmallDialogsTest, ListItemPickerOkWithoutSelectedLine) {
    const QStringList lines{"a", "b"};
    // Must select: OK stays open.
    SelectedListItemText = QStringLiteral("прежняя");
    TfrmListItemSelect must(QString(), lines, -1, true);
    must.show();
    must.OkCancel()->OkBtn()->click();
    EXPECT_TRUE(must.isVisible());
    EXPECT_EQ(SelectedListItemIndex, -1);
    must.OkCancel()->CancelBtn()->click();
    EXPECT_FALSE(must.isVisible());
    EXPECT_EQ(must.result(), mrCancel);

    // Free choice: OK closes with no line.
    SelectedListItemIndex = 5;
    TfrmListItemSelect free(QString(), lines, -1, false);
    free.show();
    free.OkCancel()->OkBtn()->click();
    EXPECT_FALSE(free.isVisible());
    EXPECT_EQ(free.result(), mrOk);
    EXPECT_EQ(SelectedListItemIndex, -1);
    EXPECT_EQ(SelectedListItemText, QStringLiteral("прежняя"));
}

// ---------------------------------------------------------------- icon-description editor

TEST_F(SmallDialogsTest, IconDescriptionsShorterThanTheIconsGiveEmptyRowsAndSaveOneLinePerIcon) {
    WriteProgramFile(QStringLiteral("classdesc.txt"), "Резисторы\nКонденсаторы\n");
    Main();
    const int icons = dmMain->ElementClassImgList.Count();
    ASSERT_GT(icons, 3);
    TfrmIconDescEdit dlg(QStringLiteral("classdesc.txt"), TfrmIconDescEdit::ClassIconsListIndex);
    EXPECT_EQ(dlg.HelpTopic(), QStringLiteral("IconDescEdit"));
    EXPECT_EQ(dlg.FileNameLabel()->text(), dmMain->AppFolder() + QStringLiteral("classdesc.txt"));
    QTreeWidget* list = dlg.ListView();
    ASSERT_EQ(list->topLevelItemCount(), icons);
    EXPECT_EQ(list->topLevelItem(0)->text(0), QStringLiteral("Резисторы"));
    EXPECT_EQ(list->topLevelItem(1)->text(0), QStringLiteral("Конденсаторы"));
    EXPECT_TRUE(list->topLevelItem(2)->text(0).isEmpty());
    EXPECT_FALSE(list->topLevelItem(icons - 1)->icon(0).isNull());
    EXPECT_TRUE(list->topLevelItem(0)->flags() & Qt::ItemIsEditable);

    dlg.show();
    list->setCurrentItem(list->topLevelItem(0));
    QTest::keyClick(list, Qt::Key_Delete);
    EXPECT_TRUE(list->topLevelItem(0)->text(0).isEmpty());
    list->setCurrentItem(list->topLevelItem(2));
    AnswerModal<TfrmInputText>([](TfrmInputText* ADialog) {
        EXPECT_EQ(ADialog->windowTitle(), QStringLiteral("Название иконки"));
        EXPECT_EQ(ADialog->TextEdit()->maxLength(), 255);
        EXPECT_EQ(ADialog->TextEdit()->echoMode(), QLineEdit::Normal);
        ADialog->TextEdit()->setText(QStringLiteral("Диоды"));
        ADialog->accept();
    });
    DoubleClickRow(list, 2);
    EXPECT_EQ(list->topLevelItem(2)->text(0), QStringLiteral("Диоды"));

    dlg.SaveButton()->click();
    EXPECT_EQ(dlg.result(), mrOk);
    QStringList expected(icons, QString());
    expected[1] = QStringLiteral("Конденсаторы");
    expected[2] = QStringLiteral("Диоды");
    const QStringList saved =
        TdmMain::ReadUserListFile(ProgramFile(QStringLiteral("classdesc.txt")));
    EXPECT_EQ(saved, expected);
    EXPECT_EQ(ReadProgramFile(QStringLiteral("classdesc.txt")).count('\n'), icons);
}

TEST_F(SmallDialogsTest, IconDescriptionStillBeingEditedInPlaceIsSaved) {
    Main();
    TfrmIconDescEdit dlg(QStringLiteral("projdesc.txt"), TfrmIconDescEdit::ProjectIconsListIndex);
    ASSERT_EQ(dlg.ListView()->topLevelItemCount(), dmMain->ProjectImgList.Count());
    dlg.show();
    dlg.activateWindow();
    QTreeWidget* list = dlg.ListView();
    list->setFocus();
    list->setCurrentItem(list->topLevelItem(0));
    list->editItem(list->topLevelItem(0));
    auto* editor = list->findChild<QLineEdit*>();
    ASSERT_NE(editor, nullptr);
    editor->setText(QStringLiteral("Усилители"));
    // As the button's shortcut does: the focus stays in the editor.
    dlg.Save_ButtonClick();
    EXPECT_EQ(dlg.result(), mrOk);
    EXPECT_EQ(TdmMain::ReadUserListFile(ProgramFile(QStringLiteral("projdesc.txt"))).value(0),
              QStringLiteral("Усилители"));
}

TEST_F(SmallDialogsTest, IconDescriptionsOfAnUnknownListAreEmptyAndSaveAnEmptyFile) {
    WriteProgramFile(QStringLiteral("other.txt"), "a\nb\n");
    Main();
    TfrmIconDescEdit dlg(QStringLiteral("other.txt"), 3001);
    EXPECT_EQ(dlg.ListView()->topLevelItemCount(), 0);
    EXPECT_EQ(dlg.IconDescList(), (QStringList{"a", "b"}));
    dlg.Save_ButtonClick();
    EXPECT_EQ(dlg.result(), mrOk);
    EXPECT_TRUE(QFileInfo::exists(ProgramFile(QStringLiteral("other.txt"))));
    EXPECT_TRUE(ReadProgramFile(QStringLiteral("other.txt")).isEmpty());
}

TEST_F(SmallDialogsTest, IconDescriptionsFailedWriteKeepsTheDialogAndTheDescriptions) {
    Main();
    ASSERT_TRUE(QDir(FProgramDir.path()).mkdir(QStringLiteral("classdesc.txt")));
    std::vector<TMessageDlgRequest> boxes;
    auto responder = Record(boxes);
    TfrmIconDescEdit dlg(QStringLiteral("classdesc.txt"), TfrmIconDescEdit::ClassIconsListIndex);
    dlg.show();
    dlg.ListView()->topLevelItem(0)->setText(0, QStringLiteral("Реле"));
    dlg.Save_ButtonClick();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].Text, WriteErrorText(QStringLiteral("classdesc.txt")));
    EXPECT_EQ(boxes[0].Kind, mdkError);
    EXPECT_TRUE(dlg.isVisible());
    EXPECT_EQ(dlg.ListView()->topLevelItem(0)->text(0), QStringLiteral("Реле"));
}

TEST_F(SmallDialogsTest, IconDescriptionsOnReadOnlyProgramFolderShowNoPathAndCannotSave) {
    WriteProgramFile(QStringLiteral("classdesc.txt"), "Резисторы\n");
    MakeProgramFolderReadOnly();
    TfrmIconDescEdit dlg(QStringLiteral("classdesc.txt"), TfrmIconDescEdit::ClassIconsListIndex);
    EXPECT_EQ(dlg.ListView()->topLevelItem(0)->text(0), QStringLiteral("Резисторы"));
    EXPECT_TRUE(dlg.FileNameLabel()->text().isEmpty());
    EXPECT_FALSE(dlg.SaveButton()->isEnabled());
    EXPECT_FALSE(dlg.ListView()->topLevelItem(0)->flags() & Qt::ItemIsEditable);
    EXPECT_EQ(dlg.ListView()->editTriggers(), QAbstractItemView::NoEditTriggers);
    dlg.show();
    dlg.Save_ButtonClick();
    EXPECT_TRUE(dlg.isVisible());
    EXPECT_EQ(ReadProgramFile(QStringLiteral("classdesc.txt")), QByteArray("Резисторы\n"));
}

// ----------------------------------------------------------------------------- plug-in list

TEST_F(SmallDialogsTest, PluginListIsEmptyAndTakesOnlyASelectedRow) {
    SelectedPluginName = QStringLiteral("old.so");
    TfrmPluginList dlg;
    EXPECT_TRUE(SelectedPluginName.isEmpty()) << "emptied when the list opens";
    EXPECT_EQ(dlg.HelpTopic(), QStringLiteral("Plugins"));
    EXPECT_EQ(dlg.ListView()->topLevelItemCount(), 0);
    EXPECT_FALSE(dlg.UseButton()->isEnabled());
    dlg.show();
    dlg.accept();
    EXPECT_TRUE(dlg.isVisible());

    // The choice itself, on a row put in by hand.
    auto* row = new QTreeWidgetItem(dlg.ListView(), {"Отчет", "report.so", "1.0"});
    dlg.ListView()->setCurrentItem(row);
    EXPECT_TRUE(dlg.UseButton()->isEnabled());
    DoubleClickRow(dlg.ListView(), 0);
    EXPECT_TRUE(dlg.isVisible()) << "a double click does nothing";
    dlg.RefreshButton()->click();
    EXPECT_EQ(dlg.ListView()->topLevelItemCount(), 0);
    EXPECT_FALSE(dlg.UseButton()->isEnabled());
    row = new QTreeWidgetItem(dlg.ListView(), {"Отчет", "report.so", "1.0"});
    dlg.ListView()->setCurrentItem(row);
    dlg.UseButton()->click();
    EXPECT_FALSE(dlg.isVisible());
    EXPECT_EQ(dlg.result(), mrOk);
    EXPECT_EQ(SelectedPluginName, QStringLiteral("report.so"));
}

// ---------------------------------------------------------------------------- main window

TEST_F(SmallDialogsTest, UserListCommandsEditTheirFileAndReloadOnlyTheirList) {
    struct TCase {
        const char* Action;
        const char* File;
        QStringList TdmMain::*List;
        bool Icons;
    };
    const std::vector<TCase> cases = {
        {"mmiUL_ClassIconDesc", "classdesc.txt", &TdmMain::ClassIconDesc, true},
        {"mmiUL_PinDesc", "pindesc.txt", &TdmMain::PinNameDesc, false},
        {"mmiUL_ProjectDesc", "projcatdesc.txt", &TdmMain::ProjectCategoryDesc, false},
        {"mmiUL_ProjectIconDesc", "projdesc.txt", &TdmMain::ProjectIconDesc, true},
    };
    for (const TCase& c : cases)
        WriteProgramFile(QLatin1String(c.File), "old\n");
    Main();
    for (size_t i = 0; i < cases.size(); ++i) {
        const TCase& c = cases[i];
        QAction* action = MainAction(c.Action);
        ASSERT_TRUE(action->isEnabled()) << c.Action;
        const QString file = dmMain->AppFolder() + QLatin1String(c.File);
        // Cancel: the list stays as it was read, even when the file changed meanwhile.
        const auto cancel = [&](auto* ADialog) {
            EXPECT_EQ(ADialog->FileName(), file);
            WriteProgramFile(QLatin1String(c.File), "other\n");
            ADialog->reject();
        };
        if (c.Icons)
            AnswerModal<TfrmIconDescEdit>(cancel);
        else
            AnswerModal<TfrmUserListEdit>(cancel);
        action->trigger();
        EXPECT_EQ(dmMain->*c.List, QStringList{"old"}) << c.Action;

        if (c.Icons)
            AnswerModal<TfrmIconDescEdit>([](TfrmIconDescEdit* ADialog) {
                ADialog->ListView()->topLevelItem(0)->setText(0, QStringLiteral("new"));
                ADialog->Save_ButtonClick();
            });
        else
            AnswerModal<TfrmUserListEdit>([](TfrmUserListEdit* ADialog) {
                ADialog->TextMemo()->setPlainText(QStringLiteral("new"));
                ADialog->Save_ButtonClick();
            });
        action->trigger();
        // This list and those edited before are new; the others are as they were read.
        for (size_t j = 0; j < cases.size(); ++j)
            EXPECT_EQ((dmMain->*cases[j].List).value(0), j <= i ? "new" : "old")
                << c.Action << " " << cases[j].Action;
    }
}

TEST_F(SmallDialogsTest, PluginCommandOpensThePluginList) {
    TTestDataBase db;
    ConnectThroughDialog(db.FileName());
    ASSERT_TRUE(dmMain->DBConnected());
    bool shown = false;
    AnswerModal<TfrmPluginList>([&shown](TfrmPluginList* ADialog) {
        shown = true;
        ADialog->reject();
    });
    MainAction("mmiPlugins")->trigger();
    EXPECT_TRUE(shown);
}

TEST_F(SmallDialogsTest, WorkspaceDoubleClickOffersTheViewsThatHaveWindowsWhileConnected) {
    Main().show();
    QWidget* workspace = Main().MDIArea()->viewport();
    // Disconnected: nothing is offered. A guard closes any dialog that would open.
    int opened = 0;
    {
        QTimer guard;
        QObject::connect(&guard, &QTimer::timeout, [&opened] {
            if (auto* dlg = qobject_cast<QDialog*>(QApplication::activeModalWidget())) {
                ++opened;
                dlg->reject();
            }
        });
        guard.start(5);
        QTest::mouseDClick(workspace, Qt::LeftButton);
    }
    EXPECT_EQ(opened, 0);

    TTestDataBase db;
    ConnectThroughDialog(db.FileName());
    ASSERT_TRUE(dmMain->DBConnected());
    // No list window registered: no chooser either.
    {
        QTimer guard;
        QObject::connect(&guard, &QTimer::timeout, [&opened] {
            if (auto* dlg = qobject_cast<QDialog*>(QApplication::activeModalWidget())) {
                ++opened;
                dlg->reject();
            }
        });
        guard.start(5);
        QTest::mouseDClick(workspace, Qt::LeftButton);
    }
    EXPECT_EQ(opened, 0);

    // The views of the registered windows, in their order; the chosen one opens its window.
    int unitsOpened = 0;
    RegisterBookWindow(bwUnits, {[](TKVMDIChild&) { return false; }, [&] { ++unitsOpened; }});
    RegisterBookWindow(bwCases, {[](TKVMDIChild&) { return false; }, [] {}});
    QStringList offered;
    AnswerModal<TfrmOpenDataMode>([&offered](TfrmOpenDataMode* ADialog) {
        offered = RowTexts(ADialog->ListView());
        DoubleClickRow(ADialog->ListView(), 1);
    });
    QTest::mouseDClick(workspace, Qt::LeftButton);
    ClearBookWindows();
    EXPECT_EQ(offered, (QStringList{"Корпуса", "Единицы измерения"}));
    EXPECT_EQ(unitsOpened, 1);
}
