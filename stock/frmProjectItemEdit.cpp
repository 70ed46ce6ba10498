#include "stock/frmProjectItemEdit.h"

#include "catalogue/frmElementType.h"
#include "core/KVUserInterface.h"
#include "core/udmMain.h"
#include "platform/ib/IBQuery.h"
#include "platform/sys/SysUtils.h"
#include "refbooks/frmClass.h"
#include "shell/KVButtonEdit.h"
#include "shell/uMessage.h"
#include "stock/KVStockDialogs.h"
#include "stock/frmChangeCount.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QToolButton>

namespace {

constexpr quint32 kIcon = 2115;

TKVCardBook ProjectItemCardBook() {
    TKVCardBook book;
    book.Name = QStringLiteral("ProjectItem");
    book.KeyHasDBId = false;
    book.ItemType = itProjectItem;
    book.NewRecordText = QStringLiteral("New Project Item");
    book.HelpTopic = QStringLiteral("CardProjectItem");
    book.ClientSize = QSize(377, 240);
    book.SelectSQL = QStringLiteral(
        "SELECT FIRST 1 SKIP 0 TPI.ID, TPI.ELEMENTTYPEDBID, TPI.ELEMENTTYPEID, TPI.ELEMENTAVAILID, "
        "TPI.V_COUNT_FLOAT, TPI.S_TEXT, TP.S_NAME AS PROJECTNAME, TP.F_PROGRESS AS "
        "PROJECTINPROGRESS, TC.DBID AS CLASSDBID, TC.ID AS CLASSID, TC.S_NAME AS CLASSNAME, "
        "TC.ICONID AS ELEMENTTYPEICONID, TET.S_TYPENAME AS TET_ELEMENTTYPENAME, TEA.S_TYPENAME AS "
        "TEA_ELEMENTTYPENAME, TEA.V_COUNT_FLOAT AS COUNTAVAIL, TEA.UNITCOUNTDBID, TEA.UNITCOUNTID, "
        "TEA.V_NOMINAL AS NOMINAL, TEA.UNITNOMDBID, TEA.UNITNOMID, TU0.S_PREFIX AS "
        "UNITCOUNTPREFIX, TU1.S_PREFIX AS UNITNOMPREFIX, TPI.C_TIMESTAMP, TPI.U_TIMESTAMP FROM "
        "T_PROJECT_ITEM TPI LEFT JOIN T_PROJECT TP ON TPI.PROJECTID = TP.ID LEFT JOIN "
        "T_ELEMENT_TYPE TET ON TET.DBID = TPI.ELEMENTTYPEDBID AND TET.ID = TPI.ELEMENTTYPEID LEFT "
        "JOIN T_CLASS TC ON TC.DBID = TET.CLASSDBID AND TC.ID = TET.CLASSID LEFT JOIN "
        "T_ELEMENT_AVAIL TEA ON TEA.ID = TPI.ELEMENTAVAILID LEFT JOIN T_UNIT TU0 ON TU0.DBID = "
        "TEA.UNITCOUNTDBID AND TU0.ID = TEA.UNITCOUNTID LEFT JOIN T_UNIT TU1 ON TU1.DBID = "
        "TEA.UNITNOMDBID AND TU1.ID = TEA.UNITNOMID WHERE TPI.ID = :VAR_ID;");
    book.UpdateSQL = QStringLiteral(
        "UPDATE T_PROJECT_ITEM SET ELEMENTTYPEDBID = :VAR_ELEMENTTYPEDBID, ELEMENTTYPEID = "
        ":VAR_ELEMENTTYPEID, ELEMENTAVAILID = :VAR_ELEMENTAVAILID, V_COUNT_FLOAT = "
        ":VAR_V_COUNT_FLOAT, S_TEXT = :VAR_S_TEXT, V_FLAG = :VAR_V_FLAG, U_TIMESTAMP = "
        ":VAR_U_TIMESTAMP WHERE ID = :VAR_ID;");
    book.InsertSQL = QStringLiteral(
        "EXECUTE PROCEDURE INSERT_PROJECT_ITEM (:I_PROJECTID, :I_ELEMENTTYPEDBID, "
        ":I_ELEMENTTYPEID, :I_ELEMENTAVAILID, :I_V_COUNT_FLOAT, :I_S_TEXT, :I_V_FLAG, "
        ":I_C_TIMESTAMP)");
    return book;
}

} // namespace

