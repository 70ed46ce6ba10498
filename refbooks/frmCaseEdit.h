#pragma once

// The card of a case: type name (required), description, pin count, mount type, the drawing
// template (a visual type and its three parameters A, B and C, stored packed in one integer
// column) and the picture of the case, a JPEG no larger than 300 × 300 pixels.
//
// The picture box is shown while the view button is down; it starts down when the record came
// with a picture and option HideImage is off. The card's height follows the box. A double
// click in the box (or its pop-up item) loads a picture from a file; Del removes it.

#include "core/KVCase.h"
#include "views/KVPictureBox.h"
#include "views/KVRecordCard.h"

class QAction;
class QComboBox;
class QLabel;
class QSpinBox;

class TfrmCaseEdit : public TKVBookCard<TKVCase> {
    Q_OBJECT
public:
    explicit TfrmCaseEdit(QWidget* AParent = nullptr);

    const TKVCase* Case() const { return Row(); }

    TKVPictureBox* Case_Image() const { return PictureBox(); }
    QAction* pmiOpenImage() const;

    QLineEdit* CaseType_TextEdit() const { return FTypeEdit; }
    QLineEdit* CaseDesc_TextEdit() const { return FDescEdit; }
    QSpinBox* CasePinCount_SpinEdit() const { return FPinCountEdit; }
    QComboBox* CaseMountType_ComboBox() const { return FMountTypeBox; }
    QComboBox* CasePttVisualType_ComboBox() const { return FVisualTypeBox; }
    // AIndex 0, 1, 2: parameter A, B, C.
    QSpinBox* CasePttVisualParam_SpinEdit(int AIndex) const;

    // --- Event handlers
    // Loads a picture from a file chosen in the file dialog.
    void Case_ImageDblClick();
    // Removes the picture.
    void Case_ImageDelete();

    // The text of visual type AIndex (index 0: empty).
    static QString PttVisualTypeToStr(int AIndex);

protected:
    void BindFields(TIBQuery& AQuery, const QString& APrefix) const override;
    void FillEditors() override;
    void StoreEditors(TDateTime ACreateDateTime, TDateTime AUpdateDateTime) override;
    QString RecordCardName() const override;
    void SetEditorsReadOnly(bool AValue) override;

private:
    QLineEdit* FTypeEdit = nullptr;
    QLineEdit* FDescEdit = nullptr;
    QSpinBox* FPinCountEdit = nullptr;
    QComboBox* FMountTypeBox = nullptr;
    QComboBox* FVisualTypeBox = nullptr;
    QWidget* FParamsPanel = nullptr;
    QSpinBox* FParamEdits[3] = {};
};

// Opens the card of case (ADBId, AId), of a new case for (0, 0), or of a copy of (ADBId, AId)
// with ACreateCopyFlag. Returns the card; nullptr when the case was not found.
TfrmCaseEdit* OpenCardCase(quint32 ADBId, quint32 AId, bool ACreateCopyFlag);
