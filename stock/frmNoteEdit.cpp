#include "stock/frmNoteEdit.h"

#include "core/udmMain.h"
#include "platform/sys/SysUtils.h"
#include "shell/KVWidgets.h"

#include <QAction>
#include <QLabel>
#include <QMdiSubWindow>
#include <QMenu>
#include <QPlainTextEdit>
#include <QToolBar>
#include <QToolButton>

namespace {

constexpr quint32 kIcon = 2010;
// The smallest client area of the card.
const QSize kMinClientSize(380, 180);
// The caption shows at most this many characters of the text.
constexpr int kCardNameLength = 64;

TKVCardBook NoteCardBook() {
    TKVCardBook book;
    book.Name = QStringLiteral("Note");
    book.KeyHasDBId = false;
    book.ItemType = itNote;
    book.NewRecordText = QStringLiteral("New Note");
    book.HelpTopic = QStringLiteral("CardNote");
    book.ClientSize = QSize(372, 153);
    book.SelectSQL = QStringLiteral("SELECT FIRST 1 SKIP 0 V_MARKER, S_TEXT, C_TIMESTAMP, "
                                    "U_TIMESTAMP FROM T_NOTE WHERE ID = :VAR_ID;");
    book.UpdateSQL = QStringLiteral(
        "UPDATE T_NOTE SET V_MARKER = :VAR_V_MARKER, S_TEXT = :VAR_S_TEXT, V_FLAG = :VAR_V_FLAG, "
        "U_TIMESTAMP = :VAR_U_TIMESTAMP WHERE ID = :VAR_ID;");
    book.InsertSQL = QStringLiteral(
        "EXECUTE PROCEDURE INSERT_NOTE (:I_V_MARKER, :I_S_TEXT, :I_V_FLAG, :I_C_TIMESTAMP)");
    book.OpenCopy = [](quint32, quint32 AId) { OpenCardNote(AId, true); };
    return book;
}

} // namespace

TfrmNoteEdit::TfrmNoteEdit(QWidget* AParent) : TKVBookCard<TKVNote>(NoteCardBook(), AParent) {
    setObjectName(QStringLiteral("frmNoteEdit"));
    FMemo = AddMemoEditor("NoteText_Memo", tr("Заметка:"), MaxTextLength);
    // The memo fills the card: its label only names the field in messages.
    for (QLabel* label : findChildren<QLabel*>())
        if (label->buddy() == FMemo)
            label->hide();

    ToolBar()->addSeparator();
    FMarkerButton = AddCaptionToolButton(ToolBar(), "Marker_ToolButton", tr("Маркер"),
                                         tr("Маркер"), -1, QSize(75, 36));
    FMarkerButton->setPopupMode(QToolButton::MenuButtonPopup);
    FMarkerMenu = new QMenu(this);
    FMarkerMenu->setObjectName(QStringLiteral("NoteEditMarker_PopupMenu"));
    FMarkerButton->setMenu(FMarkerMenu);
    connect(FMarkerButton, &QToolButton::clicked, this, &TfrmNoteEdit::Marker_ToolButtonClick);
}

void TfrmNoteEdit::BuildMarkerMenu() {
    FMarkerMenu->clear();
    for (int tag = -1; tag <= 15; ++tag) {
        QAction* item = FMarkerMenu->addAction(QString());
        item->setObjectName(QStringLiteral("pmiNoteMarker%1").arg(tag + 1));
        item->setData(tag);
        if (dmMain)
            item->setIcon(dmMain->NoteMarkerImgList.Icon(tag));
        connect(item, &QAction::triggered, this, [this, tag] { pmiNoteMarkerEditClick(tag); });
    }
}

bool TfrmNoteEdit::Init(quint32 AId, bool ACreateCopyFlag) {
    BuildMarkerMenu();
    if (!TKVRecordCard::Init(0, AId, ACreateCopyFlag))
        return false;
    FMarkerButton->setEnabled(!ReadOnly());
    if (Id() == 0)
        FMemo->selectAll();
    FMemo->setFocus();
    return true;
}

void TfrmNoteEdit::ShowNoteCard() {
    ShowCard();
    QMdiSubWindow* sub = SubWindow();
    if (!sub)
        return;
    sub->setWindowFlags(sub->windowFlags() | Qt::WindowMaximizeButtonHint);
    const QMargins frame = sub->contentsMargins();
    const QSize margins(frame.left() + frame.right(), frame.top() + frame.bottom());
    sub->setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
    FitWindowToContent(sub, kMinClientSize + margins, sub->size(), QSize(0, 0), false);
    sub->show();
}

void TfrmNoteEdit::Marker_ToolButtonClick() {
    if (FMarkerButton->isEnabled())
        FMarkerButton->showMenu();
}

void TfrmNoteEdit::pmiNoteMarkerEditClick(int ATag) {
    if (ReadOnly() || !Row())
        return;
    Row()->UpdateMarkerData(ATag);
    SetModifedData(true);
}

void TfrmNoteEdit::BindFields(TIBQuery& AQuery, const QString& APrefix) const {
    const TKVNote& note = *Row();
    SetIconOrNull(AQuery.ParamByName(APrefix + QStringLiteral("V_MARKER")), note.Marker());
    AQuery.ParamByName(APrefix + QStringLiteral("S_TEXT")).SetAsString(note.Text());
    AQuery.ParamByName(APrefix + QStringLiteral("V_FLAG")).SetAsInteger(0);
}

bool TfrmNoteEdit::ReadNewRecord(TIBQuery&) {
    Row()->UpdateData(-1, Book().NewRecordText, Now(), 0);
    return true;
}

void TfrmNoteEdit::FillEditors() {
    FMemo->setPlainText(Row()->Text());
}

bool TfrmNoteEdit::CheckEditors() {
    // A note of blanks alone is not saved; the card stays as it is.
    return !FMemo->toPlainText().trimmed().isEmpty();
}

void TfrmNoteEdit::StoreEditors(TDateTime ACreateDateTime, TDateTime AUpdateDateTime) {
    Row()->UpdateData(FMemo->toPlainText(), ACreateDateTime, AUpdateDateTime);
}

QString TfrmNoteEdit::RecordCardName() const {
    // A caption holds one line: line breaks of the first characters show as blanks.
    QString name = FMemo->toPlainText().trimmed().left(kCardNameLength);
    for (QChar& ch : name)
        if (ch == u'\r' || ch == u'\n' || ch == u'\t')
            ch = u' ';
    return name.isEmpty() ? QStringLiteral("?") : name;
}

void TfrmNoteEdit::SetEditorsReadOnly(bool AValue) {
    TKVBookCard<TKVNote>::SetEditorsReadOnly(AValue);
    FMarkerButton->setEnabled(!AValue);
}

TfrmNoteEdit* OpenCardNote(quint32 AId, bool ACreateCopyFlag) {
    if (!frmMain)
        return nullptr;
    auto card = std::make_unique<TfrmNoteEdit>();
    card->setWindowIcon(ResourceIcon(kIcon));
    if (!card->Init(AId, ACreateCopyFlag))
        return nullptr;
    TfrmNoteEdit* placed = card.release(); // the workspace owns it from here
    placed->ShowNoteCard();
    return placed;
}
