// The favourites (listing, opening and deleting them) and the notes with their list and card.

#include "tests/catalogue/CatalogueTestSupport.h"

#include "catalogue/frmCaseVis.h"
#include "catalogue/frmElementTypeSummary.h"
#include "stock/KVStock.h"
#include "stock/frmElementAvailEdit.h"
#include "stock/frmFavorites.h"
#include "stock/frmNote.h"
#include "stock/frmNoteEdit.h"
#include "stock/frmProjectEdit.h"
#include "stock/frmProjectItem.h"

#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>

namespace {

class FavoritesNotesTest : public TCatalogueTest {
protected:
    void SetUp() override {
        TCatalogueTest::SetUp();
        RegisterStockWindows();
    }

    void AddFavorite(quint32 AId, int AObjType, quint32 AObjDBId, quint32 AObjId) {
        Exec(QStringLiteral("INSERT INTO T_FAVORITES (ID, OBJ_TYPE, OBJ_DBID, OBJ_ID) VALUES "
                            "(%1, %2, %3, %4)"),
             {AId, AObjType, AObjDBId, AObjId});
    }
    void AddProject(quint32 AId, const QString& AName, const QString& ACategory) {
        Exec(QStringLiteral("INSERT INTO T_PROJECT (ID, S_NAME, S_CATEGORY, V_COUNTDEV_SCHEDULED, "
                            "V_COUNTDEV_COMPLETE, F_PROGRESS, V_FLAG) VALUES (%1, %2, %3, 1, 0, "
                            "1, 0)"),
             {AId, AName, ACategory});
    }

    // Favourites 1-3: element types (drawable with pins; pins but an untyped case; no case),
    // 4-5: stock records (of a type; a free name), 6-7: projects (with items; without), and
    // 8-10 whose type, stock record and project do not exist.
    void AddFavorites() {
        DB();
        AddUnit(1011, 1, QStringLiteral("шт"));
        AddClass(1, QStringLiteral("Микросхемы"));
        AddCase(1, QStringLiteral("DIP-8"), 0, 4);
        AddCase(2, QStringLiteral("TO-92"), 0, 0);
        AddType(1, 1, QStringLiteral("NE555"), QString(), 1);
        AddType(2, 1, QStringLiteral("BC547"), QString(), 2);
        AddType(3, 1, QStringLiteral("LM358"));
        for (quint32 pin = 1; pin <= 8; ++pin)
            AddPin(pin, 1);
        AddPin(9, 2);
        Exec(QStringLiteral("INSERT INTO T_STORAGE (ID, S_NAME, V_FLAG) VALUES (1, %1, 0)"),
             {QStringLiteral("Шкаф")});
        Exec(QStringLiteral("INSERT INTO T_ELEMENT_AVAIL (ID, ELEMENTTYPEDBID, ELEMENTTYPEID, "
                            "S_TYPENAME, STORAGEID, V_COUNT_FLOAT, UNITCOUNTDBID, UNITCOUNTID, "
                            "V_FLAG) VALUES (1, 1011, 1, NULL, 1, 5, 1011, 1, 0)"),
             {});
        Exec(QStringLiteral("INSERT INTO T_ELEMENT_AVAIL (ID, S_TYPENAME, STORAGEID, "
                            "V_COUNT_FLOAT, UNITCOUNTDBID, UNITCOUNTID, V_FLAG) VALUES (2, %1, 1, "
                            "3, 1011, 1, 0)"),
             {QStringLiteral("Самодельный")});
        AddProject(1, QStringLiteral("Таймер"), QStringLiteral("Хобби"));
        AddProject(2, QStringLiteral("Пустой"), QString());
        Exec(QStringLiteral("INSERT INTO T_PROJECT_ITEM (ID, PROJECTID, ELEMENTTYPEDBID, "
                            "ELEMENTTYPEID, V_COUNT_FLOAT, V_FLAG) VALUES (1, 1, 1011, 1, 1, 0)"),
             {});
        AddFavorite(1, 7, 1011, 1);
        AddFavorite(2, 7, 1011, 2);
        AddFavorite(3, 7, 1011, 3);
        AddFavorite(4, 13, 0, 1);
        AddFavorite(5, 13, 0, 2);
        AddFavorite(6, 16, 0, 1);
        AddFavorite(7, 16, 0, 2);
        AddFavorite(8, 7, 1011, 99);
        AddFavorite(9, 13, 0, 99);
        AddFavorite(10, 16, 0, 99);
    }

    int FavoriteCount() { return Scalar(QStringLiteral("SELECT COUNT(*) FROM T_FAVORITES")).toInt(); }