TfrmProjectItemEdit::TfrmProjectItemEdit(QWidget* AParent)
    : TKVBookCard(ProjectItemCardBook(), AParent) {
    FProjectEdit = new QLineEdit(this);
    FProjectEdit->setObjectName(QStringLiteral("ProjectItemProject_TextEdit"));
    FProjectEdit->setReadOnly(true);
    AddEditorRow(tr("Проект"), FProjectEdit);

    TKVCardLink classLink;
    classLink.CheckDBId = false;
    classLink.Pick = [this](TKVSelectedItemDBData& AResult) {
        SelectClass(Row()->PIClassDBId(), Row()->PIClassId(), 0, 0, AResult);
    };
    classLink.Set = [this](quint32 ADBId, quint32 AId, const QString& AName) {
        // Another class drops the element type and the stock record; Del keeps a stock record
        // that stands alone.
        if (AId != 0 || Row()->UsageElementType())
            ClearAvail();
        Row()->UpdateClassData(ADBId, AId, AName);
        Row()->UpdateElementTypeData(0, 0, -1);
        FTypeEdit->setText(QString());
    };
    FClassEdit = AddLinkEditor("ProjectItemClass_ButtonEdit", tr("Класс элемента"), classLink);

    TKVCardLink typeLink;
    typeLink.CheckDBId = false;
    typeLink.Pick = [this](TKVSelectedItemDBData& AResult) {
        AResult = TKVSelectedItemDBData();
        if (Row()->PIClassId() == 0) {
            FClassEdit->LineEdit()->setFocus();
            return;
        }
        SelectElementType(Row()->ElementTypeDBId(), Row()->ElementTypeId(), Row()->PIClassDBId(),
                          Row()->PIClassId(), AResult);
    };
    typeLink.Set = [this](quint32 ADBId, quint32 AId, const QString& AName) {
        if (AId != 0 || Row()->UsageElementType())
            ClearAvail();
        Row()->UpdateElementTypeData(ADBId, AId, Row()->ElementTypeIconId());
        Row()->UpdateElementTypeName(AName);
    };
    FTypeEdit = AddLinkEditor("ProjectItemElementType_ButtonEdit", tr("Тип элемента"), typeLink);

    TKVCardLink availLink;
    availLink.CheckDBId = false;
    availLink.Pick = [this](TKVSelectedItemDBData& AResult) {
        TKVSelectedLocalItemDBData selected;
        if (Row()->UsageElementType())
            SelectElementAvail(Row()->ElementAvailId(), easdmOnElementType,
                               Row()->ElementTypeDBId(), Row()->ElementTypeId(), 0, selected);
        else
            SelectElementAvail(Row()->ElementAvailId(), easdmAll, 0, 0, 0, selected);
        AResult =
            SetSelectedItemDBData(selected.Select, 0, selected.Id, selected.Tag, selected.Name);
    };
    availLink.Set = [this](quint32, quint32 AId, const QString&) {
        if (AId != 0) {
            TakeAvail(AId);
            return;
        }
        if (!Row()->UsageElementType())
            Row()->UpdateElementTypeName(QString());
        ClearAvail();
    };
    FAvailEdit = AddLinkEditor("ProjectItemAvail_ButtonEdit", tr("Элемент в наличии"), availLink);

    FInfoLabel = new QLabel(this);
    FInfoLabel->setObjectName(QStringLiteral("ProjectItemInfo_Label"));
    AddEditorRow(QString(), FInfoLabel);

    FCountEdit = new QLineEdit(this);
    FCountEdit->setObjectName(QStringLiteral("ProjectItemCount_SpinEdit"));
    FUnitLabel = new QLabel(this);
    FUnitLabel->setObjectName(QStringLiteral("ProjectItemUnitCount_Label"));
    auto* countRow = new QWidget(this);
    auto* countLayout = new QHBoxLayout(countRow);
    countLayout->setContentsMargins(0, 0, 0, 0);
    countLayout->addWidget(FCountEdit, 1);
    countLayout->addWidget(FUnitLabel);
    connect(FCountEdit, &QLineEdit::textChanged, this, [this](const QString& AText) {
        if (FFilling)
            return;
        TextEditPropertiesChange();
        // The required count is never below 0.
        const std::optional<double> value = TfrmChangeCount::ParseNumber(AText);
        if (value && *value < 0)
            FCountEdit->setText(QStringLiteral("0"));
    });
    AddEditorRow(tr("Требуемое количество"), countRow);

    FTextEdit = AddTextEditor("ProjectItemText_TextEdit", tr("Примечание"), KVDescriptionLength);
}

