#include "refbooks/_frmCase.h"

#include "core/udmMain.h"
#include "refbooks/frmCaseEdit.h"
#include "refbooks/frmCaseMountType.h"
#include "shell/KVOpeners.h"
#include "shell/uMessage.h"

#include <QAction>

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

    FMountTypeFilter =
        AddClientFilter(CaseMountTypeFilter(FFilterCaseMountType), [this](const TKVCase& ARecord) {
            return ARecord.MountType() == FFilterCaseMountType;
        });
    FPttVisualFilter = AddClientFilter(
        {QStringLiteral("pmiFTViewOnPttVisual"), tr("Показать только с &шаблонами визуализации"),
         nullptr, [] { return tr("[Шабл. визуал.]"); }},
        [](const TKVCase& ARecord) { return ARecord.PttVisualType() != cvtUntyped; });
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

bool T_frmCase::RecordMatchesText(const TKVCase& ARecord) const {
    return MatchesFilter(ARecord.TypeName());
}

void T_frmCase::OpenCard(quint32 ADBId, quint32 AId, bool ACreateCopyFlag) {
    OpenCardCase(ADBId, AId, ACreateCopyFlag);
}

void T_frmCase::AddExtraCommands(QMenu* AMenu) {
    // Offered for a selected case with a drawing template, once the catalogue registered it.
    AddRecordCommand(
        AMenu,
        {"pmiPttVisualView", tr("Прос&мотр визуализации"), 88,
         QKeySequence(Qt::CTRL | Qt::ALT | Qt::Key_V), [this] { OpenCaseVisual(); }, nullptr,
         QString(), QString(), false,
         [this] {
             const TKVSelectedItemDBData& selected = SelectedItemDBData();
             const TKVCase* record = selected.Select ? Peek({selected.DBId, selected.Id}) : nullptr;
             return TKVOpener<TOpenCaseDrawing>::Registered() && record &&
                    record->PttVisualType() != cvtUntyped;
         }});
}

void T_frmCase::OpenCaseVisual() {
    const TKVSelectedItemDBData& selected = SelectedItemDBData();
    if (ActionState() && selected.Select && Connected())
        TKVOpener<TOpenCaseDrawing>::Open(selected.DBId, selected.Id);
}
