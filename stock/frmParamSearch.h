#pragma once

// The parametric search dialog: the element types of one class searched by conditions on their
// parameter values, one condition per base parameter, combined as "all" or "any", optionally
// only types in stock. "Поиск" hands the conditions to the element-type list in its parametric
// mode. The dialog also keeps named search profiles in the database: load one, save the
// conditions as a new profile or over a stored one, rename and delete it. A shown profile
// always matches the stored one: any change of the class, the match rule or the conditions
// deselects it.

#include "core/KVParamSearch.h"
#include "shell/KVDialog.h"
#include "stock/KVSearchProfiles.h"

#include <memory>
#include <vector>

class QCheckBox;
class QComboBox;
class QPushButton;
class QTreeWidget;
class TKVButtonEdit;

// The search of the last dialog closed with "Поиск", until RunParamSearch takes it.
extern std::unique_ptr<TKVParamSearchList> ParamSearchResultList;

class TfrmParamSearch : public TKVDialog {
    Q_OBJECT
public:
    explicit TfrmParamSearch(QWidget* AParent = nullptr);

    quint32 PSClassDBId() const { return FPSClassDBId; }
    quint32 PSClassId() const { return FPSClassId; }
    // The conditions in list order.
    const std::vector<TKVParamSearchData>& Conditions() const { return FConditions; }
    const std::vector<TKVSearchProfileEntry>& ProfileList() const { return FPSPList; }

    // The commands of the buttons.
    void SelectClassClick();
    void AddItem();
    void EditItem();
    void DeleteItem();
    void SaveToDBClick();
    void RenameClick();
    void DeleteFromDBClick();

    // "Поиск" closes only when the search could be built; any other result closes at once.
    void done(int AResult) override;

    // --- Components
    QComboBox* SelectPSP_ComboBox() const { return FProfileCombo; }
    TKVButtonEdit* ParamSearchClass_ButtonEdit() const { return FClassEdit; }
    QComboBox* ParamSearchType_ComboBox() const { return FUnionCombo; }
    QCheckBox* ParamSearchAvailOnly_CheckBox() const { return FAvailOnlyCheck; }
    QTreeWidget* ParamSearch_ListView() const { return FListView; }
    QPushButton* SaveToDB_Button() const { return FSaveButton; }
    QPushButton* DeleteFromDB_Button() const { return FDeleteFromDBButton; }
    QPushButton* RenamePSP_Button() const { return FRenameButton; }
    QPushButton* Add_Button() const { return FAddButton; }
    QPushButton* Edit_Button() const { return FEditButton; }
    QPushButton* Delete_Button() const { return FDeleteButton; }
    QPushButton* Find_Button() const { return FFindButton; }

protected:
    bool eventFilter(QObject* AObject, QEvent* AEvent) override;

private:
    void CheckParamSearchData();
    void UpdateRowButtons();
    void ClearSelectedPSProfile();
    void LoadParamSearchProfileList();
    bool LoadParamSearchProfileFromDB(int APSPIndex);
    bool SaveParamSearchProfileToDB(const QString& APSPName);
    bool UpdateParamSearchProfileInDB(int APSPIndex);
    bool RenameParamSearchProfileInDB(const QString& APSPName, int APSPIndex);
    bool DeleteParamSearchProfileFromDB(int APSPIndex);
    bool BuildParamSearchList();
    // Asks for a profile name (APreset proposed); empty when cancelled or refused (a name that
    // is blank or used by another profile than AExceptId is refused with a message).
    QString AskProfileName(const QString& APreset, quint32 AExceptId);
    int FindItemByBaseParam(quint32 ADBId, quint32 AId) const;
    int SelectedRow() const;
    void AppendRow(const TKVParamSearchData& AData, const QString& ACaption);
    void SetRow(int ARow, const TKVParamSearchData& AData, const QString& ACaption);
    void RemoveRow(int ARow);
    void ClearRows();
    void SetClass(quint32 ADBId, quint32 AId, const QString& AName);
    // Clears the class (and the conditions after the question when there are any).
    void ClearClass();
    // Selects APSPIndex in the profile combo without loading it.
    void SelectProfileSilently(int APSPIndex);
    void EnableProfileButtons(bool AEnable);
    bool ReadOnlyDB() const;

    quint32 FPSClassDBId = 0;
    quint32 FPSClassId = 0;
    std::vector<TKVSearchProfileEntry> FPSPList;
    bool FPSPLoading = false;
    std::vector<TKVParamSearchData> FConditions; // one per row of the list, in row order

    QComboBox* FProfileCombo = nullptr;
    TKVButtonEdit* FClassEdit = nullptr;
    QComboBox* FUnionCombo = nullptr;
    QCheckBox* FAvailOnlyCheck = nullptr;
    QTreeWidget* FListView = nullptr;
    QPushButton* FSaveButton = nullptr;
    QPushButton* FDeleteFromDBButton = nullptr;
    QPushButton* FRenameButton = nullptr;
    QPushButton* FAddButton = nullptr;
    QPushButton* FEditButton = nullptr;
    QPushButton* FDeleteButton = nullptr;
    QPushButton* FFindButton = nullptr;
};

// Opens the element-type list on the search of ParamSearchResultList and lets the list go.
void RunParamSearch();
// Runs the dialog modally and, after "Поиск", the search; the modal result.
int ShowParamSearchDlg();
