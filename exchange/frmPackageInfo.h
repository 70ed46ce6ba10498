#pragma once

// The information window of a package: what kind of package it is, which updates it contains,
// which packages and updates it requires and how many rows of each table it carries, on four
// pages, with a button that copies all of it to the clipboard.

#include "core/KVDataBase.h"
#include "shell/KVDialog.h"

class QListWidget;
class QPushButton;
class QTabWidget;
class QTreeWidget;

class TfrmPackageInfo : public TKVDialog {
    Q_OBJECT
public:
    explicit TfrmPackageInfo(QWidget* AParent = nullptr);

    const TKVPackageInfo& PackageInfo() const { return FPackageInfo; }
    void SetPackageInfo(const TKVPackageInfo& AInfo) { FPackageInfo = AInfo; }
    // Fills the four pages from PackageInfo.
    void LoadPackageInfo();

    QTabWidget* PageControl() const { return FPageControl; }
    QTreeWidget* GeneralListView() const { return FGeneralPackageInfo_ListView; }
    QListWidget* IncludeListBox() const { return FIncludePackageInfo_ListBox; }
    QListWidget* RelationListBox() const { return FRelationPackageInfo_ListBox; }
    QTreeWidget* CompositionListView() const { return FICPackageInfo_ListView; }
    QPushButton* CopyToClipboardBtn() const { return FCopyToClipboard_Btn; }

public slots:
    void CopyToClipboard_BtnClick();

private:
    TKVPackageInfo FPackageInfo;
    QTabWidget* FPageControl = nullptr;
    QTreeWidget* FGeneralPackageInfo_ListView = nullptr;
    QListWidget* FIncludePackageInfo_ListBox = nullptr;
    QListWidget* FRelationPackageInfo_ListBox = nullptr;
    QTreeWidget* FICPackageInfo_ListView = nullptr;
    QPushButton* FCopyToClipboard_Btn = nullptr;
    QPushButton* FOkBtn = nullptr;
};

// Shows the information of APackageInfo modally; returns the modal result.
int ShowPackageInfoDlg(const TKVPackageInfo& APackageInfo);
