#include "catalogue/frmParamEdit.h"

#include "catalogue/frmValPrec.h"
#include "core/udmMain.h"
#include "platform/ib/IBQuery.h"
#include "refbooks/frmBaseParam.h"
#include "refbooks/frmUnit.h"
#include "shell/KVButtonEdit.h"
#include "shell/KVRecordNotice.h"
#include "shell/KVWidgets.h"
#include "shell/uMessage.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QToolBar>
#include <QToolButton>

#include <algorithm>

namespace {

constexpr quint32 kIcon = 2121;

TKVCardBook ParamCardBook() {
    TKVCardBook book;
    book.Name = QStringLiteral("Param");
    book.KeyHasDBId = true;
    book.ItemType = itParam;
    book.NewRecordText = QStringLiteral("New Param");
    book.HelpTopic = QStringLiteral("CardParam");
    book.ClientSize = QSize(377, 375);
    book.SelectSQL = QStringLiteral(
        "SELECT FIRST 1 SKIP 0 TPR.BASEPARAMDBID, TPR.BASEPARAMID, TPR.UNITDBID, TPR.UNITID, "
        "TPR.S_NAME, TPR.S_DESCRIPTION, TPR.V_MINVAL, TPR.V_TYPEVAL, TPR.V_MAXVAL, TPR.S_STRVAL, "
        "TPR.V_BOOLVAL, TPR.S_TESTCOND, TPR.UPID, TPR.V_FLAG, TPR.C_TIMESTAMP, TPR.U_TIMESTAMP, "
        "TPR.R_TIMESTAMP, TET.S_TYPENAME AS ELEMENTTYPENAME, TBP.S_NAME AS BASEPARAMNAME, "
        "TU.S_PREFIX AS UNITPREFIX, TC.DBID AS ELEMENTTYPECLASSDBID, TC.ID AS "
        "ELEMENTTYPECLASSID FROM T_PARAM TPR LEFT JOIN T_ELEMENT_TYPE TET ON TET.DBID = "
        "TPR.ELEMENTTYPEDBID AND TET.ID = TPR.ELEMENTTYPEID LEFT JOIN T_BASE_PARAM TBP ON "
        "TBP.DBID = TPR.BASEPARAMDBID AND TBP.ID = TPR.BASEPARAMID LEFT JOIN T_UNIT TU ON TU.DBID "
        "= TPR.UNITDBID AND TU.ID = TPR.UNITID LEFT JOIN T_CLASS TC ON TC.DBID = TET.CLASSDBID "
        "AND TC.ID = TET.CLASSID WHERE TPR.DBID = :VAR_DBID AND TPR.ID = :VAR_ID;");
    book.UpdateSQL = QStringLiteral(
        "UPDATE T_PARAM SET BASEPARAMDBID = :VAR_BASEPARAMDBID, BASEPARAMID = :VAR_BASEPARAMID, "
        "UNITDBID = :VAR_UNITDBID, UNITID = :VAR_UNITID, S_NAME = :VAR_S_NAME, S_DESCRIPTION = "
        ":VAR_S_DESCRIPTION, V_MINVAL = :VAR_V_MINVAL, V_TYPEVAL = :VAR_V_TYPEVAL, V_MAXVAL = "
        ":VAR_V_MAXVAL, S_STRVAL = :VAR_S_STRVAL, V_BOOLVAL = :VAR_V_BOOLVAL, S_TESTCOND = "
        ":VAR_S_TESTCOND, UPID = :VAR_UPID, V_FLAG = :VAR_V_FLAG, U_TIMESTAMP = :VAR_U_TIMESTAMP "
        "WHERE DBID = :VAR_DBID AND ID = :VAR_ID;");
    book.InsertSQL = QStringLiteral(
        "EXECUTE PROCEDURE INSERT_PARAM (:I_ELEMENTTYPEDBID, :I_ELEMENTTYPEID, "
        ":I_BASEPARAMDBID, :I_BASEPARAMID, :I_UNITDBID, :I_UNITID, :I_S_NAME, :I_S_DESCRIPTION, "
        ":I_V_MINVAL, :I_V_TYPEVAL, :I_V_MAXVAL, :I_S_STRVAL, :I_V_BOOLVAL, :I_S_TESTCOND, "
        ":I_UPID, :I_V_FLAG, :I_C_TIMESTAMP);");
    return book;
}

// The menu items of the commands, in the order of TKVParamFlagCommand.
struct TFlagItem {
    const char* Name;
    const char* Caption;
    bool Checkable;
};
constexpr TFlagItem kFlagItems[6] = {
    {"pmiAddFunct_SetValNum", "&Отображать как набор значений", true},
    {"pmiAddFunct_DefShowMode", "&Режим отображения по умолчанию", false},
    {"pmiAddFunct_NoLinkToBP", "&Запретить связывание с базовым параметром", true},
    {"pmiAddFunct_UsageParamAsNominal", "&Использовать параметр как номинал", true},
    {"pmiAddFunct_AbsValue", "&Абсолютные значения", true},
    {"pmiAddFunct_ValTypePrefix", "О&бязательное указание префикса по типу значения (>, <, ~)",
     true}};

// Widths of the strip's panels.
constexpr int kPanelWidths[6] = {30, 30, 46, 26, 30, 30};

QVariant OptionalNumber(const std::optional<double>& AValue) {
    return AValue ? QVariant(*AValue) : QVariant();
}

} // namespace