bool TfrmProjectItemEdit::Init(quint32 AId, bool ACreateCopyFlag, quint32 AProjectId) {
    FProjectId = AProjectId;
    if (!TKVBookCard::Init(0, AId, ACreateCopyFlag))
        return false;
    UpdateCopyButton();
    if (AId == 0)
        FAvailEdit->LineEdit()->setFocus();
    return true;
}

bool TfrmProjectItemEdit::ReadOnly() const {
    return (Row() && !Row()->ProjectInProgress()) || TKVBookCard::ReadOnly();
}

bool TfrmProjectItemEdit::LinkedToRecord(TKVItemType AItemType, quint32 ADBId, quint32 AId) const {
    if (!Row() || AId == 0)
        return false;
    switch (AItemType) {
    case itProject:
        return AId == FProjectId;
    case itClass:
        return PIClassDBId() == ADBId && PIClassId() == AId;
    case itElementType:
        return ElementTypeDBId() == ADBId && ElementTypeId() == AId;
    case itElementAvail:
        return ElementAvailId() == AId;
    default:
        return false;
    }
}

void TfrmProjectItemEdit::UpdateCopyButton() {
    ToolButton(QStringLiteral("Copy_ToolButton"))
        ->setEnabled(Id() != 0 && !ReadOnly() && dmMain && dmMain->CanWriteDataBase());
}

// ------------------------------------------------------------------------- the record

void TfrmProjectItemEdit::CreateRecord(quint32, quint32 AId) {
    SetRow(std::make_unique<TKVProjectItem>(AId, FProjectId));
}

bool TfrmProjectItemEdit::ReadNewRecord(TIBQuery& AQuery) {
    AQuery.SetSQL(QStringLiteral(
        "SELECT FIRST 1 SKIP 0 S_NAME, F_PROGRESS FROM T_PROJECT WHERE ID = :VAR_ID;"));
    AQuery.ParamByName("VAR_ID").SetAsInt64(FProjectId);
    AQuery.Open();
    // A project that is gone: no name, and not in work.
    if (AQuery.Eof())
        Row()->UpdateProjectData(QString(), false);
    else
        Row()->UpdateProjectData(AQuery.FieldByName("S_NAME").AsString(),
                                 !AQuery.FieldByName("F_PROGRESS").IsNull());
    AQuery.Close();
    Row()->UpdateData(1, QString(), 0, 0, QString());
    return true;
}

void TfrmProjectItemEdit::LoadProjectStatus() {
    if (!Row() || !dmMain || !dmMain->DBConnected())
        return;
    bool found = false;
    bool inWork = false;
    TIBQuery query(&dmMain->MainIBDatabase, &dmMain->MainIBTransaction);
    const bool ok = dmMain->ExecuteInTransaction([&] {
        query.SetSQL(
            QStringLiteral("SELECT FIRST 1 SKIP 0 F_PROGRESS FROM T_PROJECT WHERE ID = :VAR_ID;"));
        query.ParamByName("VAR_ID").SetAsInt64(FProjectId);
        query.Open();
        found = !query.Eof();
        inWork = found && !query.FieldByName("F_PROGRESS").IsNull();
        query.Close();
    });
    if (ok && !found)
        ShowObjectNotFound(0, FProjectId, false);
    if (ok && found)
        Row()->UpdateProjectData(Row()->ProjectName(), inWork);
}

void TfrmProjectItemEdit::BindFields(TIBQuery& AQuery, const QString& APrefix) const {
    const auto param = [&](const char* AColumn) -> TIBParam& {
        return AQuery.ParamByName(APrefix + QLatin1String(AColumn));
    };
    const TKVProjectItem& row = *Row();
    if (APrefix == QLatin1String("I_"))
        param("PROJECTID").SetAsInt64(FProjectId);
    if (row.UsageElementType())
        SetLinkOrNull(param("ELEMENTTYPEDBID"), param("ELEMENTTYPEID"), row.ElementTypeDBId(),
                      row.ElementTypeId());
    else
        SetLinkOrNull(param("ELEMENTTYPEDBID"), param("ELEMENTTYPEID"), 0, 0);
    // The link is kept whatever the stock record's count holds.
    if (row.ElementAvailId() != 0)
        param("ELEMENTAVAILID").SetAsInt64(row.ElementAvailId());
    else
        param("ELEMENTAVAILID").Clear();
    param("V_COUNT_FLOAT").SetAsDouble(row.Count());
    SetTextOrNull(param("S_TEXT"), row.Text());
    param("V_FLAG").SetAsInteger(0);
}

