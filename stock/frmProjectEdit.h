#pragma once

// The card of a project: its name, description, planned and completed device counts, category
// (offered from the user list of project categories), icon, period and status (in work or
// archived). The archive status does not make the card read-only: an archived project can be
// put back in work here.
//
// A save that raises the completed-device count of a project in work may write the stock of its
// items off (TKVProjectWriteOff), once the project itself was saved. The count that the next
// save measures against is the loaded one, then that of the last save whose write-off is done.

#include "core/KVProject.h"
#include "views/KVRecordCard.h"

class QComboBox;
class QDateEdit;
class QPlainTextEdit;
class QSpinBox;

class TfrmProjectEdit : public TKVBookCard<TKVProject> {
    Q_OBJECT
public:
    explicit TfrmProjectEdit(QWidget* AParent = nullptr);

    // The card of project AId, of a new project for 0, or of a copy of AId with
    // ACreateCopyFlag; false when the project was not found (the card closed).
    bool Init(quint32 AId, bool ACreateCopyFlag);
    bool Init(quint32, quint32 AId, bool ACreateCopyFlag) { return Init(AId, ACreateCopyFlag); }

    const TKVProject* Project() const { return Row(); }
    // The completed-device count the next write-off measures against.
    qint64 OldDeviceCompleteCount() const { return FOldDeviceCompleteCount; }

    // The save, then the write-off of the newly completed devices.
    bool SaveItem() override;

    // The category button: the user list of categories is edited, then offered again.
    void ProjectCategory_MRUEditPropertiesButtonClick();

    // --- Components
    QLineEdit* ProjectName_TextEdit() const { return FNameEdit; }
    QPlainTextEdit* ProjectDesc_Memo() const { return FDescMemo; }
    QSpinBox* ProjectDeviceScheduledCount_SpinEdit() const { return FScheduledSpin; }
    QSpinBox* ProjectDeviceCompleteCount_SpinEdit() const { return FCompleteSpin; }
    TKVButtonEdit* ProjectCategory_MRUEdit() const { return FCategoryEdit; }
    QComboBox* ProjectIcon_ImageComboBox() const { return FIconBox; }
    QDateEdit* ProjectBegin_DateEdit() const { return FBeginEdit; }
    QDateEdit* ProjectEnd_DateEdit() const { return FEndEdit; }
    QComboBox* ProjectProgress_ComboBox() const { return FProgressBox; }
    // Whether a date editor shows no date.
    static bool DateEmpty(const QDateEdit* AEditor);
    static void ClearDate(QDateEdit* AEditor);

protected:
    void BindFields(TIBQuery& AQuery, const QString& APrefix) const override;
    void FillEditors() override;
    bool CheckEditors() override;
    void StoreEditors(TDateTime ACreateDateTime, TDateTime AUpdateDateTime) override;
    void SetEditorsReadOnly(bool AValue) override;
    bool ReadNewRecord(TIBQuery& AQuery) override;
    void OpenCopy() override;
    bool eventFilter(QObject* AObject, QEvent* AEvent) override;

private:
    void FillIconCombo();
    void FillCategoryList();
    QDateEdit* NewDateEdit(const char* AName);

    qint64 FOldDeviceCompleteCount = 0;
    bool FFilling = false;
    QLineEdit* FNameEdit = nullptr;
    QPlainTextEdit* FDescMemo = nullptr;
    QSpinBox* FScheduledSpin = nullptr;
    QSpinBox* FCompleteSpin = nullptr;
    TKVButtonEdit* FCategoryEdit = nullptr;
    QComboBox* FIconBox = nullptr;
    QDateEdit* FBeginEdit = nullptr;
    QDateEdit* FEndEdit = nullptr;
    QComboBox* FProgressBox = nullptr;
};

// Opens the card of project AId, of a new project for 0, or of a copy of AId with
// ACreateCopyFlag; nullptr when the project was not found.
TfrmProjectEdit* OpenCardProject(quint32 AId, bool ACreateCopyFlag);