TfrmParamEdit::TfrmParamEdit(QWidget* AParent) : TKVBookCard(ParamCardBook(), AParent) {
    FNameEdit = AddTextEditor("ParamName_TextEdit", tr("Обозначение"), KVNameLength, true);
    FDescEdit = AddTextEditor("ParamDesc_TextEdit", tr("Описание"), KVDescriptionLength);

    const char* names[3][2] = {{"ParamMinVal_CheckBox", "ParamMinVal_SpinEdit"},
                               {"ParamTypeVal_CheckBox", "ParamTypeVal_SpinEdit"},
                               {"ParamMaxVal_CheckBox", "ParamMaxVal_SpinEdit"}};
    const QString captions[3] = {tr("Использовать минимальное значение"),
                                 tr("Использовать типовое значение"),
                                 tr("Использовать максимальное значение")};
    const QString fields[3] = {tr("Минимальное значение"), tr("Типовое значение"),
                               tr("Максимальное значение")};
    for (int i = 0; i < 3; ++i) {
        TValueEditor& value = FValues[i];
        auto* row = new QWidget(this);
        auto* layout = new QHBoxLayout(row);
        layout->setContentsMargins(0, 0, 0, 0);
        value.Check = new QCheckBox(captions[i], row);
        value.Check->setObjectName(QLatin1String(names[i][0]));
        value.Edit = new QLineEdit(row);
        value.Edit->setObjectName(QLatin1String(names[i][1]));
        value.Field = fields[i];
        layout->addWidget(value.Check, 1);
        layout->addWidget(value.Edit);
        connect(value.Check, &QCheckBox::toggled, this, &TfrmParamEdit::TextEditPropertiesChange);
        connect(value.Edit, &QLineEdit::textChanged, this, [this, i] { ValueChanged(FValues[i]); });
        AddEditorRow(QString(), row);
        value.Edit->installEventFilter(this);
    }
    FStrValEdit = AddTextEditor("ParamStrVal_TextEdit", tr("Текст. знач."), KVDescriptionLength);
    FBoolCombo = new QComboBox(this);
    FBoolCombo->setObjectName(QStringLiteral("ParamBoolVal_ComboBox"));
    FBoolCombo->addItems({QString(), tr("Да"), tr("Нет")});
    connect(FBoolCombo, &QComboBox::currentIndexChanged, this,
            &TfrmParamEdit::TextEditPropertiesChange);
    AddEditorRow(tr("Логическое значение"), FBoolCombo);

    auto* strip = new QWidget(this);
    strip->setObjectName(QStringLiteral("SetValType_StatusBar"));
    auto* stripLayout = new QHBoxLayout(strip);
    stripLayout->setContentsMargins(0, 0, 0, 0);
    stripLayout->setSpacing(2);
    for (int i = 0; i < 6; ++i) {
        auto* panel = new QLabel(strip);
        panel->setObjectName(QStringLiteral("SetValType_Panel%1").arg(i));
        panel->setAlignment(Qt::AlignCenter);
        panel->setFrameShape(QFrame::Panel);
        panel->setFrameShadow(QFrame::Sunken);
        // The least width, or what the bit's name needs at the user's font.
        panel->setMinimumWidth(std::max(
            kPanelWidths[i],
            panel->fontMetrics().horizontalAdvance(QLatin1String(KVParamFlagNames[i].Name)) + 8));
        stripLayout->addWidget(panel);
        FFlagPanels[i] = panel;
    }
    stripLayout->addStretch(1);
    AddEditorRow(tr("Режим отображения"), strip);

    TKVCardLink unitLink;
    unitLink.Pick = [this](TKVSelectedItemDBData& AResult) {
        SelectUnit(Row()->UnitDBId(), Row()->UnitId(), AResult);
        AResult.Name = KVSmallName(AResult.Name);
    };
    unitLink.Set = [this](quint32 ADBId, quint32 AId, const QString& AName) {
        SetUnit(ADBId, AId, AName);
    };
    FUnitEdit = AddLinkEditor("ParamUnit_ButtonEdit", tr("Единица измерения"), unitLink);
    FTestCondEdit =
        AddTextEditor("ParamTestCond_TextEdit", tr("Условия изм."), KVDescriptionLength);
    TKVCardLink baseParamLink;
    baseParamLink.Pick = [this](TKVSelectedItemDBData& AResult) {
        SelectBaseParam(Row()->ElementTypeClassDBId(), Row()->ElementTypeClassId(),
                        Row()->BaseParamDBId(), Row()->BaseParamId(), AResult);
    };
    baseParamLink.Set = [this](quint32 ADBId, quint32 AId, const QString& AName) {
        SetBaseParam(ADBId, AId, AName);
    };
    FBPEdit = AddLinkEditor("ParamBP_ButtonEdit", tr("Базовый параметр"), baseParamLink);
    FUPIDEdit =
        AddTextEditor("ParamParamUPID_TextEdit", tr("Униф. парам. индекс (UPID)"), KVSmallNameLength);
    connect(FUPIDEdit, &QLineEdit::textChanged, this, [this](const QString& AText) {
        const QString upper = AText.toUpper();
        if (upper != AText) {
            const int cursor = FUPIDEdit->cursorPosition();
            FUPIDEdit->setText(upper);
            FUPIDEdit->setCursorPosition(cursor);
        }
    });

    // "Доп." between the close button and the record details.
    FAddFunctMenu = new QMenu(this);
    FAddFunctMenu->setObjectName(QStringLiteral("AddFunct_PopupMenu"));
    for (int i = 0; i < 6; ++i) {
        QAction* item = FAddFunctMenu->addAction(tr(kFlagItems[i].Caption));
        item->setObjectName(QLatin1String(kFlagItems[i].Name));
        item->setCheckable(kFlagItems[i].Checkable);
        const auto command = static_cast<TKVParamFlagCommand>(i);
        connect(item, &QAction::triggered, this, [this, command] { RunFlagCommand(command); });
        FCommandItems[i] = item;
        if (command == pfcSetValNum) {
            FValPrecItem = FAddFunctMenu->addAction(tr("&Указать точность параметра"));
            FValPrecItem->setObjectName(QStringLiteral("pmiAddFunct_ValPrec"));
            FValPrecItem->setCheckable(true);
            connect(FValPrecItem, &QAction::triggered, this,
                    &TfrmParamEdit::pmiAddFunct_ValPrecClick);
        }
    }
    QToolButton* info = ToolButton(QStringLiteral("ItemInfo_ToolButton"));
    QAction* before = nullptr;
    for (QAction* action : ToolBar()->actions())
        if (ToolBar()->widgetForAction(action) == info)
            before = action;
    const QToolButton* close = ToolButton(QStringLiteral("Close_ToolButton"));
    FAddFunctButton = new QToolButton(ToolBar());
    FAddFunctButton->setObjectName(QStringLiteral("AddFunct_ToolButton"));
    FAddFunctButton->setText(tr("Доп."));
    FAddFunctButton->setToolTip(tr("Дополнительно"));
    FAddFunctButton->setIcon(MainToolIcon(33));
    FAddFunctButton->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    FAddFunctButton->setMinimumSize(close ? close->minimumSize() : QSize(75, 36));
    FAddFunctButton->setAutoRaise(true);
    FAddFunctButton->setMenu(FAddFunctMenu);
    FAddFunctButton->setPopupMode(QToolButton::InstantPopup);
    auto* divider = new QWidget(ToolBar());
    divider->setObjectName(QStringLiteral("Div1_Tools"));
    divider->setFixedWidth(8);
    ToolBar()->insertWidget(before, FAddFunctButton);
    ToolBar()->insertWidget(before, divider);
}

