#include "catalogue/frmElementSupplierEdit.h"

#include "catalogue/KVElementTypeRef.h"
#include "catalogue/frmElementType.h"
#include "core/udmMain.h"
#include "platform/ib/IBQuery.h"
#include "refbooks/frmClass.h"
#include "refbooks/frmSupplier.h"
#include "shell/KVButtonEdit.h"
#include "shell/uMessage.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>

#include <cmath>
#include <optional>

namespace {

constexpr quint32 kIcon = 2124;

TKVCardBook ElementSupplierCardBook() {
    TKVCardBook book;
    book.Name = QStringLiteral("ElementSupplier");
    book.KeyHasDBId = false;
    book.ItemType = itElementSupplier;
    book.NewRecordText = QStringLiteral("New Element Supplier");
    book.HelpTopic = QStringLiteral("CardElementSupplier");
    book.ClientSize = QSize(377, 183);
    book.SelectSQL = QStringLiteral(
        "SELECT FIRST 1 SKIP 0 TES.ELEMENTTYPEDBID, TES.ELEMENTTYPEID, TES.SUPPLIERID, "
        "TES.V_PRICE, TES.S_TEXT, TS.S_NAME AS SUPPLIERNAME, TET.S_TYPENAME AS ELEMENTTYPENAME, "
        "TET.CLASSDBID AS CLASSDBID, TET.CLASSID AS CLASSID, TC.S_NAME AS CLASSNAME, "
        "TES.C_TIMESTAMP, TES.U_TIMESTAMP FROM T_ELEMENT_SUPPLIER TES LEFT JOIN T_SUPPLIER TS ON "
        "TS.ID = TES.SUPPLIERID LEFT JOIN T_ELEMENT_TYPE TET ON TET.DBID = TES.ELEMENTTYPEDBID "
        "AND TET.ID = TES.ELEMENTTYPEID LEFT JOIN T_CLASS TC ON TC.DBID = TET.CLASSDBID AND TC.ID "
        "= TET.CLASSID WHERE TES.ID = :VAR_ID;");
    book.UpdateSQL = QStringLiteral(
        "UPDATE T_ELEMENT_SUPPLIER SET ELEMENTTYPEDBID = :VAR_ELEMENTTYPEDBID, ELEMENTTYPEID = "
        ":VAR_ELEMENTTYPEID, SUPPLIERID = :VAR_SUPPLIERID, V_PRICE = :VAR_V_PRICE, S_TEXT = "
        ":VAR_S_TEXT, V_FLAG = :VAR_V_FLAG, U_TIMESTAMP = :VAR_U_TIMESTAMP WHERE ID = :VAR_ID;");
    book.InsertSQL = QStringLiteral(
        "EXECUTE PROCEDURE INSERT_ELEMENT_SUPPLIER (:I_ELEMENTTYPEDBID, :I_ELEMENTTYPEID, "
        ":I_SUPPLIERID, :I_V_PRICE, :I_S_TEXT, :I_V_FLAG, :I_C_TIMESTAMP);");
    return book;
}

// The price typed in the user's format; nullopt when it is no number.
std::optional<double> ParsePrice(const QString& AText) {
    bool ok = false;
    const double value = QLocale().toDouble(AText.trimmed(), &ok);
    if (!ok || !std::isfinite(value))
        return std::nullopt;
    return value;
}

} // namespace

QString KVPriceText(double APrice) {
    return QString::asprintf("%8.2f", APrice).trimmed().replace(u'.', QLocale().decimalPoint());
}

