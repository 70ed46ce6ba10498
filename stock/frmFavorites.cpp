#include "stock/frmFavorites.h"

#include "core/udmMain.h"
#include "platform/ib/IBQuery.h"
#include "resources/KVResources.h"
#include "shell/KVOpeners.h"
#include "shell/KVWidgets.h"
#include "shell/uMessage.h"
#include "stock/frmElementAvailEdit.h"
#include "stock/frmProjectEdit.h"
#include "stock/frmProjectItem.h"
#include "views/KVListModel.h"
#include "views/KVListView.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QPushButton>
#include <QTreeView>
#include <QVBoxLayout>

namespace {

constexpr quint32 kIcon = 2222;
// The element type has pins and its case a drawing type.
constexpr quint8 kFlagPinout = 1;
// The project has items.
constexpr quint8 kFlagProjectItems = 2;

const QString kElementTypesSQL = QStringLiteral(
    "SELECT TF.ID, TET.DBID AS OBJ_DBID, TET.ID AS OBJ_ID, TET.S_TYPENAME AS ELEMENTTYPENAME, "
    "TCS.S_TYPENAME AS CASETYPENAME, TCS.V_CV_PTTTYPE AS PTTTYPE, TC.S_NAME AS CLASSNAME, "
    "(SELECT 1 FROM RDB$DATABASE WHERE EXISTS(SELECT TPN.ID FROM T_PIN TPN WHERE "
    "TPN.ELEMENTTYPEDBID = TF.OBJ_DBID AND TPN.ELEMENTTYPEID = TF.OBJ_ID)) AS PIN_EXISTS FROM "
    "T_FAVORITES TF LEFT JOIN T_ELEMENT_TYPE TET ON TF.OBJ_DBID = TET.DBID AND TF.OBJ_ID = TET.ID "
    "LEFT JOIN T_CASE TCS ON TCS.DBID = TET.CASEDBID AND TCS.ID = TET.CASEID LEFT JOIN T_CLASS TC "
    "ON TC.DBID = TET.CLASSDBID AND TC.ID = TET.CLASSID WHERE OBJ_TYPE = :VAR_OBJ_TYPE;");
const QString kElementAvailsSQL = QStringLiteral(
    "SELECT TF.ID, TEA.ID AS OBJ_ID, TEA.S_TYPENAME AS TYPENAME, TET.S_TYPENAME AS "
    "ELEMENTTYPENAME, TS.S_NAME AS STORAGENAME FROM T_FAVORITES TF LEFT JOIN T_ELEMENT_AVAIL TEA "
    "ON TF.OBJ_ID = TEA.ID LEFT JOIN T_ELEMENT_TYPE TET ON TEA.ELEMENTTYPEDBID = TET.DBID AND "
    "TEA.ELEMENTTYPEID = TET.ID LEFT JOIN T_STORAGE TS ON TS.ID = TEA.STORAGEID WHERE OBJ_TYPE = "
    ":VAR_OBJ_TYPE;");
const QString kProjectsSQL = QStringLiteral(
    "SELECT TF.ID, TP.ID AS OBJ_ID, TP.S_NAME AS PROJECTNAME, TP.S_CATEGORY AS PROJECTCATEGORY, "
    "(SELECT 1 FROM RDB$DATABASE WHERE EXISTS(SELECT TPI.ID FROM T_PROJECT_ITEM TPI WHERE "
    "TPI.PROJECTID = TF.OBJ_ID)) AS PROJECT_ITEM_EXISTS FROM T_FAVORITES TF LEFT JOIN T_PROJECT "
    "TP ON TF.OBJ_ID = TP.ID WHERE OBJ_TYPE = :VAR_OBJ_TYPE;");

bool Connected() {
    return dmMain && dmMain->DBConnected();
}

QString Text(TIBQuery& AQuery, const char* AName) {
    const TIBField& field = AQuery.FieldByName(AName);
    return field.IsNull() ? QString() : field.AsString();
}

} // namespace