bool TfrmParamEdit::Init(quint32 ADBId, quint32 AId, bool ACreateCopyFlag,
                         quint32 AElementTypeDBId, quint32 AElementTypeId,
                         quint32 ABaseParamDBId, quint32 ABaseParamId) {
    FInitElementTypeDBId = AElementTypeDBId;
    FInitElementTypeId = AElementTypeId;
    const bool newOnBaseParam = AId == 0 && ABaseParamId != 0;
    FInitBaseParamDBId = newOnBaseParam ? ABaseParamDBId : 0;
    FInitBaseParamId = newOnBaseParam ? ABaseParamId : 0;
    if (!TKVBookCard::Init(ADBId, AId, ACreateCopyFlag))
        return false;
    FAddFunctButton->setEnabled(!ReadOnly());
    return true;
}

bool TfrmParamEdit::LinkedToRecord(TKVItemType AItemType, quint32 ADBId, quint32 AId) const {
    switch (AItemType) {
    case itElementType:
        return ElementTypeId() == AId && ElementTypeDBId() == ADBId;
    case itUnit:
        return UnitId() != 0 && UnitDBId() == ADBId && UnitId() == AId;
    case itBaseParam:
        return BaseParamId() != 0 && BaseParamDBId() == ADBId && BaseParamId() == AId;
    default:
        return false;
    }
}

