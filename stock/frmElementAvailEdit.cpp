#include "stock/frmElementAvailEdit.h"

#include "catalogue/frmElementType.h"
#include "core/udmMain.h"
#include "platform/ib/IBQuery.h"
#include "platform/sys/Win1251.h"
#include "refbooks/frmClass.h"
#include "refbooks/frmStorage.h"
#include "refbooks/frmUnit.h"
#include "shell/KVButtonEdit.h"
#include "shell/uMessage.h"
#include "stock/frmChangeCount.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QRegularExpression>

#include <cmath>

namespace {

constexpr quint32 kIcon = 2123;

TKVCardBook ElementAvailCardBook() {
    TKVCardBook book;
    book.Name = QStringLiteral("ElementAvail");
    book.KeyHasDBId = false;
    book.ItemType = itElementAvail;
    book.NewRecordText = QStringLiteral("New Element Avail");
    book.HelpTopic = QStringLiteral("CardElementAvail");
    book.ClientSize = QSize(377, 380);
    book.SelectSQL = QStringLiteral(
        "SELECT FIRST 1 SKIP 0 TEA.ELEMENTTYPEDBID, TEA.ELEMENTTYPEID, TEA.S_TYPENAME, "
        "TEA.V_COUNT_FLOAT, V_NEED_FLOAT, TEA.V_NOMINAL, TEA.S_MARKING, TEA.S_CELL, TEA.S_TEXT, "
        "TEA.V_FLAG, TEA.UNITNOMDBID, TEA.UNITNOMID, TEA.UNITCOUNTDBID, TEA.UNITCOUNTID, "
        "TEA.STORAGEID, TET.S_TYPENAME AS ELEMENTTYPENAME, TU0.S_PREFIX AS UNITNOMPREFIX, "
        "TU1.S_PREFIX AS UNITCOUNTPREFIX, TS.S_NAME AS STORAGENAME, TS.S_CELLLIST AS "
        "STORAGECELLLIST, TC.DBID AS CLASSDBID, TC.ID AS CLASSID, TC.S_NAME AS CLASSNAME, "
        "TEA.C_TIMESTAMP, TEA.U_TIMESTAMP FROM T_ELEMENT_AVAIL TEA LEFT JOIN T_ELEMENT_TYPE TET "
        "ON TET.DBID = TEA.ELEMENTTYPEDBID AND TET.ID = TEA.ELEMENTTYPEID LEFT JOIN T_CLASS TC ON "
        "TC.DBID = TET.CLASSDBID AND TC.ID = TET.CLASSID LEFT JOIN T_UNIT TU0 ON TU0.DBID = "
        "TEA.UNITNOMDBID AND TU0.ID = TEA.UNITNOMID LEFT JOIN T_UNIT TU1 ON TU1.DBID = "
        "TEA.UNITCOUNTDBID AND TU1.ID = TEA.UNITCOUNTID LEFT JOIN T_STORAGE TS ON TS.ID = "
        "TEA.STORAGEID WHERE TEA.ID = :VAR_ID;");
    book.UpdateSQL = QStringLiteral(
        "UPDATE T_ELEMENT_AVAIL SET ELEMENTTYPEDBID = :VAR_ELEMENTTYPEDBID, ELEMENTTYPEID = "
        ":VAR_ELEMENTTYPEID, UNITNOMDBID = :VAR_UNITNOMDBID, UNITNOMID = :VAR_UNITNOMID, "
        "UNITCOUNTDBID = :VAR_UNITCOUNTDBID, UNITCOUNTID = :VAR_UNITCOUNTID, STORAGEID = "
        ":VAR_STORAGEID, S_TYPENAME = :VAR_S_TYPENAME, V_COUNT_FLOAT = :VAR_V_COUNT_FLOAT, "
        "V_NEED_FLOAT = :VAR_V_NEED_FLOAT, V_NOMINAL = :VAR_V_NOMINAL, S_MARKING = :VAR_S_MARKING, "
        "S_CELL = :VAR_S_CELL, S_TEXT = :VAR_S_TEXT, V_FLAG = :VAR_V_FLAG, U_TIMESTAMP = "
        ":VAR_U_TIMESTAMP WHERE ID = :VAR_ID;");
    book.InsertSQL = QStringLiteral(
        "EXECUTE PROCEDURE INSERT_ELEMENT_AVAIL (:I_ELEMENTTYPEDBID, :I_ELEMENTTYPEID, "
        ":I_UNITNOMDBID, :I_UNITNOMID, :I_UNITCOUNTDBID, :I_UNITCOUNTID, :I_STORAGEID, "
        ":I_S_TYPENAME, :I_V_COUNT_FLOAT, :I_V_NEED_FLOAT, :I_V_NOMINAL, :I_S_MARKING, "
        ":I_S_CELL, :I_S_TEXT, :I_V_FLAG, :I_C_TIMESTAMP)");
    return book;
}

TKVSelectedItemDBData FromLocal(const TKVSelectedLocalItemDBData& ASelected) {
    return SetSelectedItemDBData(ASelected.Select, 0, ASelected.Id, ASelected.Tag, ASelected.Name);
}

// Whether a row exists for the key: ASQL names :VAR_DBID (when AHasDBId) and :VAR_ID.
bool RowExists(TIBQuery& AQuery, const QString& ASQL, bool AHasDBId, quint32 ADBId, quint32 AId) {
    AQuery.Close();
    AQuery.SetSQL(ASQL);
    if (AHasDBId)
        AQuery.ParamByName("VAR_DBID").SetAsInt64(ADBId);
    AQuery.ParamByName("VAR_ID").SetAsInt64(AId);
    AQuery.Open();
    const bool found = !AQuery.Eof();
    AQuery.Close();
    return found;
}

bool ExistsStorageById(TIBQuery& AQuery, quint32 AStorageId) {
    return RowExists(AQuery,
                     QStringLiteral("SELECT 1 FROM RDB$DATABASE WHERE EXISTS(SELECT ID FROM "
                                    "T_STORAGE WHERE ID = :VAR_ID);"),
                     false, 0, AStorageId);
}

} // namespace

