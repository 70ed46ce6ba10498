#include "catalogue/_frmElementAnalog.h"

#include "catalogue/frmElementAnalogEdit.h"
#include "core/KVUserInterface.h"
#include "platform/ib/IBQuery.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>

namespace {

// The columns of the load and of the one-row SELECT, with the analog type's name.
const QString kFields = QStringLiteral(
    "TEAN.DBID, TEAN.ID, TEAN.PELEMENTTYPEDBID, TEAN.PELEMENTTYPEID, TEAN.AELEMENTTYPEDBID, "
    "TEAN.AELEMENTTYPEID, TEAN.V_FUNCTIONAL, TEAN.V_FEATURES, TEAN.V_CASE, TEAN.V_PINOUT, "
    "TEAN.S_TEXT, TEAN.C_TIMESTAMP, TEAN.U_TIMESTAMP, TEAN.R_TIMESTAMP, TET2.S_TYPENAME AS "
    "AELEMENTTYPENAME FROM T_ELEMENT_ANALOG TEAN LEFT JOIN T_ELEMENT_TYPE TET2 ON TET2.DBID = "
    "TEAN.AELEMENTTYPEDBID AND TET2.ID = TEAN.AELEMENTTYPEID");
const QString kPrimaryCondition = QStringLiteral(
    "TEAN.PELEMENTTYPEDBID = :VAR_ELEMENTTYPEDBID AND TEAN.PELEMENTTYPEID = :VAR_ELEMENTTYPEID");

QString AnalogsCaption() {
    return T_frmElementAnalog::tr("Аналоги элемента");
}

TKVListBook ElementAnalogBook() {
    TKVListBook book;
    book.Name = QStringLiteral("ElementAnalog");
    book.KeyHasDBId = true;
    book.ItemType = itElementAnalog;
    book.Columns = {{T_frmElementAnalog::tr("Базовый элемент"), 200, lckText},
                    {T_frmElementAnalog::tr("Аналог"), 200, lckText},
                    {T_frmElementAnalog::tr("Функционал"), 100, lckText},
                    {T_frmElementAnalog::tr("Характеристики"), 100, lckText},
                    {T_frmElementAnalog::tr("Корпусровка"), 100, lckText},
                    {T_frmElementAnalog::tr("Распиновка"), 100, lckText},
                    {T_frmElementAnalog::tr("Описание"), 200, lckText}};
    book.DeleteSQL =
        QStringLiteral("DELETE FROM T_ELEMENT_ANALOG WHERE DBID = :VAR_DBID AND ID = :VAR_ID;");
    book.DeleteFailedText = T_frmElementAnalog::tr("Запись не была удалена");
    book.ManageObjType = otAnalogList;
    book.SelectObjType = otAnalogList;
    book.StoreColumnWidths = true;
    book.DefaultWidth = 500;
    book.DefaultHeight = 180;
    book.HelpTopic = QStringLiteral("RBElementAnalog");
    return book;
}

} // namespace

T_frmElementAnalog::T_frmElementAnalog(QWidget* AParent)
    : TKVBookListFrame<TKVElementAnalogList>(ElementAnalogBook(), AParent) {
    setObjectName(QStringLiteral("_frmElementAnalog1"));
    // Both names go to the clipboard.
    if (QAction* item = MenuItem(QStringLiteral("pmiCopyName"))) {
        item->setText(tr("&Скопировать названия"));
        disconnect(item, &QAction::triggered, nullptr, nullptr);
        connect(item, &QAction::triggered, this, [this] { CopyName(); });
    }
}

void T_frmElementAnalog::Init(TKVElementAnalogListSelectDataMode AMode,
                              quint32 APrimaryElementTypeDBId, quint32 APrimaryElementTypeId,
                              quint32 AAnalogElementTypeDBId, quint32 AAnalogElementTypeId) {
    FMode = AMode;
    FPrimaryDBId = APrimaryElementTypeDBId;
    FPrimaryId = APrimaryElementTypeId;
    FAnalogDBId = AAnalogElementTypeDBId;
    FAnalogId = AAnalogElementTypeId;
    TKVListFrame::Init(true);
}

std::unique_ptr<TKVElementAnalogList> T_frmElementAnalog::NewList() const {
    return std::make_unique<TKVElementAnalogList>(FMode, FPrimaryDBId, FPrimaryId, FAnalogDBId,
                                                  FAnalogId);
}

QString T_frmElementAnalog::PrimaryElementTypeName() const {
    return List() ? QString(List()->PrimaryElementTypeName()) : QString();
}

bool T_frmElementAnalog::BoundToRecord(TKVItemType AItemType, quint32 ADBId, quint32 AId) const {
    return FMode == eansdmAnalogs && AItemType == itElementType && ADBId == FPrimaryDBId &&
           AId == FPrimaryId;
}

// ------------------------------------------------------------------------------- SQL