// ------------------------------------------------------------------------- the record

void TfrmParamEdit::CreateRecord(quint32 ADBId, quint32 AId) {
    SetRow(std::make_unique<TKVParam>(ADBId, AId, FInitElementTypeDBId, FInitElementTypeId));
}

bool TfrmParamEdit::ReadNewRecord(TIBQuery& AQuery) {
    const auto bindType = [&] {
        AQuery.ParamByName("VAR_ELEMENTTYPEDBID").SetAsInt64(FInitElementTypeDBId);
        AQuery.ParamByName("VAR_ELEMENTTYPEID").SetAsInt64(FInitElementTypeId);
    };
    if (FInitBaseParamId == 0) {
        AQuery.SetSQL(QStringLiteral(
            "SELECT FIRST 1 SKIP 0 TET.S_TYPENAME, TC.DBID AS ELEMENTTYPECLASSDBID, TC.ID AS "
            "ELEMENTTYPECLASSID FROM T_ELEMENT_TYPE TET LEFT JOIN T_CLASS TC ON TC.DBID = "
            "TET.CLASSDBID AND TC.ID = TET.CLASSID WHERE TET.DBID = :VAR_ELEMENTTYPEDBID AND "
            "TET.ID = :VAR_ELEMENTTYPEID;"));
        bindType();
        AQuery.Open();
        if (AQuery.Eof())
            return false;
        Row()->UpdateElementTypeData(FInitElementTypeDBId, FInitElementTypeId,
                                     AQuery.FieldByName("S_TYPENAME").AsString());
        Row()->UpdateElementTypeClassData(
            static_cast<quint32>(AQuery.FieldByName("ELEMENTTYPECLASSDBID").AsInt64()),
            static_cast<quint32>(AQuery.FieldByName("ELEMENTTYPECLASSID").AsInt64()), QString());
        return true;
    }
    AQuery.SetSQL(QStringLiteral(
        "SELECT FIRST 1 SKIP 0 TET.S_TYPENAME, TC.DBID AS ELEMENTTYPECLASSDBID, TC.ID AS "
        "ELEMENTTYPECLASSID, TBP.ID AS BASEPARAMID, TBP.S_NAME AS BASEPARAMNAME, "
        "TBP.S_DESCRIPTION AS BASEPARAMDESCRIPTION, TBP.UPID AS BASEPARAMUPID, TU.DBID AS "
        "UNITDBID, TU.ID AS UNITID, TU.S_PREFIX AS UNITPREFIX FROM T_ELEMENT_TYPE TET LEFT JOIN "
        "T_CLASS TC ON TC.DBID = TET.CLASSDBID AND TC.ID = TET.CLASSID LEFT JOIN T_BASE_PARAM "
        "TBP ON TBP.DBID = :VAR_BASEPARAMDBID AND TBP.ID = :VAR_BASEPARAMID LEFT JOIN T_UNIT TU "
        "ON TU.DBID = TBP.UNITDBID AND TU.ID = TBP.UNITID WHERE TET.DBID = :VAR_ELEMENTTYPEDBID "
        "AND TET.ID = :VAR_ELEMENTTYPEID;"));
    bindType();
    AQuery.ParamByName("VAR_BASEPARAMDBID").SetAsInt64(FInitBaseParamDBId);
    AQuery.ParamByName("VAR_BASEPARAMID").SetAsInt64(FInitBaseParamId);
    AQuery.Open();
    // A value prefilled from a base parameter that is gone would be bound to nothing.
    if (AQuery.Eof() || AQuery.FieldByName("BASEPARAMID").IsNull())
        return false;
    const auto key = [&AQuery](const char* AName) {
        return static_cast<quint32>(AQuery.FieldByName(AName).AsInt64());
    };
    const QString name = AQuery.FieldByName("BASEPARAMNAME").AsString();
    Row()->UpdateData(FInitBaseParamDBId, FInitBaseParamId, key("UNITDBID"), key("UNITID"), name,
                      AQuery.FieldByName("BASEPARAMDESCRIPTION").AsString(), QVariant(),
                      QVariant(), QVariant(), QString(), QVariant(), QString(),
                      AQuery.FieldByName("BASEPARAMUPID").AsString(), 0, 0, 0, 0,
                      AQuery.FieldByName("S_TYPENAME").AsString(), key("ELEMENTTYPECLASSDBID"),
                      key("ELEMENTTYPECLASSID"), QString(),
                      AQuery.FieldByName("UNITPREFIX").AsString(), name, 0, 0, QString());
    return true;
}

