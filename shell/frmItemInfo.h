#pragma once

// Record details: for any record of any table, given its kind and key, a modal window lists a
// fixed set of facts read from the open database: the kind, the key, the name, the times of
// creation, change and import, the class of the record's DBID, whether it comes from another
// database, and whether it may be changed, deleted and exported here. The facts can be copied
// to the clipboard as text. The window changes nothing in the database.

#include "core/KVCommon.h"

#include <QDialog>
#include <QString>
#include <QStringList>

#include <memory>

class QAction;
class QMenu;
class QPushButton;
class QTabWidget;
class QTreeWidget;
class TIBQuery;

class TfrmItemInfo : public QDialog {
    Q_OBJECT
public:
    explicit TfrmItemInfo(QWidget* AParent = nullptr);
    ~TfrmItemInfo() override;

    // Fills the facts of the record of kind AItemType with key (ADBId, AId); records keyed by
    // ID alone are passed with ADBId 0, which is not used. Nothing is shown while no database
    // is open.
    void LoadItemInfo(TKVItemType AItemType, quint32 ADBId, quint32 AId);

    // The facts as the copy to the clipboard writes them: the heading, two empty lines, then
    // one line per fact ("name:  value", or the name alone for a fact without a value).
    QStringList InfoLines() const;

    QTreeWidget* ListView() const { return FListView; }

public slots:
    // Puts InfoLines on the clipboard, each line ended by a line break.
    void CopyToClipboard_BtnClick();
    void pmiHelpContextClick();

private:
    void AddRow(const QString& ACaption);
    void AddRow(const QString& ACaption, const QString& AValue);

    QTabWidget* FPageControl = nullptr;
    QTreeWidget* FListView = nullptr;
    QTreeWidget* FTreeView = nullptr;
    QPushButton* FOkBtn = nullptr;
    QPushButton* FCopyBtn = nullptr;
    QMenu* FPopupMenu = nullptr;
    QAction* FHelpAction = nullptr;
    std::unique_ptr<TIBQuery> FQuery; // on the data module's database and transaction
};

// Shows the details of a record modally; returns the modal result.
int ShowItemInfoDlg(TKVItemType AItemType, quint32 ADBId, quint32 AId);
