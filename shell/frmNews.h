#pragma once

// The news window: a child window of the workspace that shows the latest item of the news
// loaded from the program's web site: its title, date and text. Closing all list windows and
// cards leaves it open.

#include "shell/KVMDIChild.h"

class QAction;
class QLabel;
class QMenu;
class TKVLinkLabel;

class TfrmNews : public TKVMDIChild {
    Q_OBJECT
public:
    explicit TfrmNews(QWidget* AParent = nullptr);

    TKVChildKind ChildKind() const override { return ckOther; }

    // Shows the item with the largest token of the loaded news and records its token as the
    // last news shown (option LastNewsId). Without loaded news the labels keep their texts.
    // Returns whether an item was shown.
    bool LoadLastNews();

    QLabel* TitleLabel() const { return FNewsTitle_Label; }
    QLabel* DateLabel() const { return FNewsDate_Label; }
    QLabel* TextLabel() const { return FNewsText_Label; }
    TKVLinkLabel* NextLabel() const { return FNewsNext_Label; }
    QMenu* PopupMenu() const { return FNews_PopupMenu; }
    QAction* HelpContextAction() const { return FpmiHelpContext; }

protected:
    void showEvent(QShowEvent* AEvent) override;
    void contextMenuEvent(QContextMenuEvent* AEvent) override;

private:
    QLabel* FNewsTitle_Label = nullptr;
    QLabel* FNewsDate_Label = nullptr;
    QLabel* FNewsText_Label = nullptr;
    TKVLinkLabel* FNewsNext_Label = nullptr;
    QMenu* FNews_PopupMenu = nullptr;
    QAction* FpmiHelpContext = nullptr;
    bool FShown = false;
};

// Opens a new news window in the workspace and activates it.
TfrmNews* OpenNewsWindow();