// -------------------------------------------------------------------------- editors

void TfrmProjectItemEdit::ClearAvail() {
    Row()->UpdateElementAvailData(0, QVariant(), 0, 0, QString(), QVariant(), 0, 0, QString());
    FAvailEdit->setText(QString());
    ShowAvail();
}

void TfrmProjectItemEdit::TakeAvail(quint32 AId) {
    if (!dmMain || !dmMain->DBConnected())
        return;
    TIBQuery query(&dmMain->MainIBDatabase, &dmMain->MainIBTransaction);
    dmMain->ExecuteInTransaction([&] {
        query.SetSQL(QStringLiteral(
            "SELECT FIRST 1 SKIP 0 TEA.UNITCOUNTDBID, TEA.UNITCOUNTID, TEA.UNITNOMDBID, "
            "TEA.UNITNOMID, TEA.ELEMENTTYPEDBID, TEA.ELEMENTTYPEID, TEA.S_TYPENAME AS "
            "TEA_ELEMENTTYPENAME, TEA.V_COUNT_FLOAT, TEA.V_NOMINAL, TET.S_TYPENAME AS "
            "TET_ELEMENTTYPENAME, TC.DBID AS CLASSDBID, TC.ID AS CLASSID, TC.S_NAME AS CLASSNAME, "
            "TC.ICONID AS CLASSICONID, TU0.S_PREFIX AS UNITCOUNTPREFIX, TU1.S_PREFIX AS "
            "UNITNOMPREFIX FROM T_ELEMENT_AVAIL TEA LEFT JOIN T_ELEMENT_TYPE TET ON TET.DBID = "
            "TEA.ELEMENTTYPEDBID AND TET.ID = TEA.ELEMENTTYPEID LEFT JOIN T_CLASS TC ON TC.DBID = "
            "TET.CLASSDBID AND TC.ID = TET.CLASSID LEFT JOIN T_UNIT TU0 ON TU0.DBID = "
            "TEA.UNITCOUNTDBID AND TU0.ID = TEA.UNITCOUNTID LEFT JOIN T_UNIT TU1 ON TU1.DBID = "
            "TEA.UNITNOMDBID AND TU1.ID = TEA.UNITNOMID WHERE TEA.ID = :VAR_ID;"));
        query.ParamByName("VAR_ID").SetAsInt64(AId);
        query.Open();
        if (query.Eof()) {
            query.Close();
            throw Exception(tr("Запись наличия не найдена в базе данных: возможно, она была "
                               "удалена."));
        }
        const auto key = [&](const char* AName) {
            return static_cast<quint32>(query.FieldByName(AName).AsInt64());
        };
        const auto number = [&](const char* AName) {
            const TIBField& field = query.FieldByName(AName);
            return field.IsNull() ? QVariant() : QVariant(field.AsDouble());
        };
        TKVProjectItem& row = *Row();
        row.UpdateElementAvailData(
            AId, number("V_COUNT_FLOAT"), key("UNITCOUNTDBID"), key("UNITCOUNTID"),
            query.FieldByName("UNITCOUNTPREFIX").AsString(), number("V_NOMINAL"),
            key("UNITNOMDBID"), key("UNITNOMID"), query.FieldByName("UNITNOMPREFIX").AsString());
        if (query.FieldByName("ELEMENTTYPEID").IsNull()) {
            row.UpdateClassData(0, 0, QString());
            row.UpdateElementTypeData(0, 0, -1);
            row.UpdateElementTypeName(query.FieldByName("TEA_ELEMENTTYPENAME").AsString());
        } else {
            row.UpdateClassData(key("CLASSDBID"), key("CLASSID"),
                                query.FieldByName("CLASSNAME").AsString());
            const TIBField& icon = query.FieldByName("CLASSICONID");
            row.UpdateElementTypeData(key("ELEMENTTYPEDBID"), key("ELEMENTTYPEID"),
                                      icon.IsNull() ? -1 : static_cast<qint32>(icon.AsInt64()));
            row.UpdateElementTypeName(query.FieldByName("TET_ELEMENTTYPENAME").AsString());
        }
        query.Close();
    });
    FClassEdit->setText(Row()->UsageElementType() ? QString(Row()->PIClassName()) : QString());
    FTypeEdit->setText(Row()->UsageElementType() ? QString(Row()->ElementTypeName()) : QString());
    ShowAvail();
}