    // The counts of the windows a favourite opens: summary, case drawing, stock card, project
    // card, project items.
    std::vector<size_t> OpenWindows() {
        return {Main().FindMDIChildren<TfrmElementTypeSummary>().size(),
                Main().FindMDIChildren<TfrmCaseVis>().size(),
                Main().FindMDIChildren<TfrmElementAvailEdit>().size(),
                Main().FindMDIChildren<TfrmProjectEdit>().size(),
                Main().FindMDIChildren<TfrmProjectItem>().size()};
    }
    void CloseWindows() {
        Main().CloseAllWindow();
        Settle();
    }

    static void PressKey(QWidget* AWidget, Qt::Key AKey) {
        QTest::keyClick(AWidget, AKey);
        QCoreApplication::processEvents();
    }
};

} // namespace

// ------------------------------------------------------------------------------ favourites

TEST_F(FavoritesNotesTest, FavoritesListTheThreeKindsAndSkipObjectsThatAreGone) {
    AddFavorites();
    TfrmFavorites dialog;
    EXPECT_EQ(dialog.windowTitle(), "Избранное");
    EXPECT_FALSE(dialog.Open_Button()->isEnabled());
    EXPECT_FALSE(dialog.Delete_Button()->isEnabled());
    const TKVListModel* model = dialog.Model();
    QStringList rows;
    for (int i = 0; i < model->Count(); ++i)
        rows << model->Row(i).Texts.join(QLatin1Char('|'));
    EXPECT_EQ(rows, QStringList({"NE555 [DIP-8]|Тип элемента + цоколевка|Микросхемы",
                                 "BC547 [TO-92]|Тип элемента|Микросхемы",
                                 "LM358|Тип элемента|Микросхемы",
                                 "NE555|Элемент в наличии|Шкаф",
                                 "Самодельный|Элемент в наличии|Шкаф",
                                 "Таймер|Проект + состав|Хобби",
                                 "Пустой|Проект|"}));
    // The favourites of objects that are gone stay in the table.
    EXPECT_EQ(FavoriteCount(), 10);

    // A column click sorts by its text, a second click the other way round.
    dialog.ListViewColumnClick(1);
    EXPECT_EQ(model->Row(0).Texts.value(1), "Проект");
    dialog.ListViewColumnClick(1);
    EXPECT_EQ(dialog.SortedType(), -2);
    EXPECT_EQ(model->Row(0).Texts.value(1), "Элемент в наличии");
}

TEST_F(FavoritesNotesTest, AFavoriteOpensTheWindowsOfItsKind) {
    AddFavorites();
    const struct {
        quint32 Favorite;
        std::vector<size_t> Windows; // summary, drawing, stock card, project card, items
    } cases[] = {{1, {1, 1, 0, 0, 0}}, {2, {1, 0, 0, 0, 0}}, {4, {0, 0, 1, 0, 0}},
                 {5, {0, 0, 1, 0, 0}}, {6, {0, 0, 0, 1, 1}}, {7, {0, 0, 0, 1, 0}}};
    for (const auto& c : cases) {
        TfrmFavorites dialog;
        dialog.SelectFavorite(c.Favorite);
        ASSERT_TRUE(dialog.Open_Button()->isEnabled()) << c.Favorite;
        dialog.Open_Button()->click();
        EXPECT_EQ(dialog.result(), mrOk);
        EXPECT_EQ(OpenWindows(), c.Windows) << c.Favorite;
        CloseWindows();
    }

    // Enter with no row selected closes with OK and opens nothing; Esc closes with Cancel.
    {
        TfrmFavorites dialog;
        dialog.show();
        dialog.Favorites_ListView()->setFocus();
        PressKey(dialog.Favorites_ListView(), Qt::Key_Return);
        EXPECT_EQ(dialog.result(), mrOk);
        EXPECT_FALSE(dialog.isVisible());
    }
    {
        TfrmFavorites dialog;
        dialog.SelectFavorite(6);
        dialog.show();
        PressKey(dialog.Favorites_ListView(), Qt::Key_Escape);
        EXPECT_EQ(dialog.result(), mrCancel);
    }
    EXPECT_EQ(OpenWindows(), std::vector<size_t>(5, 0));
    EXPECT_TRUE(Messages.isEmpty());
}