TfrmElementAvailEdit::TfrmElementAvailEdit(QWidget* AParent)
    : TKVBookCard(ElementAvailCardBook(), AParent) {
    TKVCardLink classLink;
    classLink.CheckDBId = false;
    classLink.Pick = [this](TKVSelectedItemDBData& AResult) {
        SelectClass(Row()->EAClassDBId(), Row()->EAClassId(), 0, 0, AResult);
    };
    classLink.Set = [this](quint32 ADBId, quint32 AId, const QString& AName) {
        // Another class (or none) leaves no type chosen.
        Row()->UpdateClassData(ADBId, AId, AName);
        Row()->UpdateElementTypeData(0, 0, QString());
        FTypeEdit->setText(QString());
        FNameEdit->setEnabled(AId == 0);
    };
    FClassEdit = AddLinkEditor("ElementAvailClass_ButtonEdit", tr("Класс элемента"), classLink);

    TKVCardLink typeLink;
    typeLink.CheckDBId = false;
    typeLink.Pick = [this](TKVSelectedItemDBData& AResult) {
        AResult = TKVSelectedItemDBData();
        if (Row()->EAClassId() == 0) {
            FClassEdit->LineEdit()->setFocus();
            return;
        }
        SelectElementType(Row()->ElementTypeDBId(), Row()->ElementTypeId(), Row()->EAClassDBId(),
                          Row()->EAClassId(), AResult);
    };
    typeLink.Set = [this](quint32 ADBId, quint32 AId, const QString& AName) {
        Row()->UpdateElementTypeData(ADBId, AId, AName);
        if (AId == 0) {
            FNameEdit->setEnabled(Row()->EAClassId() == 0);
            return;
        }
        FNameEdit->setEnabled(false);
        if (TakeNominalFromElementType()) {
            FNominalBox->setChecked(true);
            ShowNominal();
        }
    };
    FTypeEdit = AddLinkEditor("ElementAvailType_ButtonEdit", tr("Тип элемента"), typeLink);

    FNameEdit = AddTextEditor("ElementAvailName_TextEdit", tr("Название элемента"), KVNameLength);
    connect(FNameEdit, &QLineEdit::textChanged, this, [this] {
        if (!FFilling)
            UpdateNamingEditors();
    });

    FCountEdit = new QLineEdit(this);
    FCountEdit->setObjectName(QStringLiteral("ElementAvailCount_SpinEdit"));
    connect(FCountEdit, &QLineEdit::textChanged, this,
            &TfrmElementAvailEdit::TextEditPropertiesChange);
    AddEditorRow(tr("Количество элементов"), FCountEdit);

    FApproxBox = new QCheckBox(tr("Количество указано приблизительно"), this);
    FApproxBox->setObjectName(QStringLiteral("ElementAvailAppoxCount_CheckBox"));
    connect(FApproxBox, &QCheckBox::toggled, this, &TfrmElementAvailEdit::TextEditPropertiesChange);
    AddEditorRow(QString(), FApproxBox);

    TKVCardLink countUnitLink;
    countUnitLink.CheckDBId = false;
    countUnitLink.Pick = [this](TKVSelectedItemDBData& AResult) {
        SelectUnit(Row()->UnitCountDBId(), Row()->UnitCountId(), AResult);
    };
    countUnitLink.Set = [this](quint32 ADBId, quint32 AId, const QString& AName) {
        Row()->UpdateCountUnitData(ADBId, AId, AName);
    };
    FCountUnitEdit = AddLinkEditor("ElementAvailCountUnit_ButtonEdit", tr("Единица измерения кол."),
                                   countUnitLink);

    FNeedEdit = new QLineEdit(this);
    FNeedEdit->setObjectName(QStringLiteral("ElementAvailNeed_SpinEdit"));
    connect(FNeedEdit, &QLineEdit::textChanged, this,
            &TfrmElementAvailEdit::TextEditPropertiesChange);
    AddEditorRow(tr("Потребность"), FNeedEdit);

    FNominalBox = new QCheckBox(tr("Указать номинал"), this);
    FNominalBox->setObjectName(QStringLiteral("ElementAvailNominal_CheckBox"));
    connect(FNominalBox, &QCheckBox::toggled, this,
            &TfrmElementAvailEdit::TextEditPropertiesChange);
    AddEditorRow(QString(), FNominalBox);

    FNominalEdit = new QLineEdit(this);
    FNominalEdit->setObjectName(QStringLiteral("ElementAvailNominal_SpinEdit"));
    connect(FNominalEdit, &QLineEdit::textChanged, this, [this](const QString& AText) {
        TextEditPropertiesChange();
        // A nominal above 0 asks for the nominal to be stored.
        if (FFilling)
            return;
        const std::optional<double> value = TfrmChangeCount::ParseNumber(AText);
        if (value && *value > 0)
            FNominalBox->setChecked(true);
    });
    AddEditorRow(tr("Номинал"), FNominalEdit);

    TKVCardLink nominalUnitLink;
    nominalUnitLink.CheckDBId = false;
    nominalUnitLink.Pick = [this](TKVSelectedItemDBData& AResult) {
        SelectUnit(Row()->UnitNominalDBId(), Row()->UnitNominalId(), AResult);
    };
    nominalUnitLink.Set = [this](quint32 ADBId, quint32 AId, const QString& AName) {
        Row()->UpdateNominalUnitData(ADBId, AId, 1.0, AName);
        FNominalBox->setChecked(AId != 0);
    };
    FNominalUnitEdit = AddLinkEditor("ElementAvailNominalUnit_ButtonEdit",
                                     tr("Единица измерения ном."), nominalUnitLink);

    TKVCardLink storageLink;
    storageLink.CheckDBId = false;
    storageLink.Pick = [this](TKVSelectedItemDBData& AResult) {
        TKVSelectedLocalItemDBData selected;
        TfrmSelectStorage::SelectStorage(Row()->StorageId(), 0, selected);
        AResult = FromLocal(selected);
    };
    storageLink.Set = [this](quint32, quint32 AId, const QString& AName) {
        Row()->UpdateStorageData(AId, AName);
        if (AId == 0) {
            FCellBox->setEditText(QString());
            SetCellList(QString());
            return;
        }
        // The new place's cells; its cell text stays.
        if (!dmMain || !dmMain->DBConnected())
            return;
        TIBQuery query(&dmMain->MainIBDatabase, &dmMain->MainIBTransaction);
        dmMain->ExecuteInTransaction([&] {
            query.SetSQL(QStringLiteral(
                "SELECT FIRST 1 SKIP 0 S_CELLLIST FROM T_STORAGE WHERE ID = :VAR_ID;"));
            query.ParamByName("VAR_ID").SetAsInt64(AId);
            query.Open();
            if (!query.Eof())
                SetCellList(query.FieldByName("S_CELLLIST").AsString());
            query.Close();
        });
    };
    FStorageEdit =
        AddLinkEditor("ElementAvailStorage_ButtonEdit", tr("Место хранения"), storageLink);

    FCellBox = new QComboBox(this);
    FCellBox->setObjectName(QStringLiteral("ElementAvailCell_ComboBox"));
    FCellBox->setEditable(true);
    FCellBox->setInsertPolicy(QComboBox::NoInsert);
    FCellBox->lineEdit()->setMaxLength(KVNameLength);
    connect(FCellBox, &QComboBox::editTextChanged, this,
            &TfrmElementAvailEdit::TextEditPropertiesChange);
    AddEditorRow(tr("Ячейка места хранения"), FCellBox);

    FMarkingEdit = AddTextEditor("ElementAvailMarking_TextEdit", tr("Маркировка"), KVNameLength);
    FTextEdit = AddTextEditor("ElementAvailText_TextEdit", tr("Примечание"), KVDescriptionLength);
}

