#include "refbooks/frmClassEdit.h"

#include "core/udmMain.h"
#include "platform/ib/IBQuery.h"
#include "refbooks/KVListFrame.h"
#include "refbooks/KVListHost.h"
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
    return book;
}

void SetOptionalText(TIBParam& AParam, const QString& AText) {
    if (AText.isEmpty())
        AParam.Clear();
    else
        AParam.SetAsString(AText);
}

} // namespace

TfrmClassEdit::TfrmClassEdit(QWidget* AParent) : TKVRecordCard(ClassCardBook(), AParent) {
    FNameEdit = AddTextEditor("ClassName_TextEdit", tr("Наименование"), KVNameLength);
    FDescEdit = AddTextEditor("ClassDesc_TextEdit", tr("Описание"), KVDescriptionLength);
    TKVCardLink parent;
    parent.Pick = [this](TKVSelectedItemDBData& AResult) {
        // The current parent preselected; the class itself and its subtree are not offered,
        // so a class never becomes its own ancestor.
        SelectClass(ParentClassDBId(), ParentClassId(), DBId(), Id(), AResult);
    };
    parent.Set = [this](quint32 ADBId, quint32 AId, const QString& AName) {
        FClass->UpdateParentClassData(ADBId, AId, AName);
    };
    FParentEdit = AddLinkEditor("ClassParentClass_ButtonEdit", tr("Базовый класс"), parent);
    FIconCombo = new QComboBox(this);
    FIconCombo->setObjectName(QStringLiteral("ClassIcon_ImageComboBox"));
    AddEditorRow(tr("Иконка класса"), FIconCombo);
    FillIconList();
    connect(FIconCombo, &QComboBox::currentIndexChanged, this,
            &TfrmClassEdit::TextEditPropertiesChange);
}

TfrmClassEdit::~TfrmClassEdit() = default;

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

void TfrmClassEdit::CreateRecord(quint32 ADBId, quint32 AId) {
    FClass = std::make_unique<TKVClass>(ADBId, AId);
}

bool TfrmClassEdit::ReadRecord(TIBQuery& AQuery, quint32 ADBId, quint32 AId) {
    AQuery.SetSQL(QStringLiteral(
        "SELECT FIRST 1 SKIP 0 TCL.PARENTDBID, TCL.PARENTID, TCL.S_NAME, TCL.S_DESCRIPTION, "
        "TCL.ICONID, TCL2.S_NAME AS PARENTCLASSNAME, TCL.C_TIMESTAMP, TCL.U_TIMESTAMP, "
        "TCL.R_TIMESTAMP FROM T_CLASS TCL LEFT JOIN T_CLASS TCL2 ON TCL2.DBID = TCL.PARENTDBID "
        "AND TCL2.ID = TCL.PARENTID WHERE TCL.DBID = :VAR_DBID AND TCL.ID = :VAR_ID;"));
    AQuery.ParamByName("VAR_DBID").SetAsInt64(ADBId);
    AQuery.ParamByName("VAR_ID").SetAsInt64(AId);
    AQuery.Open();
    if (AQuery.Eof())
        return false;
    const TIBField& icon = AQuery.FieldByName("ICONID");
    FClass->UpdateData(static_cast<quint32>(AQuery.FieldByName("PARENTDBID").AsInt64()),
                       static_cast<quint32>(AQuery.FieldByName("PARENTID").AsInt64()),
                       AQuery.FieldByName("S_NAME").AsString(),
                       AQuery.FieldByName("S_DESCRIPTION").AsString(),
                       icon.IsNull() ? -1 : static_cast<qint32>(icon.AsInt64()),
                       AQuery.FieldByName("C_TIMESTAMP").AsDateTime(),
                       AQuery.FieldByName("U_TIMESTAMP").AsDateTime(),
                       AQuery.FieldByName("R_TIMESTAMP").AsDateTime(),
                       AQuery.FieldByName("PARENTCLASSNAME").AsString(), 0);
    return true;
}

