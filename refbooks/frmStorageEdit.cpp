#include "refbooks/frmStorageEdit.h"

#include "core/udmMain.h"
#include "platform/ib/IBQuery.h"
#include "platform/sys/Win1251.h"
#include "refbooks/frmStorage.h"
#include "shell/KVButtonEdit.h"
#include "shell/uMessage.h"

#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QRegularExpression>
#include <QSignalBlocker>
#include <QTextCursor>

namespace {

constexpr quint32 kCardIcon = 2116;

TKVCardBook StorageCardBook() {
    TKVCardBook book;
    book.Name = QStringLiteral("Storage");
    book.KeyHasDBId = false;
    book.ItemType = itStorage;
    book.NewRecordText = QStringLiteral("New Storage");
    book.HelpTopic = QStringLiteral("CardStorage");
    book.ClientSize = QSize(377, 231);
    book.SelectSQL = QStringLiteral(
        "SELECT FIRST 1 SKIP 0 TS.PARENTID, TS.S_NAME, TS.S_DESCRIPTION, TS.S_CELLLIST, "
        "TS.ICONID, TS2.S_NAME AS PARENTSTORAGENAME, TS.C_TIMESTAMP, TS.U_TIMESTAMP FROM "
        "T_STORAGE TS LEFT JOIN T_STORAGE TS2 ON TS2.ID = TS.PARENTID WHERE TS.ID = :VAR_ID;");
    book.UpdateSQL = QStringLiteral(
        "UPDATE T_STORAGE SET PARENTID = :VAR_PARENTID, S_NAME = :VAR_S_NAME, S_DESCRIPTION = "
        ":VAR_S_DESCRIPTION, S_CELLLIST = :VAR_S_CELLLIST, ICONID = :VAR_ICONID, V_FLAG = "
        ":VAR_V_FLAG, U_TIMESTAMP = :VAR_U_TIMESTAMP WHERE ID = :VAR_ID;");
    book.InsertSQL = QStringLiteral(
        "EXECUTE PROCEDURE INSERT_STORAGE (:I_PARENTID, :I_S_NAME, :I_S_DESCRIPTION, "
        ":I_S_CELLLIST, :I_ICONID, :I_V_FLAG, :I_C_TIMESTAMP);");
    book.OpenCopy = [](quint32, quint32 AId) { OpenCardStorage(AId, true); };
    return book;
}

} // namespace

TfrmStorageEdit::TfrmStorageEdit(QWidget* AParent) : TKVBookCard(StorageCardBook(), AParent) {
    FNameEdit = AddTextEditor("StorageName_TextEdit", tr("Название"), KVNameLength, true);
    FDescEdit = AddTextEditor("StorageDesc_TextEdit", tr("Описание"), KVDescriptionLength);

    FCellListMemo = new QPlainTextEdit(this);
    FCellListMemo->setObjectName(QStringLiteral("StorageCellList_Memo"));
    FCellListMemo->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    FCellListMemo->setLineWrapMode(QPlainTextEdit::NoWrap);
    FCellListMemo->setTabChangesFocus(true);
    connect(FCellListMemo, &QPlainTextEdit::textChanged, this,
            &TfrmStorageEdit::CellListMemoChange);
    AddEditorRow(tr("Список ячеек"), FCellListMemo);

    TKVCardLink parent;
    parent.Pick = [this](TKVSelectedItemDBData& AResult) {
        TKVSelectedLocalItemDBData picked;
        TfrmSelectStorage::SelectStorage(ParentStorageId(), Id(), picked);
        AResult = SetSelectedItemDBData(picked.Select, 0, picked.Id, picked.Tag, picked.Name);
    };
    parent.Set = [this](quint32, quint32 AId, const QString& AName) {
        Row()->UpdateParentStorageData(AId, AName);
    };
    // Storage places belong to the open database alone: no DBID rule applies to the parent.
    parent.CheckDBId = false;
    FParentEdit = AddLinkEditor("StorageParentStorage_ButtonEdit", tr("Базовое место хранения"),
                                std::move(parent));

    FIconCombo = new QComboBox(this);
    FIconCombo->setObjectName(QStringLiteral("StorageIcon_ImageComboBox"));
    if (dmMain) {
        const TKVImageList& images = dmMain->StorageImgList;
        FIconCombo->setIconSize(images.TileSize());
        for (int i = 0; i < images.Count(); ++i)
            FIconCombo->addItem(images.Icon(i), tr("Иконка ") + QString::number(i), i);
    }
    FIconCombo->setCurrentIndex(-1);
    connect(FIconCombo, &QComboBox::currentIndexChanged, this,
            &TfrmStorageEdit::TextEditPropertiesChange);
    AddEditorRow(tr("Иконка места хранения"), FIconCombo);
}