bool TfrmElementAvailEdit::Init(quint32 AId, bool ACreateCopyFlag, quint32 AElementTypeDBId,
                                quint32 AElementTypeId, quint32 AStorageId) {
    FInitElementTypeDBId = AElementTypeDBId;
    FInitElementTypeId = AElementTypeId;
    FInitStorageId = AStorageId;
    return TKVBookCard::Init(0, AId, ACreateCopyFlag);
}

bool TfrmElementAvailEdit::Init(quint32, quint32 AId, bool ACreateCopyFlag,
                                quint32 AElementTypeDBId, quint32 AElementTypeId,
                                quint32 AStorageId) {
    return Init(AId, ACreateCopyFlag, AElementTypeDBId, AElementTypeId, AStorageId);
}

bool TfrmElementAvailEdit::LinkedToRecord(TKVItemType AItemType, quint32 ADBId, quint32 AId) const {
    if (!Row() || AId == 0)
        return false;
    switch (AItemType) {
    case itClass:
        return EAClassDBId() == ADBId && EAClassId() == AId;
    case itElementType:
        return ElementTypeDBId() == ADBId && ElementTypeId() == AId;
    case itUnit:
        return (UnitNominalDBId() == ADBId && UnitNominalId() == AId) ||
               (UnitCountDBId() == ADBId && UnitCountId() == AId);
    case itStorage:
        return StorageId() == AId;
    default:
        return false;
    }
}

