#pragma once

// The two windows a book's list frame lives in.
//
// TKVListHost: the book's window in the main window's workspace (manage mode). It takes the
// window size the frame read from the layout rows when it reaches the book's thresholds (but
// never less than its tool bar and a list of a useful number of rows need), keeps a minimum size,
// writes its size back into the frame when it closes in the normal state and lets the frame save
// its layout; Ctrl+Enter on the list does what Enter does and then closes the window.
//
// TKVSelectDialog: the book's modal picker (selection mode) with "Выбрать" and "Отмена". It
// selects a preset record when shown, accepts a double click on a selected record, and hands
// back the frame's selection record, or an empty one (Select false) when cancelled.

#include "core/KVCommon.h"
#include "resources/KVResources.h"
#include "shell/KVMDIChild.h"
#include "shell/frmSelectCancel.h"

#include <QDialog>
#include <QSize>

#include <memory>

class TKVListFrame;

// A picker's result for records keyed by ID alone.
TKVSelectedLocalItemDBData LocalSelection(const TKVSelectedItemDBData& ASelected);

// Whether a main window exists to hold list windows.
bool ListHostWorkspaceExists();

// The sizes of a host window: the built-in client size, and the minimum size, which is also
// the threshold a stored size must reach to be taken.
struct TKVListHostSize {
    QSize ClientSize{392, 153};
    QSize MinSize{300, 180};
};

class TKVListHost : public TKVMDIChild {
    Q_OBJECT
public:
    TKVChildKind ChildKind() const final { return ckListWindow; }
    TKVListFrame* Frame() const { return FFrame; }
    const TKVListHostSize& HostSize() const { return FHostSize; }

    // Places the window in the workspace with the size the frame read (when it reaches the
    // thresholds) or its built-in size. The frame's Init and the caption come first.
    void ShowHost();

    // The frame answers: the record its list was opened on, and changes of its item type.
    bool BoundToRecord(TKVItemType AItemType, quint32 ADBId, quint32 AId) const override;
    void RecordChanged(TKVItemType AItemType, quint32 ADBId, quint32 AId,
                       TKVItemActionType AActionType) override;

protected:
    TKVListHost(TKVListHostSize AHostSize, QWidget* AParent = nullptr);
    // The book's constructor makes its frame and hands it over here.
    void SetFrame(TKVListFrame* AFrame);

    // Size into the frame when the window is neither minimised nor maximised, then the
    // frame's UnInit (which saves the layout rows).
    void FormClose() override;
    // On the list: the Enter action first; then the window closes.
    void CtrlEnterPressed() override;

private:
    TKVListHostSize FHostSize;
    TKVListFrame* FFrame = nullptr;
};

// The sizes of a picker: its opening size (the list area; the button panel is added to the
// height) and the thresholds a stored size must reach to be taken.
struct TKVSelectDialogSize {
    QSize ListSize{500, 180};
    QSize MinStoredSize{300, 180};
};

class TKVSelectDialog : public QDialog {
    Q_OBJECT
public:
    quint32 SelectDBId() const { return FSelectDBId; }
    void SetSelectDBId(quint32 AValue) { FSelectDBId = AValue; }
    quint32 SelectId() const { return FSelectId; }
    void SetSelectId(quint32 AValue) { FSelectId = AValue; }

    TKVListFrame* Frame() const { return FFrame; }
    T_frmSelectCancel* ButtonPanel() const { return FButtonPanel; }

    // Takes the size the frame read when it reaches the thresholds. The frame's Init comes
    // first.
    void ApplyStoredSize();
    // Runs the picker modally and closes it (the frame saves its layout); the frame's
    // selection after OK, else an empty record.
    TKVSelectedItemDBData Execute();
    TKVSelectedLocalItemDBData ExecuteLocal();

    // The list's double click: OK when a record is selected.
    void ListViewDblClick();

protected:
    TKVSelectDialog(TKVSelectDialogSize ASize, QWidget* AParent = nullptr);
    void SetFrame(TKVListFrame* AFrame);

    // The list takes the focus and the preset record is selected.
    void showEvent(QShowEvent* AEvent) override;
    // Size into the frame, then the frame's UnInit.
    void FormClose();

private:
    TKVSelectDialogSize FSize;
    quint32 FSelectDBId = 0;
    quint32 FSelectId = 0;
    TKVListFrame* FFrame = nullptr;
    T_frmSelectCancel* FButtonPanel = nullptr;
    bool FClosed = false;
};

// The host of one frame class: makes its frame. A list's window derives from it and names its
// frame's accessor.
template <class TFrame> class TKVBookHost : public TKVListHost {
public:
    TFrame* BookFrame() const { return FBookFrame; }

protected:
    explicit TKVBookHost(TKVListHostSize AHostSize, QWidget* AParent = nullptr)
        : TKVListHost(AHostSize, AParent), FBookFrame(new TFrame(this)) {
        SetFrame(FBookFrame);
    }

private:
    TFrame* FBookFrame;
};

// The picker of one frame class: makes its frame under the caption.
template <class TFrame> class TKVBookSelectDialog : public TKVSelectDialog {
public:
    TFrame* BookFrame() const { return FBookFrame; }

protected:
    TKVBookSelectDialog(TKVSelectDialogSize ASize, const QString& ACaption,
                        QWidget* AParent = nullptr)
        : TKVSelectDialog(ASize, AParent), FBookFrame(new TFrame(this)) {
        setWindowTitle(ACaption);
        SetFrame(FBookFrame);
    }

private:
    TFrame* FBookFrame;
};

// The shared body of a list window's opener: the window with the icon, the frame's Init
// (AInit, in manage mode), the caption (ACaption, read after Init), placed in the workspace.
// nullptr without a main window.
template <class THost, class TInit, class TCaption>
THost* OpenListHost(quint32 AIconResource, TInit&& AInit, TCaption&& ACaption) {
    if (!ListHostWorkspaceExists())
        return nullptr;
    auto* host = new THost; // the workspace owns it once shown
    host->setWindowIcon(ResourceIcon(AIconResource));
    AInit(*host->BookFrame());
    host->setWindowTitle(ACaption(*host->BookFrame()));
    host->ShowHost();
    return host;
}

// The shared body of a picker: the dialog with the icon and the preselected key, the frame's
// Init (AInit, in selection mode), the stored size; then it runs. The chosen record, or an
// empty one (Select false) when cancelled.
template <class TDialog, class TInit>
TKVSelectedItemDBData RunSelectDialog(quint32 AIconResource, quint32 ASelectDBId, quint32 ASelectId,
                                      TInit&& AInit) {
    TDialog dialog;
    dialog.setWindowIcon(ResourceIcon(AIconResource));
    dialog.SetSelectDBId(ASelectDBId);
    dialog.SetSelectId(ASelectId);
    AInit(*dialog.BookFrame());
    dialog.ApplyStoredSize();
    return dialog.Execute();
}