TfrmElementSupplierEdit::TfrmElementSupplierEdit(QWidget* AParent)
    : TKVBookCard(ElementSupplierCardBook(), AParent) {
    TKVCardLink classLink;
    classLink.Pick = [this](TKVSelectedItemDBData& AResult) {
        SelectClass(Row()->ESClassDBId(), Row()->ESClassId(), 0, 0, AResult);
    };
    classLink.Set = [this](quint32 ADBId, quint32 AId, const QString& AName) {
        // A type belongs to its class: another class (or none) drops it.
        Row()->UpdateClassData(ADBId, AId, AName);
        Row()->UpdateElementTypeData(0, 0, QString());
        FTypeEdit->setText(QString());
    };
    classLink.CheckDBId = false;
    FClassEdit = AddLinkEditor("ElementSupplierClass_ButtonEdit", tr("Класс"), classLink);

    TKVCardLink typeLink;
    typeLink.Pick = [this](TKVSelectedItemDBData& AResult) {
        if (Row()->ESClassId() == 0) {
            FClassEdit->LineEdit()->setFocus();
            return;
        }
        SelectElementType(Row()->ElementTypeDBId(), Row()->ElementTypeId(), Row()->ESClassDBId(),
                          Row()->ESClassId(), AResult);
    };
    typeLink.Set = [this](quint32 ADBId, quint32 AId, const QString& AName) {
        Row()->UpdateElementTypeData(ADBId, AId, AName);
    };
    typeLink.CheckDBId = false;
    FTypeEdit = AddLinkEditor("ElementSupplierType_ButtonEdit", tr("Тип элемента"), typeLink);

    TKVCardLink supplierLink;
    supplierLink.Pick = [this](TKVSelectedItemDBData& AResult) {
        TKVSelectedLocalItemDBData picked;
        SelectSupplier(Row()->SupplierId(), picked);
        AResult = SetSelectedItemDBData(picked.Select, 0, picked.Id, picked.Tag, picked.Name);
    };
    supplierLink.Set = [this](quint32, quint32 AId, const QString& AName) {
        Row()->UpdateSupplierData(AId, AName);
    };
    supplierLink.CheckDBId = false;
    FSupplierEdit =
        AddLinkEditor("ElementSupplierSupplier_ButtonEdit", tr("Поставщик"), supplierLink);

    FPriceCheck = new QCheckBox(tr("Указать цену"), this);
    FPriceCheck->setObjectName(QStringLiteral("ElementSupplierPrice_CheckBox"));
    connect(FPriceCheck, &QCheckBox::toggled, this,
            &TfrmElementSupplierEdit::TextEditPropertiesChange);
    AddEditorRow(QString(), FPriceCheck);

    auto* pricePanel = new QWidget(this);
    auto* priceLayout = new QHBoxLayout(pricePanel);
    priceLayout->setContentsMargins(0, 0, 0, 0);
    FPriceEdit = new QLineEdit(pricePanel);
    FPriceEdit->setObjectName(QStringLiteral("ElementSupplierPrice_CurrencyEdit"));
    FPriceEdit->setAlignment(Qt::AlignRight);
    connect(FPriceEdit, &QLineEdit::textChanged, this, &TfrmElementSupplierEdit::PriceChanged);
    priceLayout->addWidget(FPriceEdit, 1);
    FCurrencyLabel = new QLabel(pricePanel);
    FCurrencyLabel->setObjectName(QStringLiteral("ElementSupplierCurrStr_Label"));
    priceLayout->addWidget(FCurrencyLabel);
    AddEditorRow(QString(), pricePanel);

    FTextEdit = AddTextEditor("ElementSupplierDesk_TextEdit", tr("Примечание"), KVDescriptionLength);
}

bool TfrmElementSupplierEdit::Init(quint32 ADBId, quint32 AId, bool ACreateCopyFlag,
                                   quint32 AElementTypeDBId, quint32 AElementTypeId,
                                   quint32 ASupplierId, quint32 AESClassDBId, quint32 AESClassId) {
    FInitElementTypeDBId = AElementTypeDBId;
    FInitElementTypeId = AElementTypeId;
    FInitSupplierId = ASupplierId;
    // The class is a default only for a price without a type.
    FInitClassDBId = AElementTypeId == 0 ? AESClassDBId : 0;
    FInitClassId = AElementTypeId == 0 ? AESClassId : 0;
    FCurrencyLabel->setText(dmMain ? QString(dmMain->CurrencyName()) : QString());
    return TKVBookCard::Init(ADBId, AId, ACreateCopyFlag);
}

