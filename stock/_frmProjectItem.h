#pragma once

// The list frame of one project's items (T_PROJECT_ITEM): what element each item needs and how
// many, and for an item linked to a stock record how many that record holds, with its count
// unit and its nominal. Items of an archived project can be viewed, opened and deleted, but not
// added or copied: both re-read the project's status first and refuse with a message.

#include "core/KVProjectItem.h"
#include "views/KVListFrame.h"

class T_frmProjectItem : public TKVBookListFrame<TKVProjectItemList> {
    Q_OBJECT
public:
    explicit T_frmProjectItem(QWidget* AParent = nullptr);

    void Init(quint32 AProjectId);

    quint32 ProjectId() const { return FProjectId; }
    QString ProjectName() const;
    bool ProjectInProgress() const;
    TKVProjectItemList* ProjectItemList() const { return List(); }

    // Reads whether the project is in work; false when it could not be read (the flag stays).
    bool LoadProjectStatus();

    // The list of its project closes with it.
    bool BoundToRecord(TKVItemType AItemType, quint32 ADBId, quint32 AId) const override;
    void FillListView() override;

protected:
    std::unique_ptr<TKVProjectItemList> NewList() const override;
    void LoadContext(TIBQuery& AQuery) override;
    QString SelectOneSQL() const override;
    void BindContext(TIBQuery& AQuery) override;
    TKVListRow MakeRow(const TKVProjectItem& ARecord) const override;
    bool RecordMatchesText(const TKVProjectItem& ARecord) const override;
    TLayoutKey LayoutContextKey() const override;
    void OpenCard(quint32 ADBId, quint32 AId, bool ACreateCopyFlag) override;
    QString ExportDataSetName() const override;

private:
    // Add and Copy follow the project's status.
    void UpdateAddCopyCommands();

    quint32 FProjectId = 0;
};
