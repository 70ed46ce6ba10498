#include "views/KVListView.h"

#include <QHeaderView>
#include <QTreeView>

void SetUpRecordListView(QTreeView* AView, QAbstractItemModel* AModel) {
    AView->setRootIsDecorated(false);
    AView->setItemsExpandable(false);
    AView->setUniformRowHeights(true);
    AView->setAllColumnsShowFocus(true);
    AView->setSelectionBehavior(QAbstractItemView::SelectRows);
    AView->setSelectionMode(QAbstractItemView::SingleSelection);
    AView->setEditTriggers(QAbstractItemView::NoEditTriggers);
    AView->setModel(AModel);
    AView->header()->setSectionsClickable(true);
    AView->header()->setSectionsMovable(false);
}
