#include "catalogue/frmElementAnalogEdit.h"

#include "catalogue/KVElementTypeRef.h"
#include "catalogue/frmElementType.h"
#include "platform/ib/IBQuery.h"
#include "refbooks/frmClass.h"
#include "shell/KVButtonEdit.h"
#include "shell/uMessage.h"

#include <QComboBox>
#include <QLineEdit>

#include <utility>

namespace {

constexpr quint32 kIcon = 2125;

TKVCardBook ElementAnalogCardBook() {
    TKVCardBook book;
    book.Name = QStringLiteral("ElementAnalog");
    book.KeyHasDBId = true;
    book.ItemType = itElementAnalog;
    book.NewRecordText = QStringLiteral("New Element Analog");
    book.HelpTopic = QStringLiteral("CardElementAnalog");
    book.ClientSize = QSize(377, 292);
    book.SelectSQL = QStringLiteral(
        "SELECT FIRST 1 SKIP 0 TEAN.PELEMENTTYPEDBID, TEAN.PELEMENTTYPEID, TEAN.AELEMENTTYPEDBID, "
        "TEAN.AELEMENTTYPEID, TEAN.V_FUNCTIONAL, TEAN.V_FEATURES, TEAN.V_CASE, TEAN.V_PINOUT, "
        "TEAN.S_TEXT, TEAN.C_TIMESTAMP, TEAN.U_TIMESTAMP, TEAN.R_TIMESTAMP, TET.S_TYPENAME AS "
        "PELEMENTTYPENAME, TET2.S_TYPENAME AS AELEMENTTYPENAME, TC.S_NAME AS "
        "PELEMENTTYPECLASSNAME, TC.DBID AS PELEMENTTYPECLASSDBID, TC.ID AS PELEMENTTYPECLASSID, "
        "TC2.S_NAME AS AELEMENTTYPECLASSNAME, TC2.DBID AS AELEMENTTYPECLASSDBID, TC2.ID AS "
        "AELEMENTTYPECLASSID FROM T_ELEMENT_ANALOG TEAN LEFT JOIN T_ELEMENT_TYPE TET ON TET.DBID = "
        "TEAN.PELEMENTTYPEDBID AND TET.ID = TEAN.PELEMENTTYPEID LEFT JOIN T_ELEMENT_TYPE TET2 ON "
        "TET2.DBID = TEAN.AELEMENTTYPEDBID AND TET2.ID = TEAN.AELEMENTTYPEID LEFT JOIN T_CLASS TC "
        "ON TC.DBID = TET.CLASSDBID AND TC.ID = TET.CLASSID LEFT JOIN T_CLASS TC2 ON TC2.DBID = "
        "TET2.CLASSDBID AND TC2.ID = TET2.CLASSID WHERE TEAN.DBID = :VAR_DBID AND TEAN.ID = "
        ":VAR_ID;");
    book.UpdateSQL = QStringLiteral(
        "UPDATE T_ELEMENT_ANALOG SET PELEMENTTYPEDBID = :VAR_PELEMENTTYPEDBID, PELEMENTTYPEID = "
        ":VAR_PELEMENTTYPEID, AELEMENTTYPEDBID = :VAR_AELEMENTTYPEDBID, AELEMENTTYPEID = "
        ":VAR_AELEMENTTYPEID, V_FUNCTIONAL = :VAR_V_FUNCTIONAL, V_FEATURES = :VAR_V_FEATURES, "
        "V_CASE = :VAR_V_CASE, V_PINOUT = :VAR_V_PINOUT, S_TEXT = :VAR_S_TEXT, V_FLAG = "
        ":VAR_V_FLAG, U_TIMESTAMP = :VAR_U_TIMESTAMP WHERE DBID = :VAR_DBID AND ID = :VAR_ID;");
    book.InsertSQL = QStringLiteral(
        "EXECUTE PROCEDURE INSERT_ELEMENT_ANALOG (:I_PELEMENTTYPEDBID, :I_PELEMENTTYPEID, "
        ":I_AELEMENTTYPEDBID, :I_AELEMENTTYPEID, :I_V_FUNCTIONAL, :I_V_FEATURES, :I_V_CASE, "
        ":I_V_PINOUT, :I_S_TEXT, :I_V_FLAG, :I_C_TIMESTAMP);");
    return book;
}

QString SelfAnalogText() {
    return TfrmElementAnalogEdit::tr("Тип элемента не может быть аналогом самого себя");
}

} // namespace

