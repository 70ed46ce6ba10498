#include "stock/_frmNote.h"

#include "core/udmMain.h"
#include "platform/sys/SysUtils.h"
#include "stock/frmNoteEdit.h"

#include <QLocale>
#include <QToolButton>

namespace {

TKVListBook NoteBook() {
    TKVListBook book;
    book.Name = QStringLiteral("Note");
    book.KeyHasDBId = false;
    book.ItemType = itNote;
    book.Columns = {{T_frmNote::tr("Заметка"), 200, lckText}, {T_frmNote::tr("Дата"), 100, lckDate}};
    book.CopyNameColumn = -1;
    book.CountSQL = QStringLiteral("SELECT COUNT(ID) FROM T_NOTE;");
    book.SelectSQL =
        QStringLiteral("SELECT ID, V_MARKER, S_TEXT, C_TIMESTAMP, U_TIMESTAMP FROM T_NOTE;");
    book.SelectOneSQL = QStringLiteral("SELECT FIRST 1 SKIP 0 ID, V_MARKER, S_TEXT, C_TIMESTAMP, "
                                       "U_TIMESTAMP FROM T_NOTE WHERE ID = :VAR_ID;");
    book.DeleteSQL = QStringLiteral("DELETE FROM T_NOTE WHERE ID = :VAR_ID;");
    book.DeleteFailedText = T_frmNote::tr("Запись не была удалена");
    book.ManageObjType = otNoteList;
    book.SelectObjType = otNoteList;
    book.DefaultWidth = 300;
    book.DefaultHeight = 180;
    book.HelpTopic = QStringLiteral("RBNote");
    return book;
}

} // namespace

T_frmNote::T_frmNote(QWidget* AParent) : TKVBookListFrame<TKVNoteList>(NoteBook(), AParent) {
    setObjectName(QStringLiteral("_frmNote1"));
    if (dmMain)
        Model()->SetImageList(&dmMain->NoteMarkerImgList);
    const struct {
        const char* Name;
        QString Hint;
    } hints[] = {{"Add_ToolButton", tr("Добавить заметку")},
                 {"Copy_ToolButton", tr("Создать копию заметки")},
                 {"Edit_ToolButton", tr("Изменить заметку")},
                 {"Delete_ToolButton", tr("Удалить заметку")},
                 {"Refresh_ToolButton", tr("Обновить список заметок")}};
    for (const auto& hint : hints)
        if (QToolButton* button = ToolButton(QLatin1String(hint.Name)))
            button->setToolTip(hint.Hint);
}

TKVListRow T_frmNote::MakeRow(const TKVNote& ARecord) const {
    TKVListRow row{{0, ARecord.Id()},
                   {ARecord.Text(), QLocale().toString(QDateTimeFromDateTime(
                                                           ARecord.CreateDateTime())
                                                           .date(),
                                                       QLocale::ShortFormat)},
                   std::nullopt};
    row.ImageIndex = ARecord.Marker();
    return row;
}

bool T_frmNote::RecordMatchesText(const TKVNote& ARecord) const {
    return MatchesFilter(ARecord.Text());
}

void T_frmNote::CompleteRecord(TKVNote& ARecord) const {
    ARecord.UpdateData(FirstLineStr(ARecord.Text()), ARecord.CreateDateTime(),
                       ARecord.UpdateDateTime());
}

void T_frmNote::OpenCard(quint32, quint32 AId, bool ACreateCopyFlag) {
    OpenCardNote(AId, ACreateCopyFlag);
}
