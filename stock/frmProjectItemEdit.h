#pragma once

// The card of a project item: what one device of the project needs, as an element type (chosen
// within its class), a stock record, or both, with the required count and a note. Choosing a
// stock record takes its element type and class; choosing another class or element type drops
// the stock record. The items of a project that is not in work are shown read-only, and the
// project's status is read again before every save and copy.

#include "core/KVProjectItem.h"
#include "views/KVRecordCard.h"

class QLabel;

class TfrmProjectItemEdit : public TKVBookCard<TKVProjectItem> {
    Q_OBJECT
public:
    explicit TfrmProjectItemEdit(QWidget* AParent = nullptr);

    // The card of item AId of project AProjectId, of a new item for 0, or of a copy of AId with
    // ACreateCopyFlag; false when the item was not found (the card closed).
    bool Init(quint32 AId, bool ACreateCopyFlag, quint32 AProjectId);
    bool Init(quint32, quint32 AId, bool ACreateCopyFlag, quint32 AProjectId) {
        return Init(AId, ACreateCopyFlag, AProjectId);
    }

    const TKVProjectItem* ProjectItem() const { return Row(); }
    quint32 ProjectId() const { return FProjectId; }
    quint32 PIClassDBId() const { return Row() ? Row()->PIClassDBId() : 0; }
    quint32 PIClassId() const { return Row() ? Row()->PIClassId() : 0; }
    quint32 ElementTypeDBId() const { return Row() ? Row()->ElementTypeDBId() : 0; }
    quint32 ElementTypeId() const { return Row() ? Row()->ElementTypeId() : 0; }
    quint32 ElementAvailId() const { return Row() ? Row()->ElementAvailId() : 0; }

    // Read-only also while the project is not in work.
    bool ReadOnly() const override;
    bool LinkedToRecord(TKVItemType AItemType, quint32 ADBId, quint32 AId) const override;

    // Reads whether the project is in work (the flag stays when it cannot be read).
    void LoadProjectStatus();
    // Refused with a message when the project is no longer in work.
    bool SaveItem() override;

    // --- Components
    QLineEdit* ProjectItemProject_TextEdit() const { return FProjectEdit; }
    TKVButtonEdit* ProjectItemClass_ButtonEdit() const { return FClassEdit; }
    TKVButtonEdit* ProjectItemElementType_ButtonEdit() const { return FTypeEdit; }
    TKVButtonEdit* ProjectItemAvail_ButtonEdit() const { return FAvailEdit; }
    QLabel* ProjectItemInfo_Label() const { return FInfoLabel; }
    QLineEdit* ProjectItemCount_SpinEdit() const { return FCountEdit; }
    QLabel* ProjectItemUnitCount_Label() const { return FUnitLabel; }
    QLineEdit* ProjectItemText_TextEdit() const { return FTextEdit; }

protected:
    void CreateRecord(quint32 ADBId, quint32 AId) override;
    bool ReadNewRecord(TIBQuery& AQuery) override;
    void BindFields(TIBQuery& AQuery, const QString& APrefix) const override;
    void FillEditors() override;
    bool CheckEditors() override;
    void StoreEditors(TDateTime ACreateDateTime, TDateTime AUpdateDateTime) override;
    QString RecordCardName() const override { return Row()->ElementTypeName(); }
    QLineEdit* NewRecordEditor() const override { return nullptr; }
    void SetEditorsReadOnly(bool AValue) override;
    void OpenCopy() override;

private:
    // Drops the stock link and its texts.
    void ClearAvail();
    // Takes the stock record AId with its element type and class.
    void TakeAvail(quint32 AId);
    // The stock field, the info text and the unit label from the record.
    void ShowAvail();
    // Copy only for a saved item of a project in work on a writable database.
    void UpdateCopyButton();
    bool ArchivedRefusal();

    quint32 FProjectId = 0;
    double FCheckedCount = 0;
    bool FFilling = false;
    QLineEdit* FProjectEdit = nullptr;
    TKVButtonEdit* FClassEdit = nullptr;
    TKVButtonEdit* FTypeEdit = nullptr;
    TKVButtonEdit* FAvailEdit = nullptr;
    QLabel* FInfoLabel = nullptr;
    QLineEdit* FCountEdit = nullptr;
    QLabel* FUnitLabel = nullptr;
    QLineEdit* FTextEdit = nullptr;
};

// Opens the card of item AId, of a new item for 0, or of a copy of AId with ACreateCopyFlag, of
// project AProjectId; nullptr when the item was not found.
TfrmProjectItemEdit* OpenCardProjectItem(quint32 AId, bool ACreateCopyFlag, quint32 AProjectId);
