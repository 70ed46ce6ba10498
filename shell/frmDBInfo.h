#pragma once

// Database information: three pages that describe the open database: its identity and what
// may be done with it, the system updates and data packages imported into it, and how many
// rows each table holds, the shareable tables split by the DBID of the database in which the
// rows were made. A button copies the three pages to the clipboard as text. The pages are
// filled once, when the dialog is made.

#include "shell/KVDialog.h"

#include <QStringList>

#include <memory>

class QListWidget;
class QPushButton;
class QTabWidget;
class QTreeWidget;
class TIBQuery;

class TfrmDBInfo : public TKVDialog {
    Q_OBJECT
public:
    explicit TfrmDBInfo(QWidget* AParent = nullptr);
    ~TfrmDBInfo() override;

    // Each fills its page; nothing happens while no database is open.
    void LoadDataBaseInfo();
    void LoadIncludeDataInfo();
    void LoadStatData();

    // The three pages as the copy to the clipboard writes them, one entry per line.
    QStringList InfoLines() const;

    QTabWidget* PageControl() const { return FPageControl; }
    QTreeWidget* DataBaseInfoListView() const { return FDataBaseInfo_ListView; }
    QListWidget* IncludeDataListBox() const { return FIncludeData_ListBox; }
    QTreeWidget* StatDBInfoTreeView() const { return FStatDBInfo_TreeView; }
    QPushButton* CopyToClipboardBtn() const { return FCopyToClipboard_Btn; }

public slots:
    // Puts InfoLines on the clipboard, each line followed by a line break.
    void CopyToClipboard_BtnClick();

private:
    void AddInfoRow(const QString& AName, const QString& AValue);

    QTabWidget* FPageControl = nullptr;
    QTreeWidget* FDataBaseInfo_ListView = nullptr;
    QListWidget* FIncludeData_ListBox = nullptr;
    QTreeWidget* FStatDBInfo_TreeView = nullptr;
    QPushButton* FOkBtn = nullptr;
    QPushButton* FCopyToClipboard_Btn = nullptr;
    std::unique_ptr<TIBQuery> FDBInfo_IBQuery; // on the data module's database and transaction
};

// Shows the information on the open database modally and returns the modal result. While the
// dialog is open, a second call brings it to the front and returns Cancel.
int ShowDBInfoDlg();
// The dialog while it is shown, nullptr otherwise.
TfrmDBInfo* DBInfoDlg();
