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

#include <QByteArray>

class QAction;
class QComboBox;
class QLabel;
class QSpinBox;

class TfrmCaseEdit : public TKVBookCard<TKVCase> {
    Q_OBJECT
public:
    explicit TfrmCaseEdit(QWidget* AParent = nullptr);

    const TKVCase* Case() const { return Row(); }

    // Opens the record as every card does, then sets up the picture box and the view button.
    bool Init(quint32 ADBId, quint32 AId, bool ACreateCopyFlag);
    // Places the card in the workspace at the height its picture box asks for.
    void ShowCard();

    // The JPEG bytes of the picture box; empty without a picture.
    const QByteArray& ImageData() const;
    // A picture came from the database when the card was loaded.
    bool ImageLoaded() const { return FImageLoaded; }
    // The picture box is shown.
    bool EnableView() const { return FEnableView; }
    // The view button's image: 40 with a picture loaded, 34 without.
    int ViewImageIndex() const { return FViewImageIndex; }

    QLineEdit* CaseType_TextEdit() const { return FTypeEdit; }
    QLineEdit* CaseDesc_TextEdit() const { return FDescEdit; }
    QSpinBox* CasePinCount_SpinEdit() const { return FPinCountEdit; }
    QComboBox* CaseMountType_ComboBox() const { return FMountTypeBox; }
    QComboBox* CasePttVisualType_ComboBox() const { return FVisualTypeBox; }
    // AIndex 0, 1, 2: parameter A, B, C.
    QSpinBox* CasePttVisualParam_SpinEdit(int AIndex) const;
    TKVPictureBox* Case_Image() const { return FImageBox; }
    QAction* pmiOpenImage() const;

    // --- Event handlers
    // Shows or hides the picture box.
    void View_ToolButtonClick();
    // Loads a picture from a file chosen in the file dialog.
    void Case_ImageDblClick();
    // Removes the picture.
    void Case_ImageDelete();

    // The text of visual type AIndex (index 0: empty).
    static QString PttVisualTypeToStr(int AIndex);

protected:
    void CreateRecord(quint32 ADBId, quint32 AId) override;
    // The record, and its picture (B_IMAGE).
    bool ReadRecord(TIBQuery& AQuery, quint32 ADBId, quint32 AId) override;
    void BindFields(TIBQuery& AQuery, const QString& APrefix) const override;
    void FillEditors() override;
    void StoreEditors(TDateTime ACreateDateTime, TDateTime AUpdateDateTime) override;
    QString RecordCardName() const override;
    void SetEditorsReadOnly(bool AValue) override;

private:
    void SetViewImageIndex(int AIndex);
    // The picture was loaded or removed: the view button's image follows, the card is modified.
    void ImageChanged();
    // The view button, the box's visibility and the card's height after FEnableView.
    void UpdateView();
    // Positions in the client area: the bottom of the editors' panel, of the parameter
    // editors, and the top of the picture box.
    int EditorsBottom() const;
    int ParamsBottom() const;
    int ImageTop() const;
    // The client height: the bottom of the picture box while it is shown, else the bottom of
    // the parameter editors, plus 9.
    int FittingClientHeight() const;

    // The picture the card was loaded with (set by ReadRecord, shown by FillEditors).
    QByteArray FLoadedImage;
    bool FEnableView = false;
    bool FImageLoaded = false;
    int FViewImageIndex = 34;

    QLineEdit* FTypeEdit = nullptr;
    QLineEdit* FDescEdit = nullptr;
    QSpinBox* FPinCountEdit = nullptr;
    QComboBox* FMountTypeBox = nullptr;
    QComboBox* FVisualTypeBox = nullptr;
    QWidget* FParamsPanel = nullptr;
    QSpinBox* FParamEdits[3] = {};
    QToolButton* FViewButton = nullptr;
    QWidget* FImagePanel = nullptr;
    TKVPictureBox* FImageBox = nullptr;
};

// Opens the card of case (ADBId, AId), of a new case for (0, 0), or of a copy of (ADBId, AId)
// with ACreateCopyFlag. Returns the card; nullptr when the case was not found.
TfrmCaseEdit* OpenCardCase(quint32 ADBId, quint32 AId, bool ACreateCopyFlag);
