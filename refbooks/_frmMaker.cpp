#include "refbooks/_frmMaker.h"

#include "refbooks/frmMakerEdit.h"
#include "shell/KVOpeners.h"

#include <QToolBar>
#include <QToolButton>

namespace {

// Columns of the load and of the one-row SELECT.
const QString kFields = QStringLiteral(
    "DBID, ID, S_NAME, S_DESCRIPTION, S_URL, C_TIMESTAMP, U_TIMESTAMP, R_TIMESTAMP FROM T_MAKER");

TKVListBook MakerBook() {
    TKVListBook book;
    book.Name = QStringLiteral("Maker");
    book.KeyHasDBId = true;
    book.ItemType = itMaker;
    book.Columns = {{T_frmMaker::tr("Производитель"), 160, lckText},
                    {T_frmMaker::tr("Сайт производителя"), 160, lckText}};
    book.CopyNameColumn = -1; // the name alone, never the web address
    book.CountSQL = QStringLiteral("SELECT COUNT(ID) FROM T_MAKER;");
    book.SelectSQL = QStringLiteral("SELECT ") + kFields + QStringLiteral(";");
    book.SelectOneSQL = QStringLiteral("SELECT FIRST 1 SKIP 0 ") + kFields +
                        QStringLiteral(" WHERE DBID = :VAR_DBID AND ID = :VAR_ID;");
    book.DeleteSQL = QStringLiteral("DELETE FROM T_MAKER WHERE DBID = :VAR_DBID AND ID = :VAR_ID;");
    book.DeleteProbes = {
        QStringLiteral("SELECT 1 FROM rdb$database WHERE EXISTS (SELECT ID FROM T_ELEMENT_TYPE "
                       "WHERE MAKERDBID = :VAR_DBID AND MAKERID = :VAR_ID);")};
    book.ManageObjType = otMakerList;
    book.SelectObjType = otMakerSelect;
    book.StoreColumnWidths = true;
    book.DefaultWidth = 400;
    book.DefaultHeight = 180;
    book.HelpTopic = QStringLiteral("RBMaker");
    return book;
}

} // namespace

T_frmMaker::T_frmMaker(QWidget* AParent) : TKVBookListFrame<TKVMakerList>(MakerBook(), AParent) {
    setObjectName(QStringLiteral("_frmMaker1"));
    SetDataViews({{odmtMaker, [this] { OpenItem(); }},
                  {odmtElementTypesOnMaker, [this] { OpenReferenceBook_ElementTypesByMaker(); },
                   [] { return TKVOpener<TOpenElementTypesOfMaker>::Registered(); }}});
    for (QToolButton* button : ToolBar()->findChildren<QToolButton*>())
        button->setMinimumWidth(63);
}

TKVListRow T_frmMaker::MakeRow(const TKVMaker& ARecord) const {
    return {ARecord.PKey(), {ARecord.Name(), ARecord.Url()}, std::nullopt};
}

bool T_frmMaker::RecordMatchesText(const TKVMaker& ARecord) const {
    return MatchesFilter(ARecord.Name());
}

void T_frmMaker::OpenCard(quint32 ADBId, quint32 AId, bool ACreateCopyFlag) {
    OpenCardMaker(ADBId, AId, ACreateCopyFlag);
}

void T_frmMaker::AddExtraCommands(QMenu* AMenu) {
    ToolBar()->addSeparator()->setObjectName(QStringLiteral("Div0_Tools"));
    AddRecordCommand(AMenu, {"pmiElementTypes", tr("&Типы элементов"), 13,
                             QKeySequence(Qt::CTRL | Qt::Key_E),
                             [this] { OpenReferenceBook_ElementTypesByMaker(); },
                             "ElementTypes_ToolButton", tr("Типы элем."), tr("Типы элементов"),
                             false, [] { return TKVOpener<TOpenElementTypesOfMaker>::Registered(); }});
}

void T_frmMaker::OpenReferenceBook_ElementTypesByMaker() {
    const TKVSelectedItemDBData& selected = SelectedItemDBData();
    if (selected.Select && Connected())
        TKVOpener<TOpenElementTypesOfMaker>::Open(selected.DBId, selected.Id);
}
