#include "views/KVListHost.h"

#include "shell/KVDialog.h"
#include "shell/KVWidgets.h"
#include "shell/ufrmMain.h"
#include "views/KVListFrame.h"

#include <QGuiApplication>
#include <QMdiSubWindow>
#include <QScreen>
#include <QTreeView>
#include <QVBoxLayout>

// ----------------------------------------------------------------------------------- host

bool ListHostWorkspaceExists() {
    return frmMain != nullptr;
}

TKVListHost::TKVListHost(TKVListHostSize AHostSize, QWidget* AParent)
    : TKVMDIChild(AParent), FHostSize(AHostSize) {
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    resize(FHostSize.ClientSize);
}

void TKVListHost::SetFrame(TKVListFrame* AFrame) {
    FFrame = AFrame;
    layout()->addWidget(AFrame);
}

void TKVListHost::ShowHost() {
    ShowMDIChild();
    QMdiSubWindow* sub = SubWindow();
    if (!sub)
        return;
    const QMargins frame = sub->contentsMargins();
    const QSize border(frame.left() + frame.right(), frame.top() + frame.bottom());
    QSize size = FHostSize.ClientSize + border;
    if (FFrame && FFrame->RBWinWidth() >= FHostSize.MinSize.width())
        size.setWidth(FFrame->RBWinWidth());
    if (FFrame && FFrame->RBWinHeight() >= FHostSize.MinSize.height())
        size.setHeight(FFrame->RBWinHeight());
    // Never smaller than the tool bar and the list need: the list opens with a useful number
    // of rows and its columns whole.
    FitWindowToContent(sub, FHostSize.MinSize, size,
                       FFrame ? ListViewShortfall(FFrame->ListView()) : QSize(0, 0));
}

bool TKVListHost::BoundToRecord(TKVItemType AItemType, quint32 ADBId, quint32 AId) const {
    return FFrame && FFrame->BoundToRecord(AItemType, ADBId, AId);
}

void TKVListHost::RecordChanged(TKVItemType AItemType, quint32 ADBId, quint32 AId,
                                TKVItemActionType AActionType) {
    if (FFrame)
        FFrame->RecordChanged(AItemType, ADBId, AId, AActionType);
}

void TKVListHost::FormClose() {
    if (!FFrame)
        return;
    if (QMdiSubWindow* sub = SubWindow(); sub && !sub->isMinimized() && !sub->isMaximized()) {
        FFrame->SetRBWinWidth(sub->width());
        FFrame->SetRBWinHeight(sub->height());
    }
    FFrame->UnInit();
}

void TKVListHost::CtrlEnterPressed() {
    if (FFrame && FFrame->ListView()->hasFocus())
        FFrame->ListViewEnterKey();
    CloseWindow();
}

// --------------------------------------------------------------------------------- picker

TKVSelectDialog::TKVSelectDialog(TKVSelectDialogSize ASize, QWidget* AParent)
    : QDialog(AParent ? AParent : TKVDialog::OwnerWindow(),
              Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                  Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint),
      FSize(ASize) {
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    FButtonPanel = new T_frmSelectCancel(this);
    layout->addWidget(FButtonPanel);
    resize(FSize.ListSize.width(), FSize.ListSize.height() + FButtonPanel->height());
}

void TKVSelectDialog::SetFrame(TKVListFrame* AFrame) {
    FFrame = AFrame;
    static_cast<QVBoxLayout*>(layout())->insertWidget(0, AFrame, 1);
    connect(AFrame->ListView(), &QTreeView::doubleClicked, this,
            &TKVSelectDialog::ListViewDblClick);
}

void TKVSelectDialog::ApplyStoredSize() {
    if (!FFrame)
        return;
    QSize size = this->size();
    if (FFrame->RBWinWidth() >= FSize.MinStoredSize.width())
        size.setWidth(FFrame->RBWinWidth());
    if (FFrame->RBWinHeight() >= FSize.MinStoredSize.height())
        size.setHeight(FFrame->RBWinHeight());
    FitWindowToContent(this, QSize(0, 0), size, ListViewShortfall(FFrame->ListView()));
}

void TKVSelectDialog::showEvent(QShowEvent* AEvent) {
    QDialog::showEvent(AEvent);
    if (const QScreen* screen = this->screen())
        move(screen->availableGeometry().center() - rect().center());
    if (!FFrame)
        return;
    FFrame->ListView()->setFocus();
    if (FSelectId != 0)
        FFrame->SelectRecord(FSelectDBId, FSelectId);
}

void TKVSelectDialog::ListViewDblClick() {
    if (FFrame && FFrame->SelectedItemDBData().Select)
        accept();
}

void TKVSelectDialog::FormClose() {
    if (FClosed || !FFrame)
        return;
    FClosed = true;
    if (!isMinimized() && !isMaximized()) {
        FFrame->SetRBWinWidth(width());
        FFrame->SetRBWinHeight(height());
    }
    FFrame->UnInit();
}

TKVSelectedItemDBData TKVSelectDialog::Execute() {
    const int result = exec();
    TKVSelectedItemDBData selected = result == QDialog::Accepted && FFrame
                                         ? FFrame->SelectedItemDBData()
                                         : SetSelectedItemDBData(false, 0, 0, 0, QString());
    FormClose();
    return selected;
}

TKVSelectedLocalItemDBData TKVSelectDialog::ExecuteLocal() {
    return LocalSelection(Execute());
}

TKVSelectedLocalItemDBData LocalSelection(const TKVSelectedItemDBData& ASelected) {
    return SetSelectedLocalItemDBData(ASelected.Select, ASelected.Id, ASelected.Tag,
                                      ASelected.Name);
}
