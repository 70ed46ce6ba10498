#pragma once

// The options dialog: the program's options on six pages, the list of database aliases and,
// while a database is open, three settings kept in that database (the reset of all window
// layouts, the database description and the storage place for emptied stock records).
//
// Accepted options go into the data module's option values at once and reach the settings
// file when the program ends; option ReadOnly changes only its value to be saved and takes
// effect at the next start. The database settings are written when the dialog is accepted,
// the reset at once when it is confirmed. On a read-only program folder nothing is stored.

#include "core/KVCommon.h"
#include "shell/KVDialog.h"

#include <functional>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QSpinBox;
class QTabWidget;
class QTreeWidget;
class QTreeWidgetItem;
class TKVButtonEdit;

// The picker of the storage place for emptied stock records: (the place to preselect, the
// place to leave out) → the chosen place, Select false when cancelled. The storage-place book
// lies above the shell, so the program installs its picker here at start (with the book
// windows it registers); with none installed the picker counts as cancelled.
using TSetupSelectStorage =
    std::function<TKVSelectedLocalItemDBData(quint32 ASelectId, quint32 AExcludeId)>;
// Installs APicker (an empty function: none) and returns the one installed before.
TSetupSelectStorage SetSetupSelectStorage(TSetupSelectStorage APicker);
// Runs the installed picker; cancelled when none is installed.
TKVSelectedLocalItemDBData SetupSelectStorage(quint32 ASelectId, quint32 AExcludeId);

class TfrmSetup : public TKVDialog {
    Q_OBJECT
public:
    explicit TfrmSetup(QWidget* AParent = nullptr);

    // The accepted values need a restart to take effect (option ReadOnly changed).
    bool AppRestart() const { return FAppRestart; }
    // The alias list of the dialog was changed.
    bool AliasModifed() const { return FAliasModifed; }
    // The storage place for emptied stock records chosen in the dialog, 0 for none.
    quint32 tmpStorageForEmptyId() const { return FtmpStorageForEmptyId; }

    // What follows the showing: on a read-only program folder, the warning that the options
    // cannot be changed.
    void FormShow();
    // Closing: with OK on a writable program folder the options, the aliases and the database
    // settings are stored (see the file's head).
    void done(int AResult) override;

    // Enables the editors of the network page from its check boxes.
    void ICCheckEditorsEnabled();

    // Commands of the local configuration page.
    void ClearLocalCfg_ButtonClick();
    void StorageForEmpty_ButtonEditButtonClick();
    void StorageForEmpty_Clear();
    // Commands of the alias page; they act on the selected row.
    void AddAlias_ButtonClick();
    void EditAlias_ButtonClick();
    void DeleteAlias_ButtonClick();

    QTabWidget* PageControl() const { return FPageControl; }
    QTreeWidget* AliasListView() const { return FAlias_ListView; }

protected:
    void showEvent(QShowEvent* AEvent) override;
    bool eventFilter(QObject* AObject, QEvent* AEvent) override;

private:
    QWidget* CreateGeneralPage();
    QWidget* CreateViewPage();
    QWidget* CreateProcessingPage();
    QWidget* CreateLocalConfigPage();
    QWidget* CreateAliasPage();
    QWidget* CreateNetworkPage();
    QCheckBox* NewCheckBox(QWidget* AParent, const char* AName, const QString& ACaption);
    QPushButton* NewButton(QWidget* AParent, const char* AName, const QString& ACaption,
                           const QString& AHint, int AImage);

    void FormCreate();
    void StoreSettings();
    void UpdateLocalConfigButtons();
    void Alias_ListViewSelectionChange();
    void AddAliasRow(const QString& AName, const QString& AFileName);

    bool FAppRestart = false;
    bool FAliasModifed = false;
    quint32 FtmpStorageForEmptyId = 0;
    bool FShown = false;

    QTabWidget* FPageControl = nullptr;
    // Основные
    QCheckBox* FAPG_EnableLogo_CheckBox = nullptr;
    QCheckBox* FAPG_EnableLogin_CheckBox = nullptr;
    QCheckBox* FAPG_AutoConnect_CheckBox = nullptr;
    QCheckBox* FAP_VisualConfirm_CheckBox = nullptr;
    QGroupBox* FAPED_GroupBox = nullptr;
    QCheckBox* FAPED_EnableReadOnlyMode_CheckBox = nullptr;
    QCheckBox* FAPED_BaseLevelItemModifed_CheckBox = nullptr;
    QCheckBox* FAPED_NotSelfItemModifed_CheckBox = nullptr;
    // Просмотр
    QCheckBox* FAPVD_EnableForcedSelectStorageForElementAvail_CheckBox = nullptr;
    QCheckBox* FAPVD_ForcedHideImage_CheckBox = nullptr;
    QCheckBox* FAPVD_ViewCountItems_CheckBox = nullptr;
    // Обработка
    QComboBox* FAPUPID_ParamRebinding_ComboBox = nullptr;
    QComboBox* FAPUPID_ChangeUPIDOnBaseParam_ComboBox = nullptr;
    QComboBox* FAPUPID_ChangeUnitOnBaseParam_ComboBox = nullptr;
    QComboBox* FAPACC_WriteOffAvailItemsInProject_ComboBox = nullptr;
    QComboBox* FAPACC_MoveEmptyAvailToSpecStorage_ComboBox = nullptr;
    // Локальная конфигурация
    QCheckBox* FALC_EnableForAllDB_CheckBox = nullptr;
    QWidget* FAddFunct_LocalCfg_Panel = nullptr;
    QTabWidget* FLocalCfg_PageControl = nullptr;
    QPushButton* FClearLocalCfg_Button = nullptr;
    QLineEdit* FDBDescription_TextEdit = nullptr;
    TKVButtonEdit* FStorageForEmpty_ButtonEdit = nullptr;
    // Базы данных
    QTreeWidget* FAlias_ListView = nullptr;
    QPushButton* FAddAlias_Button = nullptr;
    QPushButton* FEditAlias_Button = nullptr;
    QPushButton* FDeleteAlias_Button = nullptr;
    // Подключение к сети
    QCheckBox* FAPIC_ICEnable_CheckBox = nullptr;
    QCheckBox* FAPIC_UsageProxy_CheckBox = nullptr;
    QLineEdit* FAPIC_Proxy_TextEdit = nullptr;
    QSpinBox* FAPIC_ProxyPort_SpinEdit = nullptr;
    QCheckBox* FAPIC_ProxyAuth_CheckBox = nullptr;
    QLineEdit* FAPIC_ProxyUser_TextEdit = nullptr;
    QLineEdit* FAPIC_ProxyPassword_TextEdit = nullptr;
    QCheckBox* FAPIC_RequestPassword_CheckBox = nullptr;
    QCheckBox* FAPN_ShowNewsOnStart_CheckBox = nullptr;

    QPushButton* FOkBtn = nullptr;
    QPushButton* FCancelBtn = nullptr;
};

// Shows the options dialog modally and returns the modal result. While the dialog is open, a
// second call brings it to the front and returns Cancel.
int ShowSetupDlg();
// The options dialog while it is shown, nullptr otherwise.
TfrmSetup* SetupDlg();