void TfrmClassEdit::BindFields(TIBQuery& AQuery, const QString& APrefix) const {
    TIBParam& parentDBId = AQuery.ParamByName(APrefix + QStringLiteral("PARENTDBID"));
    TIBParam& parentId = AQuery.ParamByName(APrefix + QStringLiteral("PARENTID"));
    if (FClass->ParentId() == 0) {
        parentDBId.Clear();
        parentId.Clear();
    } else {
        parentDBId.SetAsInt64(FClass->ParentDBId());
        parentId.SetAsInt64(FClass->ParentId());
    }
    AQuery.ParamByName(APrefix + QStringLiteral("S_NAME")).SetAsString(FClass->Name());
    SetOptionalText(AQuery.ParamByName(APrefix + QStringLiteral("S_DESCRIPTION")),
                    FClass->Description());
    TIBParam& icon = AQuery.ParamByName(APrefix + QStringLiteral("ICONID"));
    if (FClass->IconId() < 0)
        icon.Clear();
    else
        icon.SetAsInteger(FClass->IconId());
    AQuery.ParamByName(APrefix + QStringLiteral("V_FLAG")).SetAsInteger(0);
}

int TfrmClassEdit::ExecUpdate(TIBQuery& AQuery) {
    AQuery.SetSQL(QStringLiteral(
        "UPDATE T_CLASS SET PARENTDBID = :VAR_PARENTDBID, PARENTID = :VAR_PARENTID, S_NAME = "
        ":VAR_S_NAME, S_DESCRIPTION = :VAR_S_DESCRIPTION, ICONID = :VAR_ICONID, V_FLAG = "
        ":VAR_V_FLAG, U_TIMESTAMP = :VAR_U_TIMESTAMP WHERE DBID = :VAR_DBID AND ID = :VAR_ID;"));
    BindFields(AQuery, QStringLiteral("VAR_"));
    AQuery.ParamByName("VAR_U_TIMESTAMP").SetAsDateTime(FClass->UpdateDateTime());
    AQuery.ParamByName("VAR_DBID").SetAsInt64(FClass->DBId());
    AQuery.ParamByName("VAR_ID").SetAsInt64(FClass->Id());
    AQuery.ExecSQL();
    return AQuery.RowsAffected();
}

void TfrmClassEdit::ExecInsert(TIBQuery& AQuery) {
    AQuery.SetSQL(
        QStringLiteral("EXECUTE PROCEDURE INSERT_CLASS (:I_PARENTDBID, :I_PARENTID, :I_S_NAME, "
                       ":I_S_DESCRIPTION, :I_ICONID, :I_V_FLAG, :I_C_TIMESTAMP);"));
    BindFields(AQuery, QStringLiteral("I_"));
    AQuery.ParamByName("I_C_TIMESTAMP").SetAsDateTime(FClass->CreateDateTime());
    AQuery.ExecSQL();
}

void TfrmClassEdit::SetRecordKey(quint32 ADBId, quint32 AId) {
    FClass->SetPKey(ADBId, AId);
}

void TfrmClassEdit::FillEditors() {
    FNameEdit->setText(FClass->Name());
    FDescEdit->setText(FClass->Description());
    FParentEdit->setText(FClass->ParentClassName());
    const int icon = FClass->IconId();
    FIconCombo->setCurrentIndex(icon >= 0 && icon < FIconCombo->count() ? icon : -1);
}

void TfrmClassEdit::SetEditorsReadOnly(bool AValue) {
    TKVRecordCard::SetEditorsReadOnly(AValue);
    FIconCombo->setEnabled(!AValue);
}

bool TfrmClassEdit::CheckEditors() {
    return CheckRequired(FNameEdit);
}

void TfrmClassEdit::StoreEditors(TDateTime ACreateDateTime, TDateTime AUpdateDateTime) {
    FClass->UpdateData(FNameEdit->text(), FDescEdit->text(), FIconCombo->currentIndex(),
                       ACreateDateTime, AUpdateDateTime, FClass->ReplDateTime(),
                       FClass->ElementTypesCount());
}

TDateTime TfrmClassEdit::RecordCreateDateTime() const {
    return FClass->CreateDateTime();
}

QString TfrmClassEdit::RecordCardName() const {
    return FClass->Name();
}

void TfrmClassEdit::OpenCopy() {
    OpenCardClass(DBId(), Id(), true);
}

bool TfrmClassEdit::RefreshesList(const TKVListHost& AHost) const {
    return dynamic_cast<const TfrmClass*>(&AHost) != nullptr;
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
    return TKVRecordCard::eventFilter(AObject, AEvent);
}

TfrmClassEdit* OpenCardClass(quint32 ADBId, quint32 AId, bool ACreateCopyFlag) {
    return OpenRecordCard<TfrmClassEdit>(2110, ADBId, AId, ACreateCopyFlag);
}
