#pragma once

// The list frame of the projects (T_PROJECT) of one mode: the projects in work (F_PROGRESS set)
// or the archive. Each row shows the name, the first line of the description, the completed and
// planned device counts, the category and the period. Enter opens the project's card; a double
// click offers the card and the project's items. A project that still has items cannot be
// deleted; deleting one closes its card, its item list and its item cards. A project whose
// status changes in its card moves from the list of one mode to that of the other.

#include "core/KVProject.h"
#include "views/KVListFrame.h"

class T_frmProject : public TKVBookListFrame<TKVProjectList> {
    Q_OBJECT
public:
    explicit T_frmProject(QWidget* AParent = nullptr);

    void Init(bool AActionState, TKVProjectListSelectDataMode AListSelectDataMode);

    TKVProjectListSelectDataMode ListSelectDataMode() const { return FMode; }
    TKVProjectList* ProjectList() const { return List(); }

    // The items of the selected project: its open item list to the front, or a new one.
    void OpenReferenceBook_ProjectItems();
    // The workbook dialog of the selected project's items.
    void ShowImportItems();
    void AddToFavorite();

    // Enter opens the card; the double click offers the card and the items.
    void ListViewEnterKey() override;
    void ListViewDblClick() override;

protected:
    std::unique_ptr<TKVProjectList> NewList() const override;
    QString CountSQL() const override;
    QString SelectSQL() const override;
    QString SelectOneSQL() const override;
    TKVListRow MakeRow(const TKVProject& ARecord) const override;
    bool RecordMatchesText(const TKVProject& ARecord) const override;
    std::optional<int> LayoutObjMode() const override { return static_cast<int>(FMode); }
    void OpenCard(quint32 ADBId, quint32 AId, bool ACreateCopyFlag) override;
    void AddExtraCommands(QMenu* AMenu) override;

private:
    QString ModeCondition() const;

    TKVProjectListSelectDataMode FMode = psdmInProgress;
};