TfrmElementAnalogEdit::TfrmElementAnalogEdit(QWidget* AParent)
    : TKVBookCard(ElementAnalogCardBook(), AParent) {
    TKVCardLink primaryClass;
    primaryClass.Pick = [this](TKVSelectedItemDBData& AResult) {
        SelectClass(Row()->PrimaryElementTypeClassDBId(), Row()->PrimaryElementTypeClassId(), 0,
                    0, AResult);
    };
    primaryClass.Set = [this](quint32 ADBId, quint32 AId, const QString& AName) {
        // A type belongs to its class: another class (or none) drops it.
        Row()->UpdatePrimaryElementTypeClassData(ADBId, AId, AName);
        Row()->UpdatePrimaryElementTypeData(0, 0, QString());
        FPrimaryTypeEdit->setText(QString());
    };
    FPrimaryClassEdit = AddLinkEditor("ElementAnalogPrimaryClass_ButtonEdit",
                                      tr("Класс осн. элемента"), primaryClass);

    TKVCardLink primaryType;
    primaryType.Pick = [this](TKVSelectedItemDBData& AResult) {
        PickType(Row()->PrimaryElementTypeClassDBId(), Row()->PrimaryElementTypeClassId(),
                 Row()->PrimaryElementTypeDBId(), Row()->PrimaryElementTypeId(),
                 Row()->AnalogElementTypeDBId(), Row()->AnalogElementTypeId(), FPrimaryClassEdit,
                 AResult);
    };
    primaryType.Set = [this](quint32 ADBId, quint32 AId, const QString& AName) {
        Row()->UpdatePrimaryElementTypeData(ADBId, AId, AName);
    };
    FPrimaryTypeEdit = AddLinkEditor("ElementAnalogPrimaryType_ButtonEdit",
                                     tr("Тип осн. элемента"), primaryType);

    TKVCardLink analogClass;
    analogClass.Pick = [this](TKVSelectedItemDBData& AResult) {
        SelectClass(Row()->AnalogElementTypeClassDBId(), Row()->AnalogElementTypeClassId(), 0, 0,
                    AResult);
    };
    analogClass.Set = [this](quint32 ADBId, quint32 AId, const QString& AName) {
        Row()->UpdateAnalogElementTypeClassData(ADBId, AId, AName);
        Row()->UpdateAnalogElementTypeData(0, 0, QString());
        FAnalogTypeEdit->setText(QString());
    };
    FAnalogClassEdit =
        AddLinkEditor("ElementAnalogClass_ButtonEdit", tr("Класс элемента"), analogClass);

    TKVCardLink analogType;
    analogType.Pick = [this](TKVSelectedItemDBData& AResult) {
        PickType(Row()->AnalogElementTypeClassDBId(), Row()->AnalogElementTypeClassId(),
                 Row()->AnalogElementTypeDBId(), Row()->AnalogElementTypeId(),
                 Row()->PrimaryElementTypeDBId(), Row()->PrimaryElementTypeId(), FAnalogClassEdit,
                 AResult);
    };
    analogType.Set = [this](quint32 ADBId, quint32 AId, const QString& AName) {
        Row()->UpdateAnalogElementTypeData(ADBId, AId, AName);
    };
    FAnalogTypeEdit = AddLinkEditor("ElementAnalogType_ButtonEdit", tr("Тип элемента"), analogType);

    FFunctionalCombo =
        AddGradeCombo("ElementAnalogFunctionalType_ComboBox", tr("Схожесть функционала"));
    FFeaturesCombo =
        AddGradeCombo("ElementAnalogFeaturesType_ComboBox", tr("Схожесть характеристик"));
    FCaseCombo = AddGradeCombo("ElementAnalogCaseType_ComboBox", tr("Схожесть корпусировки"));
    FPinoutCombo = AddGradeCombo("ElementAnalogPinoutType_ComboBox", tr("Схожесть распиновки"));
    FTextEdit = AddTextEditor("ElementAnalogText_TextEdit", tr("Примечание"), KVDescriptionLength);
    FillSimilarityCombos();
}

QComboBox* TfrmElementAnalogEdit::AddGradeCombo(const char* AName, const QString& ALabel) {
    auto* combo = new QComboBox(this);
    combo->setObjectName(QLatin1String(AName));
    AddEditorRow(ALabel, combo);
    connect(combo, &QComboBox::currentIndexChanged, this,
            &TfrmElementAnalogEdit::TextEditPropertiesChange);
    return combo;
}

void TfrmElementAnalogEdit::FillSimilarityCombos() {
    const auto fill = [](QComboBox* ACombo, int ALast, QString (*AName)(int)) {
        const QSignalBlocker blocker(ACombo);
        ACombo->clear();
        for (int value = 0; value <= ALast; ++value)
            ACombo->addItem(AName(value));
    };
    fill(FFunctionalCombo, sfntPossibleAnalog, SimilalFunctionalTypeToStr);
    fill(FFeaturesCombo, sfttNoAnalog, SimilalFeaturesTypeToStr);
    fill(FCaseCombo, sctAnotherCase, SimilalCaseTypeToStr);
    fill(FPinoutCombo, spotNoAnalog, SimilalPinoutTypeToStr);
}