bool TfrmElementSupplierEdit::LinkedToRecord(TKVItemType AItemType, quint32 ADBId,
                                             quint32 AId) const {
    switch (AItemType) {
    case itElementType:
        return ElementTypeId() != 0 && ElementTypeDBId() == ADBId && ElementTypeId() == AId;
    case itSupplier:
        return SupplierId() != 0 && SupplierId() == AId;
    default:
        return false;
    }
}

// ------------------------------------------------------------------------- the record

void TfrmElementSupplierEdit::CreateRecord(quint32, quint32 AId) {
    SetRow(std::make_unique<TKVElementSupplier>(AId, 0, 0));
    if (AId != 0)
        return;
    Row()->UpdateElementTypeData(FInitElementTypeDBId, FInitElementTypeId, QString());
    Row()->UpdateSupplierData(FInitSupplierId, QString());
    Row()->UpdateClassData(FInitClassDBId, FInitClassId, QString());
    Row()->UpdateData(QVariant(0.0), QString(), 0, 0, -1);
}

bool TfrmElementSupplierEdit::ReadNewRecord(TIBQuery& AQuery) {
    // A default that does not exist is left out rather than kept as a link to nothing.
    const auto readName = [&AQuery](const QString& ASQL, const auto& ABind, QString& AName) {
        AQuery.Close();
        AQuery.SetSQL(ASQL);
        ABind();
        AQuery.Open();
        const bool found = !AQuery.Eof();
        if (found)
            AName = AQuery.FieldByName("S_NAME").AsString();
        AQuery.Close();
        return found;
    };
    if (Row()->ElementTypeId() != 0) {
        TKVElementTypeRef ref;
        if (ReadElementTypeRef(AQuery, Row()->ElementTypeDBId(), Row()->ElementTypeId(), ref)) {
            Row()->UpdateElementTypeData(Row()->ElementTypeDBId(), Row()->ElementTypeId(),
                                         ref.Name);
            Row()->UpdateClassData(ref.ClassKey.DBId, ref.ClassKey.Id, ref.ClassName);
        } else {
            Row()->UpdateElementTypeData(0, 0, QString());
        }
    } else if (Row()->ESClassId() != 0) {
        QString name;
        if (readName(QStringLiteral("SELECT FIRST 1 SKIP 0 S_NAME FROM T_CLASS WHERE DBID = "
                                    ":VAR_CLASSDBID AND ID = :VAR_CLASSID;"),
                     [&] {
                         AQuery.ParamByName("VAR_CLASSDBID").SetAsInt64(Row()->ESClassDBId());
                         AQuery.ParamByName("VAR_CLASSID").SetAsInt64(Row()->ESClassId());
                     },
                     name))
            Row()->UpdateClassData(Row()->ESClassDBId(), Row()->ESClassId(), name);
        else
            Row()->UpdateClassData(0, 0, QString());
    }
    if (Row()->SupplierId() != 0) {
        QString name;
        if (readName(QStringLiteral(
                         "SELECT FIRST 1 SKIP 0 S_NAME FROM T_SUPPLIER WHERE ID = :VAR_SUPPLIERID;"),
                     [&] {
                         AQuery.ParamByName("VAR_SUPPLIERID").SetAsInt64(Row()->SupplierId());
                     },
                     name))
            Row()->UpdateSupplierData(Row()->SupplierId(), name);
        else
            Row()->UpdateSupplierData(0, QString());
    }
    return true;
}

