#include "refbooks/frmClassEdit.h"

#include "core/udmMain.h"
#include "platform/ib/IBQuery.h"
#include "refbooks/frmClass.h"
#include "shell/KVButtonEdit.h"

#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>

namespace {

TKVCardBook ClassCardBook() {
    TKVCardBook book;
    book.Name = QStringLiteral("Class");
    book.KeyHasDBId = true;
    book.ItemType = itClass;
    book.NewRecordText = QStringLiteral("New Class");
    book.HelpTopic = QStringLiteral("CardClass");
    book.ClientSize = QSize(377, 158);
    book.SelectSQL = QStringLiteral(
        "SELECT FIRST 1 SKIP 0 TCL.PARENTDBID, TCL.PARENTID, TCL.S_NAME, TCL.S_DESCRIPTION, "
        "TCL.ICONID, TCL2.S_NAME AS PARENTCLASSNAME, TCL.C_TIMESTAMP, TCL.U_TIMESTAMP, "
        "TCL.R_TIMESTAMP FROM T_CLASS TCL LEFT JOIN T_CLASS TCL2 ON TCL2.DBID = TCL.PARENTDBID "
        "AND TCL2.ID = TCL.PARENTID WHERE TCL.DBID = :VAR_DBID AND TCL.ID = :VAR_ID;");
    book.UpdateSQL = QStringLiteral(
        "UPDATE T_CLASS SET PARENTDBID = :VAR_PARENTDBID, PARENTID = :VAR_PARENTID, S_NAME = "
        ":VAR_S_NAME, S_DESCRIPTION = :VAR_S_DESCRIPTION, ICONID = :VAR_ICONID, V_FLAG = "
        ":VAR_V_FLAG, U_TIMESTAMP = :VAR_U_TIMESTAMP WHERE DBID = :VAR_DBID AND ID = :VAR_ID;");
    book.InsertSQL =
        QStringLiteral("EXECUTE PROCEDURE INSERT_CLASS (:I_PARENTDBID, :I_PARENTID, :I_S_NAME, "
                       ":I_S_DESCRIPTION, :I_ICONID, :I_V_FLAG, :I_C_TIMESTAMP);");
    book.OpenCopy = [](quint32 ADBId, quint32 AId) { OpenCardClass(ADBId, AId, true); };
    return book;
}

} // namespace

TfrmClassEdit::TfrmClassEdit(QWidget* AParent) : TKVBookCard(ClassCardBook(), AParent) {
    FNameEdit = AddTextEditor("ClassName_TextEdit", tr("Наименование"), KVNameLength, true);
    FDescEdit = AddTextEditor("ClassDesc_TextEdit", tr("Описание"), KVDescriptionLength);
    TKVCardLink parent;
    parent.Pick = [this](TKVSelectedItemDBData& AResult) {
        // The current parent preselected; the class itself and its subtree are not offered,
        // so a class never becomes its own ancestor.
        SelectClass(ParentClassDBId(), ParentClassId(), DBId(), Id(), AResult);
    };
    parent.Set = [this](quint32 ADBId, quint32 AId, const QString& AName) {
        Row()->UpdateParentClassData(ADBId, AId, AName);
    };
    FParentEdit = AddLinkEditor("ClassParentClass_ButtonEdit", tr("Базовый класс"), parent);
    FIconCombo = new QComboBox(this);
    FIconCombo->setObjectName(QStringLiteral("ClassIcon_ImageComboBox"));
    AddEditorRow(tr("Иконка класса"), FIconCombo);
    FillIconList();
    connect(FIconCombo, &QComboBox::currentIndexChanged, this,
            &TfrmClassEdit::TextEditPropertiesChange);
}

QString TfrmClassEdit::IconDescription(int AIndex) {
    if (dmMain && AIndex >= 0 && AIndex < dmMain->ClassIconDesc.size()) {
        const QString description = dmMain->ClassIconDesc.at(AIndex);
        if (!description.isEmpty())
            return description;
    }
    return tr("Иконка ") + QString::number(AIndex);
}

void TfrmClassEdit::FillIconList() {
    if (!dmMain)
        return;
    const TKVImageList& images = dmMain->ElementClassImgList;
    FIconCombo->setIconSize(images.TileSize());
    for (int i = 0; i < images.Count(); ++i)
        FIconCombo->addItem(images.Icon(i), IconDescription(i), i);
    FIconCombo->setCurrentIndex(-1);
}

void TfrmClassEdit::BindFields(TIBQuery& AQuery, const QString& APrefix) const {
    SetLinkOrNull(AQuery.ParamByName(APrefix + QStringLiteral("PARENTDBID")),
                  AQuery.ParamByName(APrefix + QStringLiteral("PARENTID")), Row()->ParentDBId(),
                  Row()->ParentId());
    AQuery.ParamByName(APrefix + QStringLiteral("S_NAME")).SetAsString(Row()->Name());
    SetTextOrNull(AQuery.ParamByName(APrefix + QStringLiteral("S_DESCRIPTION")),
                  Row()->Description());
    SetIconOrNull(AQuery.ParamByName(APrefix + QStringLiteral("ICONID")), Row()->IconId());
    AQuery.ParamByName(APrefix + QStringLiteral("V_FLAG")).SetAsInteger(0);
}

void TfrmClassEdit::FillEditors() {
    FNameEdit->setText(Row()->Name());
    FDescEdit->setText(Row()->Description());
    FParentEdit->setText(Row()->ParentClassName());
    const int icon = Row()->IconId();
    FIconCombo->setCurrentIndex(icon >= 0 && icon < FIconCombo->count() ? icon : -1);
}

void TfrmClassEdit::SetEditorsReadOnly(bool AValue) {
    TKVBookCard::SetEditorsReadOnly(AValue);
    FIconCombo->setEnabled(!AValue);
}

void TfrmClassEdit::StoreEditors(TDateTime ACreateDateTime, TDateTime AUpdateDateTime) {
    Row()->UpdateData(FNameEdit->text(), FDescEdit->text(), FIconCombo->currentIndex(),
                      ACreateDateTime, AUpdateDateTime, Row()->ReplDateTime(),
                      Row()->ElementTypesCount());
}

bool TfrmClassEdit::eventFilter(QObject* AObject, QEvent* AEvent) {
    if (AObject == FIconCombo && AEvent->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(AEvent);
        if (key->key() == Qt::Key_Delete && key->modifiers() == Qt::NoModifier) {
            // Del clears the icon; the combo's change marks the card.
            if (!ReadOnly())
                FIconCombo->setCurrentIndex(-1);
            return true;
        }
    }
    return TKVBookCard::eventFilter(AObject, AEvent);
}

TfrmClassEdit* OpenCardClass(quint32 ADBId, quint32 AId, bool ACreateCopyFlag) {
    return OpenRecordCard<TfrmClassEdit>(2110, ADBId, AId, ACreateCopyFlag);
}