// ------------------------------------------------------------------------------ cell list

QString TfrmStorageEdit::CellListFromText(const QString& AText) {
    return TextAsCRLFLines(AText);
}

QString TfrmStorageEdit::TextFromCellList(const QString& ACellList) {
    QStringList lines = ACellList.split(QRegularExpression(QStringLiteral("\r\n|\n|\r")));
    if (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();
    return lines.join(u'\n');
}

void TfrmStorageEdit::CellListMemoChange() {
    const QString text = FCellListMemo->toPlainText();
    if (text.size() > CellListMaxLength) {
        // What does not fit is dropped, as a length-limited editor refuses it.
        const QSignalBlocker blocker(FCellListMemo);
        FCellListMemo->setPlainText(text.left(CellListMaxLength));
        FCellListMemo->moveCursor(QTextCursor::End);
    }
    TextEditPropertiesChange();
}

// -------------------------------------------------------------------------------- record

void TfrmStorageEdit::BindFields(TIBQuery& AQuery, const QString& APrefix) const {
    TIBParam& parent = AQuery.ParamByName(APrefix + QStringLiteral("PARENTID"));
    if (Row()->ParentId() != 0)
        parent.SetAsInt64(Row()->ParentId());
    else
        parent.Clear();
    AQuery.ParamByName(APrefix + QStringLiteral("S_NAME")).SetAsString(Row()->Name());
    SetTextOrNull(AQuery.ParamByName(APrefix + QStringLiteral("S_DESCRIPTION")),
                  Row()->Description());
    SetTextOrNull(AQuery.ParamByName(APrefix + QStringLiteral("S_CELLLIST")), Row()->CellList());
    SetIconOrNull(AQuery.ParamByName(APrefix + QStringLiteral("ICONID")), Row()->IconId());
    AQuery.ParamByName(APrefix + QStringLiteral("V_FLAG")).SetAsInteger(0);
}

// ------------------------------------------------------------------------------- editors

void TfrmStorageEdit::FillEditors() {
    const QSignalBlocker blocker(FCellListMemo);
    FNameEdit->setText(Row()->Name());
    FDescEdit->setText(Row()->Description());
    FCellListMemo->setPlainText(TextFromCellList(Row()->CellList()));
    FParentEdit->setText(Row()->ParentStorageName());
    const qint32 icon = Row()->IconId();
    FIconCombo->setCurrentIndex(icon >= 0 && icon < FIconCombo->count() ? icon : -1);
}

void TfrmStorageEdit::SetEditorsReadOnly(bool AValue) {
    TKVBookCard::SetEditorsReadOnly(AValue);
    FCellListMemo->setReadOnly(AValue);
    FIconCombo->setEnabled(!AValue);
}

bool TfrmStorageEdit::CheckEditors() {
    QByteArray encoded;
    QString badChar;
    if (!TryToWin1251(FCellListMemo->toPlainText(), encoded, &badChar)) {
        FCellListMemo->setFocus();
        ShowMessageDlg(tr("Значение поля «Список ячеек» содержит знак «%1», который нельзя "
                          "сохранить в базе данных")
                           .arg(badChar),
                       mdkWarning, mdbOK);
        return false;
    }
    return true;
}

void TfrmStorageEdit::StoreEditors(TDateTime ACreateDateTime, TDateTime AUpdateDateTime) {
    Row()->UpdateData(FNameEdit->text(), FDescEdit->text(),
                      CellListFromText(FCellListMemo->toPlainText()), FIconCombo->currentIndex(),
                      ACreateDateTime, AUpdateDateTime, Row()->ElementAvailsCount());
}

void TfrmStorageEdit::StorageParentStorage_ButtonEditPropertiesButtonClick() {
    LinkButtonClick(FParentEdit);
}

bool TfrmStorageEdit::eventFilter(QObject* AObject, QEvent* AEvent) {
    if (AObject == FIconCombo && AEvent->type() == QEvent::KeyPress &&
        static_cast<QKeyEvent*>(AEvent)->key() == Qt::Key_Delete &&
        static_cast<QKeyEvent*>(AEvent)->modifiers() == Qt::NoModifier) {
        if (!ReadOnly() && FIconCombo->currentIndex() >= 0)
            FIconCombo->setCurrentIndex(-1); // marks the card through the change handler
        return true;
    }
    return TKVBookCard::eventFilter(AObject, AEvent);
}

TfrmStorageEdit* OpenCardStorage(quint32 AId, bool ACreateCopyFlag) {
    return OpenRecordCard<TfrmStorageEdit>(kCardIcon, 0, AId, ACreateCopyFlag);
}