void TfrmParamEdit::BindFields(TIBQuery& AQuery, const QString& APrefix) const {
    const auto param = [&](const char* AColumn) -> TIBParam& {
        return AQuery.ParamByName(APrefix + QLatin1String(AColumn));
    };
    if (APrefix == QLatin1String("I_")) {
        param("ELEMENTTYPEDBID").SetAsInt64(Row()->ElementTypeDBId());
        param("ELEMENTTYPEID").SetAsInt64(Row()->ElementTypeId());
    }
    SetLinkOrNull(param("BASEPARAMDBID"), param("BASEPARAMID"), Row()->BaseParamDBId(),
                  Row()->BaseParamId());
    SetLinkOrNull(param("UNITDBID"), param("UNITID"), Row()->UnitDBId(), Row()->UnitId());
    param("S_NAME").SetAsString(Row()->Name());
    SetTextOrNull(param("S_DESCRIPTION"), Row()->Description());
    const auto number = [](TIBParam& AParam, bool AUsage, double AValue) {
        if (AUsage)
            AParam.SetAsDouble(AValue);
        else
            AParam.Clear();
    };
    number(param("V_MINVAL"), Row()->UsageMinVal(), Row()->MinVal());
    number(param("V_TYPEVAL"), Row()->UsageTypeVal(), Row()->TypeVal());
    number(param("V_MAXVAL"), Row()->UsageMaxVal(), Row()->MaxVal());
    SetTextOrNull(param("S_STRVAL"), Row()->TextVal());
    if (Row()->UsageBoolVal())
        param("V_BOOLVAL").SetAsInteger(Row()->BoolVal() ? 1 : 0);
    else
        param("V_BOOLVAL").Clear();
    SetTextOrNull(param("S_TESTCOND"), Row()->TestCond());
    SetTextOrNull(param("UPID"), Row()->UPId());
    param("V_FLAG").SetAsInt64(Row()->Flag());
}