// ------------------------------------------------------------------------- the record

void TfrmElementAvailEdit::CreateRecord(quint32, quint32 AId) {
    SetRow(std::make_unique<TKVElementAvail>(AId, FInitElementTypeDBId, FInitElementTypeId));
    FStorageCellList.clear();
}

bool TfrmElementAvailEdit::ReadRecord(TIBQuery& AQuery, quint32 ADBId, quint32 AId) {
    if (!TKVBookCard::ReadRecord(AQuery, ADBId, AId))
        return false;
    FStorageCellList = AQuery.FieldByName("STORAGECELLLIST").AsString();
    return true;
}

bool TfrmElementAvailEdit::ReadNewRecord(TIBQuery& AQuery) {
    // A preset that does not exist is left out rather than stored as a link to nothing.
    if (Row()->ElementTypeId() != 0) {
        AQuery.SetSQL(QStringLiteral(
            "SELECT FIRST 1 SKIP 0 S_TYPENAME, TC.DBID AS CLASSDBID, TC.ID AS CLASSID, TC.S_NAME "
            "AS CLASSNAME FROM T_ELEMENT_TYPE TET LEFT JOIN T_CLASS TC ON TC.DBID = TET.CLASSDBID "
            "AND TC.ID = TET.CLASSID WHERE TET.DBID = :VAR_ELEMENTTYPEDBID AND TET.ID = "
            ":VAR_ELEMENTTYPEID;"));
        AQuery.ParamByName("VAR_ELEMENTTYPEDBID").SetAsInt64(Row()->ElementTypeDBId());
        AQuery.ParamByName("VAR_ELEMENTTYPEID").SetAsInt64(Row()->ElementTypeId());
        AQuery.Open();
        if (AQuery.Eof()) {
            Row()->UpdateElementTypeData(0, 0, QString());
        } else {
            Row()->UpdateElementTypeData(Row()->ElementTypeDBId(), Row()->ElementTypeId(),
                                         AQuery.FieldByName("S_TYPENAME").AsString());
            Row()->UpdateClassData(static_cast<quint32>(AQuery.FieldByName("CLASSDBID").AsInt64()),
                                   static_cast<quint32>(AQuery.FieldByName("CLASSID").AsInt64()),
                                   AQuery.FieldByName("CLASSNAME").AsString());
        }
        AQuery.Close();
    }
    if (FInitStorageId != 0) {
        AQuery.SetSQL(QStringLiteral(
            "SELECT FIRST 1 SKIP 0 S_NAME, S_CELLLIST FROM T_STORAGE WHERE ID = :VAR_STORAGEID;"));
        AQuery.ParamByName("VAR_STORAGEID").SetAsInt64(FInitStorageId);
        AQuery.Open();
        if (!AQuery.Eof()) {
            Row()->UpdateStorageData(FInitStorageId, AQuery.FieldByName("S_NAME").AsString());
            FStorageCellList = AQuery.FieldByName("S_CELLLIST").AsString();
        }
        AQuery.Close();
    }
    // The first unit is the count unit of a new record.
    AQuery.SetSQL(
        QStringLiteral("SELECT FIRST 1 SKIP 0 DBID, ID, S_PREFIX FROM T_UNIT ORDER BY DBID, ID;"));
    AQuery.Open();
    if (!AQuery.Eof())
        Row()->UpdateCountUnitData(static_cast<quint32>(AQuery.FieldByName("DBID").AsInt64()),
                                   static_cast<quint32>(AQuery.FieldByName("ID").AsInt64()),
                                   AQuery.FieldByName("S_PREFIX").AsString());
    AQuery.Close();
    return true;
}