void TfrmElementSupplierEdit::BindFields(TIBQuery& AQuery, const QString& APrefix) const {
    const auto param = [&](const char* AColumn) -> TIBParam& {
        return AQuery.ParamByName(APrefix + QLatin1String(AColumn));
    };
    param("ELEMENTTYPEDBID").SetAsInt64(Row()->ElementTypeDBId());
    param("ELEMENTTYPEID").SetAsInt64(Row()->ElementTypeId());
    param("SUPPLIERID").SetAsInt64(Row()->SupplierId());
    if (Row()->UsagePrice())
        param("V_PRICE").SetAsDouble(Row()->Price());
    else
        param("V_PRICE").Clear();
    SetTextOrNull(param("S_TEXT"), Row()->Text());
    param("V_FLAG").SetAsInteger(0);
}

// ------------------------------------------------------------------------------- editors

void TfrmElementSupplierEdit::FillEditors() {
    FClassEdit->setText(Row()->ESClassName());
    FTypeEdit->setText(Row()->ElementTypeName());
    FSupplierEdit->setText(Row()->SupplierName());
    FPriceEdit->setText(KVPriceText(Row()->Price()));
    FPriceCheck->setChecked(Row()->UsagePrice());
    FTextEdit->setText(Row()->Text());
}

void TfrmElementSupplierEdit::PriceChanged() {
    TextEditPropertiesChange();
    const std::optional<double> price = ParsePrice(FPriceEdit->text());
    if (price && *price > 0)
        FPriceCheck->setChecked(true);
}

bool TfrmElementSupplierEdit::CheckEditors() {
    const auto refuse = [](QWidget* AEditor, const QString& AText) {
        AEditor->setFocus();
        ShowMessageDlg(AText, mdkWarning, mdbOK);
        return false;
    };
    if (Row()->ESClassId() == 0)
        return refuse(FClassEdit->LineEdit(), tr("Выберите класс элемента"));
    if (Row()->ElementTypeId() == 0)
        return refuse(FTypeEdit->LineEdit(), tr("Выберите тип элемента"));
    if (Row()->SupplierId() == 0)
        return refuse(FSupplierEdit->LineEdit(), tr("Выберите поставщика"));
    if (FPriceCheck->isChecked()) {
        const std::optional<double> price = ParsePrice(FPriceEdit->text());
        if (!price)
            return refuse(FPriceEdit, tr("Цена «%1» не является числом").arg(FPriceEdit->text()));
        if (*price < 0)
            return refuse(FPriceEdit, tr("Цена не может быть отрицательной"));
        FCheckedPrice = *price;
    }
    return true;
}

void TfrmElementSupplierEdit::StoreEditors(TDateTime ACreateDateTime, TDateTime AUpdateDateTime) {
    Row()->UpdateData(FPriceCheck->isChecked() ? QVariant(FCheckedPrice) : QVariant(),
                      FTextEdit->text(), ACreateDateTime, AUpdateDateTime,
                      Row()->ElementTypeIconId());
}

QString TfrmElementSupplierEdit::RecordCardName() const {
    return Row()->ElementTypeName();
}

void TfrmElementSupplierEdit::SetEditorsReadOnly(bool AValue) {
    TKVBookCard::SetEditorsReadOnly(AValue);
    FPriceCheck->setEnabled(!AValue);
    FPriceEdit->setReadOnly(AValue);
}

void TfrmElementSupplierEdit::OpenCopy() {
    OpenCardElementSupplier(Id(), true, 0, 0, 0, 0, 0);
}

// ------------------------------------------------------------------------------ opener

TfrmElementSupplierEdit* OpenCardElementSupplier(quint32 AId, bool ACreateCopyFlag,
                                                 quint32 AElementTypeDBId, quint32 AElementTypeId,
                                                 quint32 ASupplierId, quint32 AESClassDBId,
                                                 quint32 AESClassId) {
    return OpenRecordCard<TfrmElementSupplierEdit>(kIcon, 0, AId, ACreateCopyFlag,
                                                   AElementTypeDBId, AElementTypeId, ASupplierId,
                                                   AESClassDBId, AESClassId);
}