void T_frmElementAnalog::LoadContext(TIBQuery& AQuery) {
    if (FMode != eansdmAnalogs)
        return;
    AQuery.SetSQL(QStringLiteral(
        "SELECT FIRST 1 SKIP 0 TET.S_TYPENAME, TC.DBID AS CLASSDBID, TC.ID AS CLASSID, TC.S_NAME "
        "AS CLASSNAME FROM T_ELEMENT_TYPE TET LEFT JOIN T_CLASS TC ON TC.DBID = TET.CLASSDBID AND "
        "TC.ID = TET.CLASSID WHERE TET.DBID = :VAR_ELEMENTTYPEDBID AND TET.ID = "
        ":VAR_ELEMENTTYPEID;"));
    BindContext(AQuery);
    AQuery.Open();
    if (AQuery.Eof()) {
        ShowObjectNotFound(FPrimaryDBId, FPrimaryId);
    } else {
        List()->SetPrimaryElementTypeName(AQuery.FieldByName("S_TYPENAME").AsString());
        List()->SetPrimaryElementTypeClassData(
            static_cast<quint32>(AQuery.FieldByName("CLASSDBID").AsInt64()),
            static_cast<quint32>(AQuery.FieldByName("CLASSID").AsInt64()),
            AQuery.FieldByName("CLASSNAME").AsString());
    }
    AQuery.Close();
}

QString T_frmElementAnalog::CountSQL() const {
    if (FMode != eansdmAnalogs)
        return QStringLiteral("SELECT COUNT(*) FROM RDB$DATABASE WHERE 1 = 0;");
    return QStringLiteral("SELECT COUNT(ID) FROM T_ELEMENT_ANALOG TEAN WHERE ") +
           kPrimaryCondition + QLatin1Char(';');
}

QString T_frmElementAnalog::SelectSQL() const {
    return QStringLiteral("SELECT ") + kFields + QStringLiteral(" WHERE ") + kPrimaryCondition +
           QLatin1Char(';');
}

QString T_frmElementAnalog::SelectOneSQL() const {
    QString sql = QStringLiteral("SELECT FIRST 1 SKIP 0 ") + kFields +
                  QStringLiteral(" WHERE TEAN.DBID = :VAR_DBID AND TEAN.ID = :VAR_ID");
    if (FMode == eansdmAnalogs)
        sql += QStringLiteral(" AND ") + kPrimaryCondition;
    else if (FMode == eansdmCurrAnalogFor)
        sql += QStringLiteral(" AND 1 = 0");
    return sql + QLatin1Char(';');
}

void T_frmElementAnalog::BindContext(TIBQuery& AQuery) {
    if (FMode != eansdmAnalogs)
        return;
    AQuery.ParamByName("VAR_ELEMENTTYPEDBID").SetAsInt64(FPrimaryDBId);
    AQuery.ParamByName("VAR_ELEMENTTYPEID").SetAsInt64(FPrimaryId);
}

// ---------------------------------------------------------------------------- rows

void T_frmElementAnalog::CompleteRecord(TKVElementAnalog& ARecord) const {
    // The primary type is the list's; the analog's class is not read here.
    ARecord.UpdatePrimaryElementTypeData(ARecord.PrimaryElementTypeDBId(),
                                         ARecord.PrimaryElementTypeId(),
                                         List()->PrimaryElementTypeName());
    ARecord.UpdatePrimaryElementTypeClassData(List()->PrimaryElementTypeClassDBId(),
                                              List()->PrimaryElementTypeClassId(),
                                              List()->PrimaryElementTypeClassName());
}

TKVListRow T_frmElementAnalog::MakeRow(const TKVElementAnalog& ARecord) const {
    return {ARecord.PKey(),
            {ARecord.PrimaryElementTypeName(), ARecord.AnalogElementTypeName(),
             SimilalFunctionalTypeToStr(ARecord.SimilalFunctionalTypeIndex()),
             SimilalFeaturesTypeToStr(ARecord.SimilalFeaturesTypeIndex()),
             SimilalCaseTypeToStr(ARecord.SimilalCaseTypeIndex()),
             SimilalPinoutTypeToStr(ARecord.SimilalPinoutTypeIndex()), ARecord.Text()},
            std::nullopt};
}

bool T_frmElementAnalog::RecordMatchesText(const TKVElementAnalog& ARecord) const {
    return MatchesFilter(ARecord.PrimaryElementTypeName()) ||
           MatchesFilter(ARecord.AnalogElementTypeName());
}

T_frmElementAnalog::TLayoutKey T_frmElementAnalog::LayoutContextKey() const {
    if (FMode != eansdmAnalogs)
        return {};
    return TKVDBKey{FPrimaryDBId, FPrimaryId};
}

std::optional<int> T_frmElementAnalog::LayoutObjMode() const {
    if (FMode != eansdmAnalogs)
        return std::nullopt;
    return static_cast<int>(eansdmAnalogs);
}

QString T_frmElementAnalog::ExportDataSetName() const {
    return PrimaryElementTypeName() + QStringLiteral(" - ") + AnalogsCaption();
}

// --------------------------------------------------------------------------- commands

bool T_frmElementAnalog::CopyName() {
    const std::optional<TKVListRow> row = SelectedRow();
    if (!row)
        return false;
    QString text = row->Texts.value(0);
    if (!row->Texts.value(1).isEmpty())
        text += QStringLiteral(" - ") + row->Texts.value(1);
    QApplication::clipboard()->setText(text);
    return true;
}

void T_frmElementAnalog::OpenCard(quint32 ADBId, quint32 AId, bool ACreateCopyFlag) {
    if (FMode == eansdmCurrAnalogFor && ACreateCopyFlag)
        return;
    if (AId == 0)
        OpenCardElementAnalog(0, 0, false, FPrimaryDBId, FPrimaryId, 0, 0);
    else if (ACreateCopyFlag)
        OpenCardElementAnalog(ADBId, AId, true, FMode == eansdmAnalogs ? FPrimaryDBId : 0,
                              FMode == eansdmAnalogs ? FPrimaryId : 0, 0, 0);
    else
        OpenCardElementAnalog(ADBId, AId, false, 0, 0, 0, 0);
}