void TfrmParamEdit::RecordCommitted() {
    // The element-type lists show the type's values.
    NotifyRecordChanged(itElementType, ElementTypeDBId(), ElementTypeId(), iatChange);
}

// ------------------------------------------------------------------------------- editors

void TfrmParamEdit::FillEditors() {
    FNameEdit->setText(Row()->Name());
    FDescEdit->setText(Row()->Description());
    const bool usage[3] = {Row()->UsageMinVal(), Row()->UsageTypeVal(), Row()->UsageMaxVal()};
    const double values[3] = {Row()->MinVal(), Row()->TypeVal(), Row()->MaxVal()};
    for (int i = 0; i < 3; ++i) {
        FValues[i].Edit->setText(usage[i] ? ParamNumberText(values[i]) : QString());
        FValues[i].Check->setChecked(usage[i]);
    }
    FStrValEdit->setText(Row()->TextVal());
    FBoolCombo->setCurrentIndex(Row()->UsageBoolVal() ? (Row()->BoolVal() ? 1 : 2) : 0);
    FUnitEdit->setText(Row()->UnitPrefix());
    FTestCondEdit->setText(Row()->TestCond());
    FBPEdit->setText(Row()->BaseParamName());
    FUPIDEdit->setText(Row()->UPId());
    SetFlags(Row()->Flag());
    FChecks = LoadedParamFlagChecks(FFlags);
    ApplyFlagChecks();
}

void TfrmParamEdit::ValueChanged(const TValueEditor& AEditor) {
    SetModifedData(true);
    const std::optional<double> value = ParseParamNumber(AEditor.Edit->text());
    if (value && *value > 0)
        AEditor.Check->setChecked(true);
}

bool TfrmParamEdit::CheckEditors() {
    for (int i = 0; i < 3; ++i) {
        FCheckedValues[i].reset();
        const TValueEditor& value = FValues[i];
        if (!value.Check->isChecked())
            continue;
        // An untouched number keeps its stored value, digits beyond those shown included.
        const bool usage[3] = {Row()->UsageMinVal(), Row()->UsageTypeVal(), Row()->UsageMaxVal()};
        const double stored[3] = {Row()->MinVal(), Row()->TypeVal(), Row()->MaxVal()};
        if (usage[i] && value.Edit->text() == ParamNumberText(stored[i])) {
            FCheckedValues[i] = stored[i];
            continue;
        }
        FCheckedValues[i] = ParseParamNumber(value.Edit->text());
        if (!FCheckedValues[i]) {
            value.Edit->setFocus();
            ShowMessageDlg(tr("Значение поля «%1» должно быть числом").arg(value.Field),
                           mdkWarning, mdbOK);
            return false;
        }
    }
    if (FCheckedValues[0] && FCheckedValues[2] && *FCheckedValues[0] > *FCheckedValues[2]) {
        FValues[0].Edit->setFocus();
        ShowMessageDlg(tr("Минимальное значение больше максимального"), mdkWarning, mdbOK);
        return false;
    }
    return true;
}