TfrmFavorites::TfrmFavorites(QWidget* AParent)
    : TKVDialog(QStringLiteral("Favorites"), QStringLiteral("Favorites_PopupMenu"), AParent) {
    setObjectName(QStringLiteral("frmFavorites"));
    setWindowTitle(tr("Избранное"));
    setMinimumSize(713, 521);

    auto* layout = new QVBoxLayout(this);
    FModel = new TKVListModel(this);
    FModel->SetColumns({{tr("Название"), 240, lckText},
                        {tr("Тип"), 160, lckText},
                        {tr("Примечание"), 160, lckText}});
    FListView = new QTreeView(this);
    FListView->setObjectName(QStringLiteral("Favorites_ListView"));
    SetUpRecordListView(FListView, FModel);
    for (int i = 0; i < static_cast<int>(FModel->Columns().size()); ++i)
        FListView->setColumnWidth(i, FModel->Columns()[static_cast<size_t>(i)].Width);
    FListView->installEventFilter(this);
    connect(FListView->header(), &QHeaderView::sectionClicked, this,
            &TfrmFavorites::ListViewColumnClick);
    connect(FListView->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            &TfrmFavorites::ListViewSelectItem);
    connect(FListView, &QTreeView::doubleClicked, this, [this] {
        if (SelectedFavorite())
            done(mrOk);
    });
    layout->addWidget(FListView, 1);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    FDeleteButton = new QPushButton(MainToolIcon(28), tr("&Удалить"), this);
    FDeleteButton->setObjectName(QStringLiteral("Delete_Button"));
    FDeleteButton->setToolTip(tr("Удалить запись"));
    FDeleteButton->setAutoDefault(false);
    connect(FDeleteButton, &QPushButton::clicked, this, &TfrmFavorites::DeleteItem);
    buttons->addWidget(FDeleteButton);
    FOpenButton = new QPushButton(MainToolIcon(59), tr("&Показать"), this);
    FOpenButton->setObjectName(QStringLiteral("Open_Button"));
    FOpenButton->setToolTip(tr("Показать данные"));
    FOpenButton->setDefault(true);
    connect(FOpenButton, &QPushButton::clicked, this, [this] { done(mrOk); });
    buttons->addWidget(FOpenButton);
    layout->addLayout(buttons);

    FDeleteButton->setEnabled(false);
    FOpenButton->setEnabled(false);
    LoadData();
}

TfrmFavorites::~TfrmFavorites() = default;

bool TfrmFavorites::Writable() {
    return dmMain && dmMain->CanWriteDataBase();
}

QString TfrmFavorites::FavoritesToStr(const TKVFavorites& AFavorites) {
    switch (AFavorites.Type) {
    case itElementType:
        return AFavorites.Flags == kFlagPinout ? tr("Тип элемента + цоколевка") : tr("Тип элемента");
    case itElementAvail:
        return tr("Элемент в наличии");
    case itProject:
        return AFavorites.Flags == kFlagProjectItems ? tr("Проект + состав") : tr("Проект");
    default:
        return QString();
    }
}

void TfrmFavorites::LoadData() {
    FFavorites.clear();
    std::vector<TKVListRow> rows;
    if (Connected()) {
        if (!FQuery)
            FQuery =
                std::make_unique<TIBQuery>(&dmMain->MainIBDatabase, &dmMain->MainIBTransaction);
        TIBQuery& query = *FQuery;
        const auto read = [&](const QString& ASQL, TKVItemType AType, const auto& AFill) {
            query.Close();
            query.SetSQL(ASQL);
            query.ParamByName("VAR_OBJ_TYPE").SetAsInteger(ItemTypeToInt(AType));
            query.Open();
            for (; !query.Eof(); query.Next()) {
                // The favourite's object no longer exists.
                if (query.FieldByName("OBJ_ID").IsNull())
                    continue;
                TKVFavorites favorite;
                favorite.Id = static_cast<quint32>(query.FieldByName("ID").AsInt64());
                favorite.ObjId = static_cast<quint32>(query.FieldByName("OBJ_ID").AsInt64());
                favorite.Type = AType;
                TKVListRow row{{0, favorite.Id}, {}, std::nullopt};
                AFill(favorite, row.Texts);
                row.Texts.insert(1, FavoritesToStr(favorite));
                FFavorites[favorite.Id] = favorite;
                rows.push_back(std::move(row));
            }
            query.Close();
        };
        dmMain->ExecuteInTransaction([&] {
            read(kElementTypesSQL, itElementType, [&](TKVFavorites& AFav, QStringList& ATexts) {
                AFav.ObjDBId = static_cast<quint32>(query.FieldByName("OBJ_DBID").AsInt64());
                // A case of the untyped drawing kind (0) cannot be drawn either.
                const TIBField& ptt = query.FieldByName("PTTTYPE");
                const bool drawable = !ptt.IsNull() && ptt.AsInteger() != 0;
                AFav.Flags = drawable && !query.FieldByName("PIN_EXISTS").IsNull() ? kFlagPinout : 0;
                QString name = Text(query, "ELEMENTTYPENAME");
                if (!query.FieldByName("CASETYPENAME").IsNull())
                    name += QStringLiteral(" [") + Text(query, "CASETYPENAME") + QLatin1Char(']');
                ATexts << name << Text(query, "CLASSNAME");
            });
            read(kElementAvailsSQL, itElementAvail, [&](TKVFavorites&, QStringList& ATexts) {
                const QString own = Text(query, "TYPENAME");
                ATexts << (own.isEmpty() ? Text(query, "ELEMENTTYPENAME") : own)
                       << Text(query, "STORAGENAME");
            });
            read(kProjectsSQL, itProject, [&](TKVFavorites& AFav, QStringList& ATexts) {
                AFav.Flags =
                    query.FieldByName("PROJECT_ITEM_EXISTS").IsNull() ? 0 : kFlagProjectItems;
                ATexts << Text(query, "PROJECTNAME") << Text(query, "PROJECTCATEGORY");
            });
        });
    }
    FModel->ResetRows(std::move(rows));
    if (FSortedType != 0)
        FModel->SortRows(FSortedType);
    ListViewSelectItem();
}