TEST_F(FavoritesNotesTest, DeletingAFavoriteAsksAndRemovesItsRow) {
    AddFavorites();
    TfrmFavorites dialog;
    dialog.show();
    dialog.SelectFavorite(6);
    ASSERT_TRUE(dialog.Delete_Button()->isEnabled());

    Answers = {mrNo};
    dialog.Delete_Button()->click();
    EXPECT_EQ(Messages, QStringList({"Удалить запись из Избранного?"}));
    EXPECT_EQ(dialog.Model()->Count(), 7);

    Messages.clear();
    Answers = {mrYes};
    dialog.Favorites_ListView()->setFocus();
    PressKey(dialog.Favorites_ListView(), Qt::Key_Delete);
    EXPECT_EQ(Messages, QStringList({"Удалить запись из Избранного?"}));
    EXPECT_EQ(dialog.Model()->Find({0, 6}), -1);
    EXPECT_EQ(dialog.Model()->Count(), 6);
    EXPECT_EQ(Scalar(QStringLiteral("SELECT COUNT(*) FROM T_FAVORITES WHERE ID = 6")).toInt(), 0);

    // The database refuses: its error box, then the window's message, and the row stays.
    FUI.Errors.clear();
    DB().Exec(QStringLiteral("CREATE EXCEPTION E_TEST_NO_DELETE 'no delete'"));
    DB().Exec(QStringLiteral("CREATE TRIGGER T_FAVORITES_TEST FOR T_FAVORITES BEFORE DELETE AS "
                             "BEGIN EXCEPTION E_TEST_NO_DELETE; END"));
    Messages.clear();
    Answers = {mrYes};
    dialog.SelectFavorite(1);
    dialog.Delete_Button()->click();
    EXPECT_EQ(Messages, QStringList({"Удалить запись из Избранного?",
                                     "Не удалось удалить эту запись из Избранного"}));
    ASSERT_EQ(FUI.Errors.size(), 1u);
    EXPECT_TRUE(FUI.Errors[0].Text.contains("no delete")) << FUI.Errors[0].Text.toStdString();
    EXPECT_EQ(dialog.Model()->Count(), 6);
    EXPECT_EQ(FavoriteCount(), 9);
}

TEST_F(FavoritesNotesTest, ReadOnlyDataKeepsEveryFavorite) {
    AddFavorites();
    ::ReadOnly = true;
    TfrmFavorites dialog;
    dialog.show();
    dialog.SelectFavorite(1);
    EXPECT_TRUE(dialog.Open_Button()->isEnabled());
    EXPECT_FALSE(dialog.Delete_Button()->isEnabled());
    dialog.Favorites_ListView()->setFocus();
    PressKey(dialog.Favorites_ListView(), Qt::Key_Delete);
    EXPECT_TRUE(Messages.isEmpty());
    EXPECT_EQ(dialog.Model()->Count(), 7);
    EXPECT_EQ(FavoriteCount(), 10);
}

// ---------------------------------------------------------------------------------- notes

namespace {

class NotesTest : public FavoritesNotesTest {
protected:
    void AddNote(quint32 AId, const QVariant& AMarker, const QString& AText,
                 const QString& ACreated) {
        Exec(QStringLiteral("INSERT INTO T_NOTE (ID, V_MARKER, S_TEXT, V_FLAG, C_TIMESTAMP) "
                            "VALUES (%1, %2, %3, 0, %4)"),
             {AId, AMarker, AText, ACreated});
    }
    T_frmNote* OpenNotes() {
        DB();
        TfrmNote* host = OpenRBNote();
        EXPECT_NE(host, nullptr);
        return host ? host->BookFrame() : nullptr;
    }
    QVariant NoteField(quint32 AId, const char* AColumn) {
        return Scalar(QStringLiteral("SELECT %1 FROM T_NOTE WHERE ID = %2")
                          .arg(QLatin1String(AColumn))
                          .arg(AId));
    }
    static void ChooseMarker(TfrmNoteEdit* ACard, int ATag) {
        for (QAction* item : ACard->NoteEditMarker_PopupMenu()->actions())
            if (item->data().toInt() == ATag)
                item->trigger();
    }
};

} // namespace

