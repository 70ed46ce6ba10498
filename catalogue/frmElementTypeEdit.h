#pragma once

// The card of an element type: name (required), marking, description, class (required), case,
// maker, the data sheet (a file or a web address, opened by the editor's button) and the
// picture of the type, a JPEG no larger than 300 × 300 pixels shown under the editors while the
// view button is down.
//
// A new type starts in the class and with the maker it is given. A save that moves a stored
// type to another class unbinds its parameter values from the old class's base parameters and,
// as option ParamRebinding says, binds them to the new class's (asking first under option 1,
// while the save's transaction is open); the class the card compares with is the one last
// committed, so a save that failed binds again on the next try.

#include "core/KVElementType.h"
#include "views/KVPictureBox.h"
#include "views/KVRecordCard.h"

class QAction;
class QPlainTextEdit;

class TfrmElementTypeEdit : public TKVBookCard<TKVElementType> {
    Q_OBJECT
public:
    explicit TfrmElementTypeEdit(QWidget* AParent = nullptr);

    const TKVElementType* ElementType() const { return Row(); }

    // Opens the type (ADBId, AId), a new type for (0, 0) in class (AETClassDBId, AETClassId)
    // and with maker (AMakerDBId, AMakerId) (0, 0: none), or a copy of (ADBId, AId) with
    // ACreateCopyFlag. A default class or maker that does not exist is left out.
    bool Init(quint32 ADBId, quint32 AId, bool ACreateCopyFlag, quint32 AETClassDBId,
              quint32 AETClassId, quint32 AMakerDBId, quint32 AMakerId);

    // --- The records the card refers to (0, 0: none), read by other windows
    quint32 ETClassDBId() const { return Row() ? Row()->ETClassDBId() : 0; }
    quint32 ETClassId() const { return Row() ? Row()->ETClassId() : 0; }
    quint32 CaseDBId() const { return Row() ? Row()->CaseDBId() : 0; }
    quint32 CaseId() const { return Row() ? Row()->CaseId() : 0; }
    quint32 MakerDBId() const { return Row() ? Row()->MakerDBId() : 0; }
    quint32 MakerId() const { return Row() ? Row()->MakerId() : 0; }
    // The class the stored type had when it was last loaded or saved.
    quint32 OldETClassDBId() const { return FOldETClassDBId; }
    quint32 OldETClassId() const { return FOldETClassId; }
    // The card closes when its class, case or maker is deleted.
    bool LinkedToRecord(TKVItemType AItemType, quint32 ADBId, quint32 AId) const override;

    // Names of the records the card refers to, changed elsewhere: the card keeps its own.
    void ExternalUpdateClassName(const QString&) {}
    void ExternalUpdateCaseName(const QString&) {}
    void ExternalUpdateMakerName(const QString&) {}

    // --- Components
    QLineEdit* ElementTypeName_TextEdit() const { return FNameEdit; }
    QLineEdit* ElementTypeMarking_TextEdit() const { return FMarkingEdit; }
    QPlainTextEdit* ElementTypeDesc_Memo() const { return FDescMemo; }
    TKVButtonEdit* ElementTypeClass_ButtonEdit() const { return FClassEdit; }
    TKVButtonEdit* ElementTypeCase_ButtonEdit() const { return FCaseEdit; }
    TKVButtonEdit* ElementTypeMaker_ButtonEdit() const { return FMakerEdit; }
    TKVButtonEdit* ElementTypeDS_ButtonEdit() const { return FDataSheetEdit; }
    TKVPictureBox* ElementType_Image() const { return PictureBox(); }
    QAction* pmiOpenImage() const;

    // --- Event handlers
    // The data-sheet button: opens the document or address the editor names; with an empty
    // editor, a file chosen in the file dialog becomes its text.
    void ElementTypeDS_ButtonEditPropertiesButtonClick();

protected:
    void CreateRecord(quint32 ADBId, quint32 AId) override;
    bool ReadRecord(TIBQuery& AQuery, quint32 ADBId, quint32 AId) override;
    // The names of the default class and maker.
    bool ReadNewRecord(TIBQuery& AQuery) override;
    void BindFields(TIBQuery& AQuery, const QString& APrefix) const override;
    // The type's UPDATE, and the binding of its values when its class changed.
    int ExecUpdate(TIBQuery& AQuery) override;
    void RecordCommitted() override;
    void FillEditors() override;
    // A class is chosen; a data sheet typed anew names a file that exists or a web address.
    bool CheckEditors() override;
    void StoreEditors(TDateTime ACreateDateTime, TDateTime AUpdateDateTime) override;
    QString RecordCardName() const override;
    void SetEditorsReadOnly(bool AValue) override;
    void OpenCopy() override;
    // Enter in the data-sheet editor presses its button.
    bool eventFilter(QObject* AObject, QEvent* AEvent) override;

private:
    // The context of a new type (Init's arguments).
    quint32 FInitClassDBId = 0;
    quint32 FInitClassId = 0;
    quint32 FInitMakerDBId = 0;
    quint32 FInitMakerId = 0;
    quint32 FOldETClassDBId = 0;
    quint32 FOldETClassId = 0;

    QLineEdit* FNameEdit = nullptr;
    QLineEdit* FMarkingEdit = nullptr;
    QPlainTextEdit* FDescMemo = nullptr;
    TKVButtonEdit* FClassEdit = nullptr;
    TKVButtonEdit* FCaseEdit = nullptr;
    TKVButtonEdit* FMakerEdit = nullptr;
    TKVButtonEdit* FDataSheetEdit = nullptr;
};

// Opens the card of type (ADBId, AId), of a new type for (0, 0) in class (AETClassDBId,
// AETClassId) and with maker (AMakerDBId, AMakerId) (0, 0: none), or of a copy of (ADBId, AId)
// with ACreateCopyFlag. Returns the card; nullptr when the type was not found.
TfrmElementTypeEdit* OpenCardElementType(quint32 ADBId, quint32 AId, bool ACreateCopyFlag,
                                         quint32 AETClassDBId, quint32 AETClassId,
                                         quint32 AMakerDBId, quint32 AMakerId);

// The main window's command for a new element type: asks for a class and opens a blank card of
// a type in it.
void NewElementTypeOnClass();