bool TfrmElementAnalogEdit::Init(quint32 ADBId, quint32 AId, bool ACreateCopyFlag,
                                 quint32 APrimaryElementTypeDBId, quint32 APrimaryElementTypeId,
                                 quint32 AAnalogElementTypeDBId, quint32 AAnalogElementTypeId) {
    FInitPrimaryDBId = APrimaryElementTypeDBId;
    FInitPrimaryId = APrimaryElementTypeId;
    FInitAnalogDBId = AAnalogElementTypeDBId;
    FInitAnalogId = AAnalogElementTypeId;
    return TKVBookCard::Init(ADBId, AId, ACreateCopyFlag);
}

bool TfrmElementAnalogEdit::LinkedToRecord(TKVItemType AItemType, quint32 ADBId,
                                           quint32 AId) const {
    const auto is = [&](quint32 ARefDBId, quint32 ARefId) {
        return ARefId != 0 && ARefDBId == ADBId && ARefId == AId;
    };
    switch (AItemType) {
    case itElementType:
        return is(PrimaryElementTypeDBId(), PrimaryElementTypeId()) ||
               is(AnalogElementTypeDBId(), AnalogElementTypeId());
    case itClass:
        return is(PrimaryElementTypeClassDBId(), PrimaryElementTypeClassId()) ||
               is(AnalogElementTypeClassDBId(), AnalogElementTypeClassId());
    default:
        return false;
    }
}

// ------------------------------------------------------------------------- the record

void TfrmElementAnalogEdit::CreateRecord(quint32 ADBId, quint32 AId) {
    SetRow(std::make_unique<TKVElementAnalog>(ADBId, AId));
    if (AId == 0) {
        Row()->UpdatePrimaryElementTypeData(FInitPrimaryDBId, FInitPrimaryId, QString());
        Row()->UpdateAnalogElementTypeData(FInitAnalogDBId, FInitAnalogId, QString());
    }
}

bool TfrmElementAnalogEdit::ReadNewRecord(TIBQuery& AQuery) {
    // A given type that does not exist is left out rather than kept as a link to nothing.
    TKVElementTypeRef ref;
    if (Row()->PrimaryElementTypeId() != 0) {
        if (ReadElementTypeRef(AQuery, Row()->PrimaryElementTypeDBId(),
                               Row()->PrimaryElementTypeId(), ref)) {
            Row()->UpdatePrimaryElementTypeData(Row()->PrimaryElementTypeDBId(),
                                                Row()->PrimaryElementTypeId(), ref.Name);
            Row()->UpdatePrimaryElementTypeClassData(ref.ClassKey.DBId, ref.ClassKey.Id,
                                                     ref.ClassName);
        } else {
            Row()->UpdatePrimaryElementTypeData(0, 0, QString());
        }
    }
    if (Row()->AnalogElementTypeId() != 0) {
        if (ReadElementTypeRef(AQuery, Row()->AnalogElementTypeDBId(),
                               Row()->AnalogElementTypeId(), ref)) {
            Row()->UpdateAnalogElementTypeData(Row()->AnalogElementTypeDBId(),
                                               Row()->AnalogElementTypeId(), ref.Name);
            Row()->UpdateAnalogElementTypeClassData(ref.ClassKey.DBId, ref.ClassKey.Id,
                                                    ref.ClassName);
        } else {
            Row()->UpdateAnalogElementTypeData(0, 0, QString());
        }
    }
    return true;
}

void TfrmElementAnalogEdit::BindFields(TIBQuery& AQuery, const QString& APrefix) const {
    const auto param = [&](const char* AColumn) -> TIBParam& {
        return AQuery.ParamByName(APrefix + QLatin1String(AColumn));
    };
    param("PELEMENTTYPEDBID").SetAsInt64(Row()->PrimaryElementTypeDBId());
    param("PELEMENTTYPEID").SetAsInt64(Row()->PrimaryElementTypeId());
    param("AELEMENTTYPEDBID").SetAsInt64(Row()->AnalogElementTypeDBId());
    param("AELEMENTTYPEID").SetAsInt64(Row()->AnalogElementTypeId());
    param("V_FUNCTIONAL").SetAsInteger(Row()->SimilalFunctionalTypeIndex());
    param("V_FEATURES").SetAsInteger(Row()->SimilalFeaturesTypeIndex());
    param("V_CASE").SetAsInteger(Row()->SimilalCaseTypeIndex());
    param("V_PINOUT").SetAsInteger(Row()->SimilalPinoutTypeIndex());
    SetTextOrNull(param("S_TEXT"), Row()->Text());
    param("V_FLAG").SetAsInteger(0);
}

