#pragma once

// The list of plug-ins: name, plug-in and version of each, with "Использовать" for the selected
// one. No plug-ins are known yet, so the list stays empty and "Обновить" finds none.

#include "shell/KVDialog.h"

#include <QString>

class QPushButton;
class QTreeWidget;

// The "Плагин" column of the row chosen in the last list closed with "Использовать"; emptied
// each time the list opens.
extern QString SelectedPluginName;

class TfrmPluginList : public TKVDialog {
    Q_OBJECT
public:
    explicit TfrmPluginList(QWidget* AParent = nullptr);

    QTreeWidget* ListView() const { return FPlugins_ListView; }
    QPushButton* UseButton() const { return FUse_Button; }
    QPushButton* CancelButton() const { return FCancel_Button; }
    QPushButton* RefreshButton() const { return FRefresh_Button; }

    // Fills the list anew (it finds no plug-ins).
    void RefreshList();
    // OK needs a selected row, whose "Плагин" column then goes to SelectedPluginName; any other
    // result closes the dialog.
    void done(int AResult) override;

protected:
    void showEvent(QShowEvent* AEvent) override;

private:
    // "Использовать" is enabled exactly while a row is selected.
    void Plugins_ListViewSelectionChanged();

    QTreeWidget* FPlugins_ListView = nullptr;
    QPushButton* FUse_Button = nullptr;
    QPushButton* FCancel_Button = nullptr;
    QPushButton* FRefresh_Button = nullptr;
};

// Shows the plug-in list modally; 1 when a plug-in was chosen (its name is then in
// SelectedPluginName), 2 when cancelled.
int ShowPluginListDlg();
