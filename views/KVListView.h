#pragma once

// The set-up every flat record list shares: whole rows selected one at a time, no editing,
// clickable fixed headers, uniform rows and AModel shown.

class QAbstractItemModel;
class QTreeView;

void SetUpRecordListView(QTreeView* AView, QAbstractItemModel* AModel);