TEST_F(NotesTest, ANewNoteWithAMarkerIsSavedEditedAndCopied) {
    DB();
    DB().Exec(QStringLiteral("ALTER SEQUENCE GEN_T_NOTE_ID RESTART WITH 100"));
    TfrmNoteEdit* card = OpenCardNote(0, false);
    ASSERT_NE(card, nullptr);
    QPlainTextEdit* memo = card->NoteText_Memo();
    EXPECT_EQ(card->windowTitle(), "New Note");
    EXPECT_EQ(memo->toPlainText(), "New Note");
    EXPECT_EQ(memo->textCursor().selectedText(), "New Note");
    EXPECT_EQ(card->Note()->Marker(), -1);
    EXPECT_EQ(card->NoteEditMarker_PopupMenu()->actions().size(), 17);

    memo->setPlainText(QStringLiteral("Купить припой\nи флюс"));
    ChooseMarker(card, 5);
    EXPECT_TRUE(card->ModifedData());
    ASSERT_TRUE(card->SaveItem());
    EXPECT_EQ(card->Id(), 101u);
    EXPECT_EQ(NoteField(101, "V_MARKER").toInt(), 5);
    EXPECT_EQ(NoteField(101, "S_TEXT").toString(), "Купить припой\nи флюс");
    EXPECT_FALSE(NoteField(101, "C_TIMESTAMP").isNull());

    // The first (empty) marker item removes the marker; saved again, it stays removed.
    ChooseMarker(card, -1);
    ASSERT_TRUE(card->SaveItem());
    EXPECT_TRUE(NoteField(101, "V_MARKER").isNull());
    card->ForciblyCloseItem();
    Settle();
    card = OpenCardNote(101, false);
    ASSERT_NE(card, nullptr);
    EXPECT_EQ(card->Note()->Marker(), -1);
    EXPECT_EQ(card->windowTitle(), "Купить припой и флюс");
    ChooseMarker(card, 15);
    ASSERT_TRUE(card->SaveItem());
    EXPECT_EQ(NoteField(101, "V_MARKER").toInt(), 15);
    EXPECT_FALSE(NoteField(101, "U_TIMESTAMP").isNull());

    // A copy starts as a new note with the source's text and marker.
    TfrmNoteEdit* copy = OpenCardNote(101, true);
    ASSERT_NE(copy, nullptr);
    EXPECT_EQ(copy->Id(), 0u);
    EXPECT_EQ(copy->NoteText_Memo()->toPlainText(), "Купить припой\nи флюс");
    EXPECT_EQ(copy->Note()->Marker(), 15);
    ASSERT_TRUE(copy->SaveItem());
    EXPECT_EQ(copy->Id(), 102u);
    EXPECT_EQ(NoteField(102, "V_MARKER").toInt(), 15);
    EXPECT_FALSE(NoteField(102, "C_TIMESTAMP").isNull());
    EXPECT_TRUE(Messages.isEmpty());
}

TEST_F(NotesTest, TextsThatCannotBeStoredAreRefusedAndNeverCut) {
    DB();
    AddNote(1, Null(), QStringLiteral("old"), QStringLiteral("2024-01-01 10:00:00"));
    TfrmNoteEdit* card = OpenCardNote(1, false);
    ASSERT_NE(card, nullptr);
    QPlainTextEdit* memo = card->NoteText_Memo();

    // Blanks and line breaks only: not saved, no message, the card stays modified.
    memo->setPlainText(QStringLiteral("  \n\t \n"));
    EXPECT_FALSE(card->SaveItem());
    EXPECT_TRUE(card->ModifedData());
    EXPECT_TRUE(Messages.isEmpty());

    // One character over the limit: a message, nothing written.
    memo->setPlainText(QString(TfrmNoteEdit::MaxTextLength + 1, u'я'));
    EXPECT_FALSE(card->SaveItem());
    EXPECT_EQ(Messages, QStringList({"Значение поля «Заметка» длиннее 16384 символов"}));
    EXPECT_EQ(NoteField(1, "S_TEXT").toString(), "old");
    EXPECT_TRUE(card->ModifedData());

    // At the limit the whole text is kept.
    Messages.clear();
    const QString full = QString(TfrmNoteEdit::MaxTextLength - 1, u'я') + u'!';
    memo->setPlainText(full);
    ASSERT_TRUE(card->SaveItem());
    EXPECT_EQ(NoteField(1, "S_TEXT").toString(), full);

    // The caption takes the first 64 characters.
    memo->setPlainText(QStringLiteral("  ") + QString(64, u'a') + QStringLiteral("bcdefg"));
    ASSERT_TRUE(card->SaveItem());
    EXPECT_EQ(card->windowTitle(), QString(64, u'a'));
    EXPECT_TRUE(Messages.isEmpty());
}