bool TfrmElementAvailEdit::TakeNominalFromElementType() {
    if (!Row() || Row()->ElementTypeId() == 0 || !dmMain || !dmMain->DBConnected())
        return false;
    bool found = false;
    TIBQuery query(&dmMain->MainIBDatabase, &dmMain->MainIBTransaction);
    dmMain->ExecuteInTransaction([&] {
        query.SetSQL(QStringLiteral(
            "SELECT FIRST 1 SKIP 0 TPR.UNITDBID, TPR.UNITID, TPR.V_MINVAL, TPR.V_TYPEVAL, "
            "TPR.V_MAXVAL, TU.S_PREFIX AS UNITPREFIX FROM T_PARAM TPR LEFT JOIN T_UNIT TU ON "
            "TU.DBID = TPR.UNITDBID AND TU.ID = TPR.UNITID WHERE TPR.ELEMENTTYPEDBID = "
            ":VAR_ELEMENTTYPEDBID AND TPR.ELEMENTTYPEID = :VAR_ELEMENTTYPEID AND TPR.UNITDBID IS "
            "NOT NULL AND TPR.UNITID IS NOT NULL AND UDF_KVF_GETBIT(TPR.V_FLAG, 8) = 1;"));
        query.ParamByName("VAR_ELEMENTTYPEDBID").SetAsInt64(Row()->ElementTypeDBId());
        query.ParamByName("VAR_ELEMENTTYPEID").SetAsInt64(Row()->ElementTypeId());
        query.Open();
        if (!query.Eof()) {
            found = true;
            Row()->UpdateNominalUnitData(
                static_cast<quint32>(query.FieldByName("UNITDBID").AsInt64()),
                static_cast<quint32>(query.FieldByName("UNITID").AsInt64()), 1.0,
                query.FieldByName("UNITPREFIX").AsString());
            for (const char* column : {"V_TYPEVAL", "V_MINVAL", "V_MAXVAL"})
                if (!query.FieldByName(column).IsNull()) {
                    Row()->UpdateNominalData(query.FieldByName(column).AsDouble());
                    break;
                }
        }
        query.Close();
    });
    return found;
}

