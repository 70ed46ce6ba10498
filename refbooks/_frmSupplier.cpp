#include "refbooks/_frmSupplier.h"

#include "refbooks/frmSupplierEdit.h"
#include "shell/KVOpeners.h"

#include <QToolBar>

namespace {

// Columns of the load and of the one-row SELECT; the description stays with the card.
const QString kFields = QStringLiteral(
    "ID, S_NAME, S_ADDRESS, S_PHONE, S_URL, C_TIMESTAMP, U_TIMESTAMP FROM T_SUPPLIER");

TKVListBook SupplierBook() {
    TKVListBook book;
    book.Name = QStringLiteral("Supplier");
    book.KeyHasDBId = false;
    book.ItemType = itSupplier;
    book.Columns = {{T_frmSupplier::tr("Название"), 160, lckText},
                    {T_frmSupplier::tr("Адрес"), 200, lckText},
                    {T_frmSupplier::tr("Телефон"), 100, lckText},
                    {T_frmSupplier::tr("Сайт"), 160, lckText}};
    book.CopyNameColumn = -1; // the name alone, never the address
    book.CountSQL = QStringLiteral("SELECT COUNT(ID) FROM T_SUPPLIER;");
    book.SelectSQL = QStringLiteral("SELECT ") + kFields + QStringLiteral(";");
    book.SelectOneSQL =
        QStringLiteral("SELECT FIRST 1 SKIP 0 ") + kFields + QStringLiteral(" WHERE ID = :VAR_ID;");
    book.DeleteSQL = QStringLiteral("DELETE FROM T_SUPPLIER WHERE ID = :VAR_ID;");
    book.DeleteProbes = {QStringLiteral("SELECT 1 FROM rdb$database WHERE EXISTS (SELECT ID FROM "
                                        "T_ELEMENT_SUPPLIER WHERE SUPPLIERID = :VAR_ID);")};
    book.ManageObjType = otSupplierList;
    book.SelectObjType = otSupplierSelect;
    book.StoreColumnWidths = true;
    book.DefaultWidth = 500;
    book.DefaultHeight = 180;
    book.HelpTopic = QStringLiteral("RBSupplier");
    return book;
}

} // namespace

T_frmSupplier::T_frmSupplier(QWidget* AParent)
    : TKVBookListFrame<TKVSupplierList>(SupplierBook(), AParent) {
    setObjectName(QStringLiteral("_frmSupplier1"));
    SetDataViews({{odmtSupplier, [this] { OpenItem(); }},
                  {odmtElementSupplierOnSupplier, [this] { OpenReferenceBook_ElementSupplier(); },
                   [] { return TKVOpener<TOpenPricesOfSupplier>::Registered(); }}});
}

TKVListRow T_frmSupplier::MakeRow(const TKVSupplier& ARecord) const {
    return {{0, ARecord.Id()},
            {ARecord.Name(), ARecord.Address(), ARecord.Phone(), ARecord.Url()},
            std::nullopt};
}

bool T_frmSupplier::RecordMatchesText(const TKVSupplier& ARecord) const {
    return MatchesFilter(ARecord.Name());
}

void T_frmSupplier::OpenCard(quint32, quint32 AId, bool ACreateCopyFlag) {
    OpenCardSupplier(AId, ACreateCopyFlag);
}

void T_frmSupplier::AddExtraCommands(QMenu* AMenu) {
    ToolBar()->addSeparator()->setObjectName(QStringLiteral("Div0_Tools"));
    AddRecordCommand(AMenu, {"pmiElementSuppliers", tr("Пра&йс"), 82,
                             QKeySequence(Qt::CTRL | Qt::ALT | Qt::Key_P),
                             [this] { OpenReferenceBook_ElementSupplier(); },
                             "ElementSuppliers_ToolButton", tr("Прайс"),
                             tr("Типы элементов и цены по поставщику"), false,
                             [] { return TKVOpener<TOpenPricesOfSupplier>::Registered(); }});
}

void T_frmSupplier::OpenReferenceBook_ElementSupplier() {
    const TKVSelectedItemDBData& selected = SelectedItemDBData();
    if (selected.Select && Connected())
        TKVOpener<TOpenPricesOfSupplier>::Open(selected.Id);
}