TEST_F(NotesTest, TheListShowsFirstLinesFiltersAndSortsByDate) {
    DB();
    AddNote(1, 3, QStringLiteral("abc\r\ndef"), QStringLiteral("2015-02-01 10:00:00"));
    AddNote(2, Null(), QStringLiteral("Паяльник"), QStringLiteral("2014-01-02 10:00:00"));
    AddNote(3, 0, QStringLiteral("Кабель abc"), QStringLiteral("2014-12-31 10:00:00"));
    T_frmNote* frame = OpenNotes();
    ASSERT_NE(frame, nullptr);
    EXPECT_EQ(Main().FindMDIChildren<TfrmNote>().front()->windowTitle(), "Заметки");
    ASSERT_EQ(frame->Model()->Count(), 3);
    EXPECT_EQ(Column(frame), QStringList({"abc...", "Паяльник", "Кабель abc"}));
    EXPECT_EQ(Column(frame, 1), QStringList({"01.02.2015", "02.01.2014", "31.12.2014"}));
    EXPECT_EQ(frame->Model()->Row(0).ImageIndex, 3);
    EXPECT_EQ(frame->Model()->Row(1).ImageIndex, -1);

    // Sorted by date, and still by date after a refresh and under a filter.
    frame->ListViewColumnClick(1);
    const QStringList byDate{"02.01.2014", "31.12.2014", "01.02.2015"};
    EXPECT_EQ(Column(frame, 1), byDate);
    frame->RefreshData();
    EXPECT_EQ(Column(frame, 1), byDate);
    frame->FilterEdit()->setText(QStringLiteral("ABC"));
    frame->ApplyFilter();
    EXPECT_EQ(Column(frame), QStringList({"Кабель abc", "abc..."}));
    frame->FilterEdit()->setText(QStringLiteral("DEF"));
    frame->ApplyFilter();
    EXPECT_EQ(frame->Model()->Count(), 0);
    frame->FilterEdit()->clear();
    frame->ApplyFilter();
    EXPECT_EQ(Column(frame, 1), byDate);
    frame->ListViewColumnClick(1);
    EXPECT_EQ(Column(frame, 1), QStringList({"01.02.2015", "31.12.2014", "02.01.2014"}));
}

TEST_F(NotesTest, CardsUpdateTheListAndADeleteClosesTheirCards) {
    DB();
    DB().Exec(QStringLiteral("ALTER SEQUENCE GEN_T_NOTE_ID RESTART WITH 100"));
    AddNote(1, 1, QStringLiteral("Первая"), QStringLiteral("2024-01-01 10:00:00"));
    AddNote(2, 2, QStringLiteral("Вторая"), QStringLiteral("2024-01-02 10:00:00"));
    T_frmNote* frame = OpenNotes();
    ASSERT_NE(frame, nullptr);

    // A changed note is updated in place even when it no longer passes the filter; a new note
    // that does not pass it is not added.
    frame->FilterEdit()->setText(QStringLiteral("Перв"));
    frame->ApplyFilter();
    ASSERT_EQ(Column(frame), QStringList({"Первая"}));
    TfrmNoteEdit* card = OpenCardNote(1, false);
    ASSERT_NE(card, nullptr);
    card->NoteText_Memo()->setPlainText(QStringLiteral("Изменена\nвторая строка"));
    ChooseMarker(card, 7);
    ASSERT_TRUE(card->SaveItem());
    EXPECT_EQ(Column(frame), QStringList({"Изменена..."}));
    EXPECT_EQ(frame->Model()->Row(0).ImageIndex, 7);
    TfrmNoteEdit* added = OpenCardNote(0, false);
    ASSERT_NE(added, nullptr);
    added->NoteText_Memo()->setPlainText(QStringLiteral("Новая"));
    ASSERT_TRUE(added->SaveItem());
    EXPECT_EQ(frame->Model()->Count(), 1);
    frame->FilterEdit()->clear();
    frame->ApplyFilter();
    EXPECT_EQ(frame->Model()->Count(), 3);

    // Deleting a note closes its open card without the save question.
    card->NoteText_Memo()->setPlainText(QStringLiteral("не сохранено"));
    frame->SelectRecord(0, 1);
    FocusList(frame);
    Messages.clear();
    Answers = {mrYes};
    frame->Delete_ToolButtonClick();
    Settle();
    EXPECT_EQ(Messages, QStringList({"Удалить запись?"}));
    EXPECT_TRUE(Main().FindMDIChildren<TfrmNoteEdit>().size() == 1u);
    EXPECT_EQ(Scalar(QStringLiteral("SELECT COUNT(*) FROM T_NOTE WHERE ID = 1")).toInt(), 0);
    EXPECT_EQ(frame->Model()->Find({0, 1}), -1);

    // The main window's notes command brings the open list to the front.
    Main().OpenReferenceBook_Notes();
    EXPECT_EQ(Main().FindMDIChildren<TfrmNote>().size(), 1u);
}