// ------------------------------------------------------------------------------- editors

void TfrmElementAnalogEdit::FillEditors() {
    FPrimaryClassEdit->setText(Row()->PrimaryElementTypeClassName());
    FPrimaryTypeEdit->setText(Row()->PrimaryElementTypeName());
    FAnalogClassEdit->setText(Row()->AnalogElementTypeClassName());
    FAnalogTypeEdit->setText(Row()->AnalogElementTypeName());
    FFunctionalCombo->setCurrentIndex(Row()->SimilalFunctionalTypeIndex());
    FFeaturesCombo->setCurrentIndex(Row()->SimilalFeaturesTypeIndex());
    FCaseCombo->setCurrentIndex(Row()->SimilalCaseTypeIndex());
    FPinoutCombo->setCurrentIndex(Row()->SimilalPinoutTypeIndex());
    FTextEdit->setText(Row()->Text());
}

void TfrmElementAnalogEdit::PickType(quint32 AClassDBId, quint32 AClassId, quint32 ATypeDBId,
                                     quint32 ATypeId, quint32 AOtherDBId, quint32 AOtherId,
                                     TKVButtonEdit* AClassEdit, TKVSelectedItemDBData& AResult) {
    if (AClassId == 0) {
        AClassEdit->LineEdit()->setFocus();
        return;
    }
    SelectElementType(ATypeDBId, ATypeId, AClassDBId, AClassId, AResult);
    if (AResult.Select && AOtherId != 0 && AResult.DBId == AOtherDBId && AResult.Id == AOtherId) {
        AResult = TKVSelectedItemDBData();
        ShowMessageDlg(SelfAnalogText(), mdkWarning, mdbOK);
    }
}

bool TfrmElementAnalogEdit::CheckEditors() {
    const std::pair<quint32, TKVButtonEdit*> references[] = {
        {Row()->PrimaryElementTypeClassId(), FPrimaryClassEdit},
        {Row()->PrimaryElementTypeId(), FPrimaryTypeEdit},
        {Row()->AnalogElementTypeClassId(), FAnalogClassEdit},
        {Row()->AnalogElementTypeId(), FAnalogTypeEdit}};
    for (const auto& [id, editor] : references)
        if (id == 0) {
            editor->LineEdit()->setFocus();
            return false;
        }
    if (Row()->PrimaryElementTypeDBId() == Row()->AnalogElementTypeDBId() &&
        Row()->PrimaryElementTypeId() == Row()->AnalogElementTypeId()) {
        FAnalogTypeEdit->LineEdit()->setFocus();
        ShowMessageDlg(SelfAnalogText(), mdkWarning, mdbOK);
        return false;
    }
    return true;
}

void TfrmElementAnalogEdit::StoreEditors(TDateTime ACreateDateTime, TDateTime AUpdateDateTime) {
    Row()->UpdateData(IndexToSimilalFunctionalType(FFunctionalCombo->currentIndex()),
                      IndexToSimilalFeaturesType(FFeaturesCombo->currentIndex()),
                      IndexToSimilalCaseType(FCaseCombo->currentIndex()),
                      IndexToSimilalPinoutType(FPinoutCombo->currentIndex()), FTextEdit->text(),
                      ACreateDateTime, AUpdateDateTime);
}

QString TfrmElementAnalogEdit::RecordCardName() const {
    return Row()->PrimaryElementTypeName();
}

void TfrmElementAnalogEdit::SetEditorsReadOnly(bool AValue) {
    TKVBookCard::SetEditorsReadOnly(AValue);
    for (QComboBox* combo : {FFunctionalCombo, FFeaturesCombo, FCaseCombo, FPinoutCombo})
        combo->setEnabled(!AValue);
}

void TfrmElementAnalogEdit::OpenCopy() {
    OpenCardElementAnalog(DBId(), Id(), true, 0, 0, 0, 0);
}

// ------------------------------------------------------------------------------ opener

TfrmElementAnalogEdit* OpenCardElementAnalog(quint32 ADBId, quint32 AId, bool ACreateCopyFlag,
                                             quint32 APrimaryElementTypeDBId,
                                             quint32 APrimaryElementTypeId,
                                             quint32 AAnalogElementTypeDBId,
                                             quint32 AAnalogElementTypeId) {
    return OpenRecordCard<TfrmElementAnalogEdit>(kIcon, ADBId, AId, ACreateCopyFlag,
                                                 APrimaryElementTypeDBId, APrimaryElementTypeId,
                                                 AAnalogElementTypeDBId, AAnalogElementTypeId);
}