const TKVFavorites* TfrmFavorites::SelectedFavorite() const {
    const QModelIndexList selected = FListView->selectionModel()->selectedRows();
    if (selected.isEmpty())
        return nullptr;
    const auto found = FFavorites.find(FModel->RowKey(selected.first().row()).Id);
    return found != FFavorites.end() ? &found->second : nullptr;
}

void TfrmFavorites::SelectFavorite(quint32 AId) {
    const int row = FModel->Find({0, AId});
    if (row < 0)
        return;
    FListView->setCurrentIndex(FModel->index(row, 0));
    FListView->selectionModel()->select(FModel->index(row, 0), QItemSelectionModel::ClearAndSelect |
                                                                   QItemSelectionModel::Rows);
}

void TfrmFavorites::ListViewSelectItem() {
    const bool selected = SelectedFavorite() != nullptr;
    FOpenButton->setEnabled(selected);
    FDeleteButton->setEnabled(selected && Writable());
}

void TfrmFavorites::ListViewColumnClick(int AColumn) {
    FSortedType = SortedTypeOnColumnClick(FSortedType, AColumn);
    FModel->SortRows(FSortedType);
    FListView->header()->setSortIndicatorShown(true);
    FListView->header()->setSortIndicator(
        AColumn, FSortedType > 0 ? Qt::AscendingOrder : Qt::DescendingOrder);
}

void TfrmFavorites::OpenData() {
    const TKVFavorites* selected = SelectedFavorite();
    if (!selected)
        return;
    const TKVFavorites favorite = *selected;
    switch (favorite.Type) {
    case itElementType:
        TKVOpener<TOpenElementTypeSummary>::Open(favorite.ObjDBId, favorite.ObjId);
        if (favorite.Flags == kFlagPinout)
            TKVOpener<TOpenCaseDrawingOfElementType>::Open(favorite.ObjDBId, favorite.ObjId);
        break;
    case itElementAvail:
        OpenCardElementAvail(favorite.ObjId, false, 0, 0, 0);
        break;
    case itProject:
        OpenCardProject(favorite.ObjId, false);
        if (favorite.Flags == kFlagProjectItems)
            OpenRBProjectItem(favorite.ObjId);
        break;
    default:
        break;
    }
}

bool TfrmFavorites::DeleteFromDBFavoriteItemById(quint32 AId) {
    if (!Connected())
        return false;
    if (!FQuery)
        FQuery = std::make_unique<TIBQuery>(&dmMain->MainIBDatabase, &dmMain->MainIBTransaction);
    TIBQuery& query = *FQuery;
    return dmMain->ExecuteInTransaction([&] {
        query.Close();
        query.SetSQL(QStringLiteral("DELETE FROM T_FAVORITES WHERE ID = :VAR_ID;"));
        query.ParamByName("VAR_ID").SetAsInt64(AId);
        query.ExecSQL();
        query.Close();
    });
}

void TfrmFavorites::DeleteItem() {
    const TKVFavorites* selected = SelectedFavorite();
    if (!selected || !Writable())
        return;
    const quint32 id = selected->Id;
    if (ShowMessageDlg(tr("Удалить запись из Избранного?"), mdkConfirmation, mdbYes | mdbNo) !=
        mrYes)
        return;
    if (!DeleteFromDBFavoriteItemById(id)) {
        ShowMessageDlg(tr("Не удалось удалить эту запись из Избранного"), mdkError, mdbOK);
        return;
    }
    FFavorites.erase(id);
    if (const int row = FModel->Find({0, id}); row >= 0)
        FModel->RemoveRow(row);
    ListViewSelectItem();
}

void TfrmFavorites::done(int AResult) {
    if (AResult == mrOk)
        OpenData();
    TKVDialog::done(AResult);
}

bool TfrmFavorites::eventFilter(QObject* AObject, QEvent* AEvent) {
    if (AObject == FListView && AEvent->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(AEvent);
        if (key->key() == Qt::Key_Delete && key->modifiers() == Qt::NoModifier) {
            DeleteItem();
            return true;
        }
        if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
            done(mrOk);
            return true;
        }
    }
    return TKVDialog::eventFilter(AObject, AEvent);
}

void TfrmFavorites::keyPressEvent(QKeyEvent* AEvent) {
    // Enter is OK whether or not a row is selected (without one nothing opens).
    if ((AEvent->key() == Qt::Key_Return || AEvent->key() == Qt::Key_Enter) &&
        !(AEvent->modifiers() & ~Qt::KeypadModifier)) {
        done(mrOk);
        return;
    }
    TKVDialog::keyPressEvent(AEvent);
}

int ShowFavoritesDlg() {
    TfrmFavorites dialog(TKVDialog::OwnerWindow());
    dialog.setWindowIcon(ResourceIcon(kIcon));
    return dialog.exec();
}