void TfrmElementAvailEdit::BindFields(TIBQuery& AQuery, const QString& APrefix) const {
    const auto param = [&](const char* AColumn) -> TIBParam& {
        return AQuery.ParamByName(APrefix + QLatin1String(AColumn));
    };
    const TKVElementAvail& row = *Row();
    SetLinkOrNull(param("ELEMENTTYPEDBID"), param("ELEMENTTYPEID"), row.ElementTypeDBId(),
                  row.ElementTypeId());
    if (row.ElementTypeId() != 0)
        param("S_TYPENAME").Clear();
    else
        SetTextOrNull(param("S_TYPENAME"), row.ElementTypeName());
    if (row.UsageNominal() && row.UnitNominalId() != 0) {
        SetLinkOrNull(param("UNITNOMDBID"), param("UNITNOMID"), row.UnitNominalDBId(),
                      row.UnitNominalId());
        param("V_NOMINAL").SetAsDouble(row.Nominal());
    } else {
        param("UNITNOMDBID").Clear();
        param("UNITNOMID").Clear();
        param("V_NOMINAL").Clear();
    }
    SetLinkOrNull(param("UNITCOUNTDBID"), param("UNITCOUNTID"), row.UnitCountDBId(),
                  row.UnitCountId());
    if (row.StorageId() != 0)
        param("STORAGEID").SetAsInt64(row.StorageId());
    else
        param("STORAGEID").Clear();
    param("V_COUNT_FLOAT").SetAsDouble(row.Count());
    if (row.Need() > 0)
        param("V_NEED_FLOAT").SetAsDouble(row.Need());
    else
        param("V_NEED_FLOAT").Clear();
    SetTextOrNull(param("S_MARKING"), row.Marking());
    SetTextOrNull(param("S_CELL"), row.Cell());
    SetTextOrNull(param("S_TEXT"), row.Text());
    param("V_FLAG").SetAsInt64(row.Flag());
}

int TfrmElementAvailEdit::ExecUpdate(TIBQuery& AQuery) {
    CheckReferences(AQuery);
    return TKVBookCard::ExecUpdate(AQuery);
}

void TfrmElementAvailEdit::ExecInsert(TIBQuery& AQuery) {
    CheckReferences(AQuery);
    TKVBookCard::ExecInsert(AQuery);
}

void TfrmElementAvailEdit::CheckReferences(TIBQuery& AQuery) const {
    const TKVElementAvail& row = *Row();
    const auto require = [&](bool AExists, const QString& AWhat) {
        if (!AExists)
            throw Exception(tr("%1 не найден(а) в базе данных: возможно, запись была удалена. "
                               "Изменения не сохранены.")
                                .arg(AWhat));
    };
    const QString unitSQL = QStringLiteral(
        "SELECT 1 FROM RDB$DATABASE WHERE EXISTS(SELECT ID FROM T_UNIT WHERE DBID = :VAR_DBID "
        "AND ID = :VAR_ID);");
    if (row.ElementTypeId() != 0)
        require(RowExists(AQuery,
                          QStringLiteral("SELECT 1 FROM RDB$DATABASE WHERE EXISTS(SELECT ID FROM "
                                         "T_ELEMENT_TYPE WHERE DBID = :VAR_DBID AND ID = "
                                         ":VAR_ID);"),
                          true, row.ElementTypeDBId(), row.ElementTypeId()),
                tr("Тип элемента «%1»").arg(row.ElementTypeName()));
    if (row.StorageId() != 0)
        require(ExistsStorageById(AQuery, row.StorageId()),
                tr("Место хранения «%1»").arg(row.StorageName()));
    if (row.UnitCountId() != 0)
        require(RowExists(AQuery, unitSQL, true, row.UnitCountDBId(), row.UnitCountId()),
                tr("Единица измерения «%1»").arg(row.UnitPrefixCount()));
    if (row.UsageNominal() && row.UnitNominalId() != 0)
        require(RowExists(AQuery, unitSQL, true, row.UnitNominalDBId(), row.UnitNominalId()),
                tr("Единица измерения «%1»").arg(row.UnitPrefixNominal()));
}

// -------------------------------------------------------------------------- editors