void TfrmParamEdit::StoreEditors(TDateTime ACreateDateTime, TDateTime AUpdateDateTime) {
    const int boolIndex = FBoolCombo->currentIndex();
    const QVariant boolVal = boolIndex == 1 ? QVariant(1) : boolIndex == 2 ? QVariant(0) : QVariant();
    Row()->UpdateData(FNameEdit->text(), FDescEdit->text(), OptionalNumber(FCheckedValues[0]),
                      OptionalNumber(FCheckedValues[1]), OptionalNumber(FCheckedValues[2]),
                      FStrValEdit->text(), boolVal, FTestCondEdit->text(),
                      FUPIDEdit->text().trimmed(), FFlags, ACreateDateTime, AUpdateDateTime,
                      Row()->ReplDateTime());
    if (TestBitMask(FFlags, pfNLTBP)) {
        Row()->UpdateBaseParamData(0, 0, QString());
        Row()->UpdateBaseParamClassData(0, 0, QString());
        FBPEdit->setText(QString());
    }
}

void TfrmParamEdit::SetEditorsReadOnly(bool AValue) {
    TKVBookCard::SetEditorsReadOnly(AValue);
    for (const TValueEditor& value : FValues) {
        value.Edit->setReadOnly(AValue);
        value.Check->setEnabled(!AValue);
    }
    FBoolCombo->setEnabled(!AValue);
}

QLineEdit* TfrmParamEdit::NewRecordEditor() const {
    // A value prefilled from a base parameter shows that one's name.
    return FInitBaseParamId != 0 ? nullptr : TKVBookCard::NewRecordEditor();
}

void TfrmParamEdit::OpenCopy() {
    OpenCardParam(DBId(), Id(), true, ElementTypeDBId(), ElementTypeId(), 0, 0);
}

// ------------------------------------------------------------------- unit, base parameter

void TfrmParamEdit::SetUnit(quint32 ADBId, quint32 AId, const QString& APrefix) {
    Row()->UpdateUnitData(ADBId, AId, KVSmallName(APrefix));
    FUnitEdit->setText(Row()->UnitPrefix());
    if (AId == 0 && TestBitMask(FFlags, pfUN)) {
        // No nominal without a unit.
        SetFlags(ClearBitMask(FFlags, pfUN));
        FChecks.UsageParamAsNominal = false;
        ApplyFlagChecks();
    }
}

void TfrmParamEdit::SetBaseParam(quint32 ADBId, quint32 AId, const QString& AName) {
    Row()->UpdateBaseParamData(ADBId, AId, AName);
    FBPEdit->setText(AName);
    if (AId == 0 || !dmMain || !dmMain->DBConnected())
        return;
    TIBQuery query(&dmMain->MainIBDatabase, &dmMain->MainIBTransaction);
    bool found = false;
    QString upid;
    quint32 unitDBId = 0;
    quint32 unitId = 0;
    QString prefix;
    dmMain->ExecuteInTransaction([&] {
        query.SetSQL(QStringLiteral(
            "SELECT FIRST 1 SKIP 0 TBP.UPID, TBP.UNITDBID, TBP.UNITID, TU.S_PREFIX AS UNITPREFIX "
            "FROM T_BASE_PARAM TBP LEFT JOIN T_UNIT TU ON TBP.UNITDBID = TU.DBID AND TBP.UNITID = "
            "TU.ID WHERE TBP.DBID = :VAR_DBID AND TBP.ID = :VAR_ID;"));
        query.ParamByName("VAR_DBID").SetAsInt64(ADBId);
        query.ParamByName("VAR_ID").SetAsInt64(AId);
        query.Open();
        found = !query.Eof();
        if (found) {
            upid = query.FieldByName("UPID").AsString();
            unitDBId = static_cast<quint32>(query.FieldByName("UNITDBID").AsInt64());
            unitId = static_cast<quint32>(query.FieldByName("UNITID").AsInt64());
            prefix = query.FieldByName("UNITPREFIX").AsString();
        }
        query.Close();
    });
    if (!found)
        return;
    FUPIDEdit->setText(upid);
    SetUnit(unitId != 0 ? unitDBId : 0, unitId, prefix);
}

// --------------------------------------------------------------------------- the flags