void TfrmProjectItemEdit::ShowAvail() {
    const TKVProjectItem& row = *Row();
    const bool filling = FFilling;
    FFilling = true;
    if (row.UsageAvail()) {
        QString info;
        if (row.UsageNominal())
            info = tr("Номинал ") + FloatToStrKV(row.Nominal()) + QLatin1Char(' ') +
                   QString(row.UnitNominalPrefix()) + QStringLiteral("; ");
        info += tr("В наличии") + QLatin1Char(' ') + FloatToStrKV(row.CountAvail()) +
                QLatin1Char(' ') + QString(row.UnitCountPrefix());
        FInfoLabel->setText(info);
        FUnitLabel->setText(row.UnitCountPrefix());
    } else {
        FInfoLabel->clear();
        FUnitLabel->clear();
    }
    FAvailEdit->setText(row.ElementAvailId() != 0 ? QString(row.ElementTypeName()) : QString());
    FFilling = filling;
}

void TfrmProjectItemEdit::FillEditors() {
    FFilling = true;
    const TKVProjectItem& row = *Row();
    FProjectEdit->setText(row.ProjectName());
    FClassEdit->setText(row.UsageElementType() ? QString(row.PIClassName()) : QString());
    FTypeEdit->setText(row.UsageElementType() ? QString(row.ElementTypeName()) : QString());
    ShowAvail();
    FCountEdit->setText(FloatToStrKV(row.Count()));
    FTextEdit->setText(row.Text());
    FFilling = false;
}

void TfrmProjectItemEdit::SetEditorsReadOnly(bool AValue) {
    TKVBookCard::SetEditorsReadOnly(AValue);
    FCountEdit->setReadOnly(AValue);
}

bool TfrmProjectItemEdit::CheckEditors() {
    const TKVProjectItem& row = *Row();
    if (row.ElementAvailId() == 0) {
        if (row.PIClassId() == 0) {
            FClassEdit->LineEdit()->setFocus();
            return false;
        }
        if (!row.UsageElementType()) {
            FTypeEdit->LineEdit()->setFocus();
            return false;
        }
    }
    const std::optional<double> value = TfrmChangeCount::ParseNumber(FCountEdit->text());
    if (!value || *value < 0) {
        FCountEdit->setFocus();
        ShowMessageDlg(
            tr("Значение поля «%1» должно быть числом не меньше 0").arg(tr("Требуемое количество")),
            mdkWarning, mdbOK);
        return false;
    }
    FCheckedCount = *value;
    return true;
}

void TfrmProjectItemEdit::StoreEditors(TDateTime ACreateDateTime, TDateTime AUpdateDateTime) {
    Row()->UpdateData(FCheckedCount, FTextEdit->text(), ACreateDateTime, AUpdateDateTime,
                      Row()->CaseTypeName());
}

// ----------------------------------------------------------------------------- save

bool TfrmProjectItemEdit::ArchivedRefusal() {
    LoadProjectStatus();
    if (Row()->ProjectInProgress())
        return false;
    ShowMessageDlg(tr("Внесение изменений в архивный проект невозможно."), mdkError, mdbOK);
    return true;
}

bool TfrmProjectItemEdit::SaveItem() {
    if (!Row() || ArchivedRefusal())
        return false;
    const bool ok = TKVBookCard::SaveItem();
    UpdateCopyButton();
    return ok;
}

void TfrmProjectItemEdit::OpenCopy() {
    if (Id() != 0 && !ArchivedRefusal())
        OpenCardProjectItem(Id(), true, FProjectId);
}

TfrmProjectItemEdit* OpenCardProjectItem(quint32 AId, bool ACreateCopyFlag, quint32 AProjectId) {
    return OpenRecordCard<TfrmProjectItemEdit>(kIcon, 0, AId, ACreateCopyFlag, AProjectId);
}