void TfrmElementAvailEdit::SetCellList(const QString& ACellList) {
    FStorageCellList = ACellList;
    const QString text = FCellBox->currentText();
    const bool filling = FFilling;
    FFilling = true;
    FCellBox->clear();
    FCellBox->addItems(
        ACellList.split(QRegularExpression(QStringLiteral("\r\n|\n|\r")), Qt::SkipEmptyParts));
    FCellBox->setEditText(text);
    FFilling = filling;
}

void TfrmElementAvailEdit::ShowNominal() {
    const bool filling = FFilling;
    FFilling = true;
    FNominalEdit->setText(Row()->UsageNominal() ? FloatToStrKV(Row()->Nominal()) : QString());
    FNominalUnitEdit->setText(Row()->UnitNominalId() != 0 ? QString(Row()->UnitPrefixNominal())
                                                          : QString());
    FFilling = filling;
}

void TfrmElementAvailEdit::UpdateNamingEditors() {
    if (ReadOnly())
        return;
    const bool hasName = !FNameEdit->text().isEmpty() && FNameEdit->isEnabled();
    FClassEdit->setEnabled(!hasName);
    FTypeEdit->setEnabled(!hasName);
}

void TfrmElementAvailEdit::FillEditors() {
    FFilling = true;
    const TKVElementAvail& row = *Row();
    const bool hasType = row.ElementTypeId() != 0;
    FClassEdit->setText(hasType || row.EAClassId() != 0 ? QString(row.EAClassName()) : QString());
    FTypeEdit->setText(hasType ? QString(row.ElementTypeName()) : QString());
    FNameEdit->setText(hasType ? QString() : QString(row.ElementTypeName()));
    FCountEdit->setText(FloatToStrKV(std::isnan(row.Count()) ? 0.0 : row.Count()));
    FNeedEdit->setText(FloatToStrKV(row.Need()));
    FApproxBox->setChecked(TestBitMask(row.Flag(), 1));
    FNominalBox->setChecked(row.UsageNominal());
    ShowNominal();
    FCountUnitEdit->setText(row.UnitPrefixCount());
    FStorageEdit->setText(row.StorageName());
    FCellBox->setEditText(row.Cell());
    SetCellList(FStorageCellList);
    FCellBox->setEditText(row.Cell());
    FMarkingEdit->setText(row.Marking());
    FTextEdit->setText(row.Text());
    // With a type: class and type; with a free name: the name; with neither: all three.
    const bool hasName = !hasType && !QString(row.ElementTypeName()).isEmpty();
    if (!ReadOnly()) {
        FClassEdit->setEnabled(!hasName);
        FTypeEdit->setEnabled(!hasName);
        FNameEdit->setEnabled(!hasType);
    }
    FFilling = false;
}

void TfrmElementAvailEdit::SetEditorsReadOnly(bool AValue) {
    TKVBookCard::SetEditorsReadOnly(AValue);
    for (QLineEdit* editor : {FCountEdit, FNeedEdit, FNominalEdit})
        editor->setReadOnly(AValue);
    for (QCheckBox* box : {FApproxBox, FNominalBox})
        box->setEnabled(!AValue);
    FCellBox->setEnabled(!AValue);
}