void TfrmParamEdit::SetFlags(quint32 AValue) {
    FFlags = AValue;
    FBPEdit->setEnabled(!TestBitMask(AValue, pfNLTBP));
    for (int i = 0; i < 6; ++i)
        FFlagPanels[i]->setText(TestBitMask(AValue, KVParamFlagNames[i].Flag)
                                    ? QLatin1String(KVParamFlagNames[i].Name)
                                    : QString());
    SetModifedData(true);
}

QString TfrmParamEdit::FlagPanelText(int AIndex) const {
    return AIndex >= 0 && AIndex < 6 ? FFlagPanels[AIndex]->text() : QString();
}

QAction* TfrmParamEdit::FlagItem(std::optional<TKVParamFlagCommand> ACommand) const {
    return ACommand ? FCommandItems[*ACommand] : FValPrecItem;
}

void TfrmParamEdit::ApplyFlagChecks() {
    FCommandItems[pfcSetValNum]->setChecked(FChecks.SetValNum);
    FValPrecItem->setChecked(FChecks.ValPrec);
    FCommandItems[pfcNoLinkToBP]->setChecked(FChecks.NoLinkToBP);
    FCommandItems[pfcUsageParamAsNominal]->setChecked(FChecks.UsageParamAsNominal);
    FCommandItems[pfcAbsValue]->setChecked(FChecks.AbsValue);
    FCommandItems[pfcValTypePrefix]->setChecked(FChecks.ValTypePrefix);
}

void TfrmParamEdit::RunFlagCommand(TKVParamFlagCommand ACommand) {
    if (ReadOnly())
        return;
    const bool hasUnit = Row()->UnitId() != 0;
    quint32 flags = FFlags;
    ApplyParamFlagCommand(ACommand, hasUnit, flags, FChecks);
    SetFlags(flags);
    ApplyFlagChecks();
    if (ACommand == pfcUsageParamAsNominal && !hasUnit)
        FUnitEdit->LineEdit()->setFocus();
}

void TfrmParamEdit::pmiAddFunct_ValPrecClick() {
    if (ReadOnly()) {
        ApplyFlagChecks();
        return;
    }
    // The numbers as the editors hold them: one that is not a number is said before the dialog.
    double values[3] = {0, 0, 0};
    for (int i = 0; i < 3; ++i) {
        const QString text = FValues[i].Edit->text();
        if (text.trimmed().isEmpty())
            continue;
        const std::optional<double> value = ParseParamNumber(text);
        if (!value) {
            ApplyFlagChecks();
            FValues[i].Edit->setFocus();
            ShowMessageDlg(tr("Значение поля «%1» должно быть числом").arg(FValues[i].Field),
                           mdkWarning, mdbOK);
            return;
        }
        values[i] = *value;
    }
    if (ShowValPrecDlg(FValues[0].Check->isChecked(), FValues[2].Check->isChecked(),
                       ValPrecViewTypeOf(FFlags), values[0], values[1], values[2]) != mrOk) {
        ApplyFlagChecks(); // the item's own check flipped when it was chosen
        return;
    }
    const TKVValPrecData& result = ValPrecData;
    FValues[1].Edit->setText(ParamNumberText(result.TypeVal));
    FValues[1].Check->setChecked(true);
    if (result.UseMinVal) {
        FValues[0].Edit->setText(ParamNumberText(result.MinVal));
        FValues[0].Check->setChecked(true);
    }
    if (result.UseMaxVal) {
        FValues[2].Edit->setText(ParamNumberText(result.MaxVal));
        FValues[2].Check->setChecked(true);
    }
    quint32 flags = FFlags;
    ApplyValPrecViewType(result.ViewType, flags, FChecks);
    SetFlags(flags);
    ApplyFlagChecks();
}

// ------------------------------------------------------------------------------- opener

TfrmParamEdit* OpenCardParam(quint32 ADBId, quint32 AId, bool ACreateCopyFlag,
                             quint32 AElementTypeDBId, quint32 AElementTypeId,
                             quint32 ABaseParamDBId, quint32 ABaseParamId) {
    return OpenRecordCard<TfrmParamEdit>(kIcon, ADBId, AId, ACreateCopyFlag, AElementTypeDBId,
                                         AElementTypeId, ABaseParamDBId, ABaseParamId);
}
