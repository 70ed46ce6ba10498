#include "refbooks/_frmCase.h"

#include "core/udmMain.h"
#include "platform/ib/IBQuery.h"
#include "refbooks/frmCaseEdit.h"
#include "refbooks/frmCaseMountType.h"
#include "shell/uMessage.h"

#include <QAction>
#include <QMenu>

namespace {

// Columns of the load and of the one-row SELECT; the drawing parameters are read by the card
// alone.
const QString kFields = QStringLiteral(
    "DBID, ID, S_TYPENAME, S_DESCRIPTION, V_PINCOUNT, V_MOUNTTYPE, V_CV_PTTTYPE, C_TIMESTAMP, "
    "U_TIMESTAMP, R_TIMESTAMP FROM T_CASE");

// The image of a case with a drawing template in the data module's case images.
constexpr int kTemplateImage = 0;

TKVListBook CaseBook() {
    TKVListBook book;
    book.Name = QStringLiteral("Case");
    book.KeyHasDBId = true;
    book.ItemType = itCase;
    book.Columns = {{T_frmCase::tr("Тип"), 120, lckText},
                    {T_frmCase::tr("Описание"), 160, lckText},
                    {T_frmCase::tr("Количество выводов"), 120, lckInteger},
                    {T_frmCase::tr("Тип монтажа"), 120, lckText}};
    book.CopyNameColumn = -1; // the type name alone
    book.CountSQL = QStringLiteral("SELECT COUNT(ID) FROM T_CASE;");
    book.SelectSQL = QStringLiteral("SELECT ") + kFields + QStringLiteral(";");
    book.SelectOneSQL = QStringLiteral("SELECT FIRST 1 SKIP 0 ") + kFields +
                        QStringLiteral(" WHERE DBID = :VAR_DBID AND ID = :VAR_ID;");
    book.DeleteSQL = QStringLiteral("DELETE FROM T_CASE WHERE DBID = :VAR_DBID AND ID = :VAR_ID;");
    book.DeleteProbes = {
        QStringLiteral("SELECT 1 FROM rdb$database WHERE EXISTS (SELECT ID FROM T_ELEMENT_TYPE "
                       "WHERE CASEDBID = :VAR_DBID AND CASEID = :VAR_ID);")};
    book.ManageObjType = otCaseList;
    book.SelectObjType = otCaseSelect;
    book.StoreColumnWidths = true;
    book.DefaultWidth = 500;
    book.DefaultHeight = 180;
    book.HelpTopic = QStringLiteral("RBCase");
    return book;
}

} // namespace

T_frmCase::T_frmCase(QWidget* AParent) : TKVBookListFrame<TKVCaseList>(CaseBook(), AParent) {
    setObjectName(QStringLiteral("_frmCase1"));
    if (dmMain)
        Model()->SetImageList(&dmMain->CaseImageList);
    // This book's copy item has no mnemonic.
    MenuItem(QStringLiteral("pmiCopy"))->setText(tr("Копия"));

    QMenu* menu = FilterTypeMenu();
    menu->addSeparator();
    FpmiFTViewOnCaseMountType = menu->addAction(tr("Показать только по &типу монтажа..."));
    FpmiFTViewOnCaseMountType->setObjectName(QStringLiteral("pmiFTViewOnCaseMountType"));
    FpmiFTViewOnPttVisual = menu->addAction(tr("Показать только с &шаблонами визуализации"));
    FpmiFTViewOnPttVisual->setObjectName(QStringLiteral("pmiFTViewOnPttVisual"));
    for (QAction* item : {FpmiFTViewOnCaseMountType, FpmiFTViewOnPttVisual}) {
        item->setCheckable(true);
        connect(item, &QAction::triggered, this, [this, item] { pmiFilterClick(item); });
    }
}