bool TfrmElementAvailEdit::CheckEditors() {
    const TKVElementAvail& row = *Row();
    const bool hasName = !FNameEdit->text().trimmed().isEmpty();
    QWidget* missing = nullptr;
    if (row.EAClassId() == 0 && !hasName)
        missing = FClassEdit->LineEdit();
    else if (row.ElementTypeId() == 0 && !hasName)
        missing = FTypeEdit->LineEdit();
    else if (row.UnitCountId() == 0)
        missing = FCountUnitEdit->LineEdit();
    else if (FNominalBox->isChecked() && row.UnitNominalId() == 0)
        missing = FNominalUnitEdit->LineEdit();
    if (missing) {
        missing->setFocus();
        return false;
    }
    // The numbers: an empty need or nominal is 0.
    const auto number = [](QLineEdit* AEditor, const QString& ALabel, bool AEmptyIsZero,
                           double& AValue) {
        if (AEmptyIsZero && AEditor->text().trimmed().isEmpty()) {
            AValue = 0;
            return true;
        }
        const std::optional<double> value = TfrmChangeCount::ParseNumber(AEditor->text());
        if (!value) {
            AEditor->setFocus();
            ShowMessageDlg(tr("Значение поля «%1» должно быть числом").arg(ALabel), mdkWarning,
                           mdbOK);
            return false;
        }
        AValue = *value;
        return true;
    };
    if (!number(FCountEdit, tr("Количество элементов"), false, FCheckedCount) ||
        !number(FNeedEdit, tr("Потребность"), true, FCheckedNeed))
        return false;
    FCheckedNominal = 0;
    if (FNominalBox->isChecked() && !number(FNominalEdit, tr("Номинал"), false, FCheckedNominal))
        return false;
    // The cell is a text of the card as the others are.
    const QString cell = FCellBox->currentText();
    if (cell.size() > KVNameLength) {
        FCellBox->setFocus();
        ShowMessageDlg(tr("Значение поля «%1» длиннее %2 символов")
                           .arg(tr("Ячейка места хранения"))
                           .arg(KVNameLength),
                       mdkWarning, mdbOK);
        return false;
    }
    QByteArray encoded;
    QString badChar;
    if (!TryToWin1251(cell, encoded, &badChar)) {
        FCellBox->setFocus();
        ShowMessageDlg(tr("Значение поля «%1» содержит знак «%2», который нельзя сохранить в "
                          "базе данных")
                           .arg(tr("Ячейка места хранения"), badChar),
                       mdkWarning, mdbOK);
        return false;
    }
    return true;
}

void TfrmElementAvailEdit::StoreEditors(TDateTime ACreateDateTime, TDateTime AUpdateDateTime) {
    TKVElementAvail& row = *Row();
    if (row.ElementTypeId() == 0)
        row.UpdateElementTypeData(0, 0, FNameEdit->text().trimmed());
    QVariant nominal;
    if (FNominalBox->isChecked()) {
        nominal = FCheckedNominal;
    } else {
        row.UpdateNominalUnitData(0, 0, 1.0, QString());
        FNominalUnitEdit->setText(QString());
    }
    row.UpdateData(nominal, FCheckedCount, FCheckedNeed, FMarkingEdit->text(),
                   FCellBox->currentText(), FTextEdit->text(), FApproxBox->isChecked() ? 1u : 0u,
                   ACreateDateTime, AUpdateDateTime);
}

QString TfrmElementAvailEdit::RecordCardName() const {
    return Row()->ElementTypeName();
}

void TfrmElementAvailEdit::OpenCopy() {
    OpenCardElementAvail(Id(), true);
}

// ----------------------------------------------------------------------------- save

bool TfrmElementAvailEdit::SaveItem() {
    if (!CheckData())
        return false;
    const quint32 emptyId = dmMain ? dmMain->StorageForEmptyId() : 0;
    if (::LocalConfig && emptyId != 0 && Row()->Count() <= 0 &&
        ::MoveEmptyAvailToSpecStorage != 0 && Row()->StorageId() != emptyId) {
        bool exists = false;
        TIBQuery query(&dmMain->MainIBDatabase, &dmMain->MainIBTransaction);
        dmMain->ExecuteInTransaction([&] { exists = ExistsStorageById(query, emptyId); });
        if (!exists) {
            ShowMessageDlg(tr("Не удалось переместить записи"), mdkError, mdbOK);
        } else if (AutoActionWanted(::MoveEmptyAvailToSpecStorage,
                                    tr("Найдены пустые записи элементов в наличии.\r\n"
                                       "Переместить их в место хранения для пустых записей?"))) {
            Row()->UpdateStorageData(emptyId, dmMain->StorageForEmptyName());
            FStorageEdit->setText(dmMain->StorageForEmptyName());
        }
    }
    return TKVBookCard::SaveItem();
}

TfrmElementAvailEdit* OpenCardElementAvail(quint32 AId, bool ACreateCopyFlag,
                                           quint32 AElementTypeDBId, quint32 AElementTypeId,
                                           quint32 AStorageId) {
    return OpenRecordCard<TfrmElementAvailEdit>(kIcon, 0, AId, ACreateCopyFlag, AElementTypeDBId,
                                                AElementTypeId, AStorageId);
}
