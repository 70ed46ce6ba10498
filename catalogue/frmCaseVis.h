#pragma once

// The window that shows the drawing of a component case and saves it as a JPEG file. It opens
// on a case (its pins carry numbers only) or on an element type (the type's case with its
// pins, named and coloured by pin type). The picture is drawn again on every paint; the save
// item is enabled while the last drawing succeeded. The window edits nothing.

#include "catalogue/uCaseVis.h"
#include "shell/KVMDIChild.h"

#include <QImage>

class QAction;
class QMenu;
class QScrollArea;
class TIBQuery;

class TfrmCaseVis : public TKVMDIChild {
    Q_OBJECT
public:
    explicit TfrmCaseVis(QWidget* AParent = nullptr);

    TKVChildKind ChildKind() const override { return ckListWindow; }

    // Stores the keys and the mode and loads the drawing; false (after the "not found"
    // message) when the case or element type cannot be read.
    bool Init(quint32 ACaseDBId, quint32 ACaseId, quint32 AElementTypeDBId, quint32 AElementTypeId,
              TKVCaseVisualMode ACaseVisualMode);
    // Reads the case and, on an element type, its pins; true when the row was found.
    bool LoadData();

    quint32 CaseDBId() const { return FCaseDBId; }
    quint32 CaseId() const { return FCaseId; }
    quint32 ElementTypeDBId() const { return FElementTypeDBId; }
    quint32 ElementTypeId() const { return FElementTypeId; }
    TKVCaseVisualMode CaseVisualMode() const { return FCaseVisualMode; }
    const QString& CardName() const { return FCardName; }

    const TCaseVis& CaseVis() const { return FCaseVis; }
    const QImage& Bmp() const { return FBmp; }
    bool DrawCaseResult() const { return FDrawCaseResult; }
    QWidget* DisplayPaintBox() const { return FPaintBox; }
    QScrollArea* ScrollBox() const { return FScrollBox; }
    QMenu* PopupMenu() const { return FPopupMenu; }
    QAction* SaveImageItem() const { return FpmiSaveImage; }

    // Draws the picture again (as a paint does) and sets the save item by the result.
    void DrawPicture();
    // Asks for a file name and writes the picture as JPEG, only after a successful drawing.
    // False when nothing was written.
    bool SaveImageToFile();

    bool BoundToRecord(TKVItemType AItemType, quint32 ADBId, quint32 AId) const override;

protected:
    void contextMenuEvent(QContextMenuEvent* AEvent) override;

private:
    void ReadCase(TIBQuery& AQuery, const QString& ACaseName, const QString& AElementTypeName);

    quint32 FCaseDBId = 0;
    quint32 FCaseId = 0;
    quint32 FElementTypeDBId = 0;
    quint32 FElementTypeId = 0;
    TKVCaseVisualMode FCaseVisualMode = cvmCase;
    TCaseVis FCaseVis;
    QImage FBmp;
    bool FDrawCaseResult = false;
    QString FCardName;

    QScrollArea* FScrollBox = nullptr;
    QWidget* FPaintBox = nullptr;
    QMenu* FPopupMenu = nullptr;
    QAction* FpmiSaveImage = nullptr;
};

// Open a new drawing window of a case or of an element type's case; nullptr without a main
// window or when the row is not found (the user is told).
TfrmCaseVis* OpenCaseVisualOnCase(quint32 ACaseDBId, quint32 ACaseId);
TfrmCaseVis* OpenCaseVisualOnElementType(quint32 AElementTypeDBId, quint32 AElementTypeId);
// Bring the open drawing windows of the case (of the element type) to the front, or open one.
void ShowCaseVisualOfCase(quint32 ACaseDBId, quint32 ACaseId);
void ShowCaseVisualOfElementType(quint32 AElementTypeDBId, quint32 AElementTypeId);