void T_frmCase::pmiFilterClick(QAction* AItem) {
    if (!AItem)
        return;
    if (AItem->objectName() == QLatin1String("pmiFTStartingStr")) {
        pmiFilterTypeClick(ftStarting);
    } else if (AItem->objectName() == QLatin1String("pmiFTContainingStr")) {
        pmiFilterTypeClick(ftContaining);
    } else if (AItem == FpmiFTViewOnCaseMountType) {
        if (FFiltredOnCaseMountType) {
            FFiltredOnCaseMountType = false;
        } else if (SelectCaseMountType() == mrOk) {
            FFiltredOnCaseMountType = true;
            FFilterCaseMountType = SelectedCaseMountType;
        }
        // A checkable item flips itself when triggered; the filter's state decides.
        AItem->setChecked(FFiltredOnCaseMountType);
    } else if (AItem == FpmiFTViewOnPttVisual) {
        FFiltredOnPttVisual = !FFiltredOnPttVisual;
        AItem->setChecked(FFiltredOnPttVisual);
    }
}

bool T_frmCase::IsFiltered() const {
    return TKVListFrame::IsFiltered() || FFiltredOnCaseMountType || FFiltredOnPttVisual;
}

QString T_frmCase::ExtraFilterTags() const {
    QString tags;
    if (FFiltredOnCaseMountType)
        tags += QLatin1Char('[') + CaseMountTypeToStr(FFilterCaseMountType) + QLatin1Char(']');
    if (FFiltredOnPttVisual)
        tags += tr("[Шабл. визуал.]");
    return tags;
}

void T_frmCase::ClearExtraFilters() {
    FFiltredOnCaseMountType = false;
    FFiltredOnPttVisual = false;
    FpmiFTViewOnCaseMountType->setChecked(false);
    FpmiFTViewOnPttVisual->setChecked(false);
}

TKVDBKey T_frmCase::StoreRecord(TIBQuery& AQuery, bool AAppend) {
    const TKVDBKey key{static_cast<quint32>(AQuery.FieldByName("DBID").AsInt64()),
                       static_cast<quint32>(AQuery.FieldByName("ID").AsInt64())};
    const QString typeName = AQuery.FieldByName("S_TYPENAME").AsString();
    const QString description = AQuery.FieldByName("S_DESCRIPTION").AsString();
    const auto pinCount = static_cast<quint16>(AQuery.FieldByName("V_PINCOUNT").AsInteger());
    const TKVCaseMountType mountType =
        IndexToMountType(AQuery.FieldByName("V_MOUNTTYPE").AsInteger());
    const TKVCaseVisualType visualType =
        IndexToPttVisualType(AQuery.FieldByName("V_CV_PTTTYPE").AsInteger());
    const TDateTime created = AQuery.FieldByName("C_TIMESTAMP").AsDateTime();
    const TDateTime updated = AQuery.FieldByName("U_TIMESTAMP").AsDateTime();
    const TDateTime replicated = AQuery.FieldByName("R_TIMESTAMP").AsDateTime();
    if (AAppend || !List()->UpdateDataByPKey(key.DBId, key.Id, typeName, description, pinCount,
                                             mountType, visualType, created, updated, replicated))
        List()->AddData(key.DBId, key.Id, typeName, description, pinCount, mountType, visualType,
                        created, updated, replicated);
    return key;
}

TKVListRow T_frmCase::MakeRow(const TKVCase& ARecord) const {
    TKVListRow row{ARecord.PKey(),
                   {ARecord.TypeName(), ARecord.Description(), QString::number(ARecord.PinCount()),
                    CaseMountTypeToStr(ARecord.MountType())},
                   std::nullopt};
    if (ARecord.PttVisualType() != cvtUntyped)
        row.ImageIndex = kTemplateImage;
    return row;
}

bool T_frmCase::RecordMatchesFilter(const TKVCase& ARecord) const {
    return MatchesFilter(ARecord.TypeName()) &&
           (!FFiltredOnCaseMountType || ARecord.MountType() == FFilterCaseMountType) &&
           (!FFiltredOnPttVisual || ARecord.PttVisualType() != cvtUntyped);
}

void T_frmCase::OpenCard(quint32 ADBId, quint32 AId, bool ACreateCopyFlag) {
    OpenCardCase(ADBId, AId, ACreateCopyFlag);
}
