#pragma once

// The editor of icon descriptions: one row per icon of an image list (class icons or project
// icons) with the icon's description, line n of a text file of the program's folder for icon n.
// A description is changed in place, through the input dialog (double click) or emptied with
// Del. On a read-only program folder the descriptions cannot be saved and the file's path is
// not shown.

#include "shell/KVDialog.h"

#include <QString>
#include <QStringList>

class QLabel;
class QPushButton;
class QTreeWidget;
class TIconDescDelegate;
class TKVImageList;

class TfrmIconDescEdit : public TKVDialog {
    Q_OBJECT
public:
    // The image lists that can be described, by the resource number of their pictures.
    static constexpr quint32 ClassIconsListIndex = 3110;
    static constexpr quint32 ProjectIconsListIndex = 3114;

    // AFileName: the file's name in the program's folder; AIconsListIndex: which icons.
    TfrmIconDescEdit(const QString& AFileName, quint32 AIconsListIndex, QWidget* AParent = nullptr);

    const QString& FileName() const { return FFileName; }
    quint32 IconsListIndex() const { return FIconsListIndex; }
    // The lines of the file as read.
    const QStringList& IconDescList() const { return FIconDescList; }
    QTreeWidget* ListView() const { return FIconDesc_ListView; }
    QLabel* FileNameLabel() const { return FFileName_Label; }
    QPushButton* SaveButton() const { return FSave_Button; }
    QPushButton* CancelButton() const { return FCancel_Button; }
    // The rows' descriptions, in row order.
    QStringList Descriptions() const;

    // The list's double click: the selected row's description through the input dialog.
    void IconDesc_ListViewDblClick();
    // "&Сохранить": writes one line per row and closes with OK; a failed write keeps the dialog
    // open. Nothing happens on a read-only program folder.
    void Save_ButtonClick();

protected:
    bool eventFilter(QObject* AObject, QEvent* AEvent) override;
    void showEvent(QShowEvent* AEvent) override;

private:
    // Reads the file and makes one row per icon of the chosen image list.
    void LoadIconDescList();
    // The chosen image list; nullptr for an unknown number.
    const TKVImageList* IconsList() const;

    QString FFileName;
    quint32 FIconsListIndex = 0;
    QStringList FIconDescList;
    bool FReadOnly = true;
    TIconDescDelegate* FDelegate = nullptr;
    QTreeWidget* FIconDesc_ListView = nullptr;
    QLabel* FFileName_Label = nullptr;
    QPushButton* FSave_Button = nullptr;
    QPushButton* FCancel_Button = nullptr;
};

// Shows the editor of the descriptions in AFileName (a name in the program's folder) of the
// icons AIconsListIndex (3110 class icons, 3114 project icons) modally; 1 when they were saved,
// 2 when cancelled.
int ShowIconDescEditDlg(const QString& AFileName, quint32 AIconsListIndex);
