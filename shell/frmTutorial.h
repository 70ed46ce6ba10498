#pragma once

// The first-start guide: a small child window of the workspace that walks a new user through a
// few pages (a welcome, a pointer to the options, where help and the program's forum are
// found). Its check box "Больше не показывать это окно" sets option DisableMaster when the
// window closes. Closing all list windows and cards leaves it open.

#include "shell/KVMDIChild.h"

#include <QString>

class QCheckBox;
class QLabel;
class QPushButton;
class QStackedWidget;
class TKVLinkLabel;

class TfrmTutopial : public TKVMDIChild {
    Q_OBJECT
public:
    // The pages in their order.
    enum TPage { pgWelcome = 0, pgSetup = 1, pgImportLocalData = 2, pgAddInfo = 3 };
    // The address of the program's forum.
    static const QString ForumUrl;

    explicit TfrmTutopial(QWidget* AParent = nullptr);

    TKVChildKind ChildKind() const override { return ckOther; }

    // Shows page APageIndex (TPage) with its title, links and button caption.
    void ShowPage(int APageIndex);
    int CurrentPage() const;
    // The button: the next page, and on the last page closing the window.
    void CommBtnClick();

    QLabel* TitlePanel() const { return FTutopialTitle_Panel; }
    QStackedWidget* PagesNotebook() const { return FTutopialPages_Notebook; }
    QCheckBox* DisableCheckBox() const { return FDisableTutopial_CheckBox; }
    QPushButton* CommBtn() const { return FCommBtn; }

protected:
    // Option DisableMaster takes the check box's state.
    void FormClose() override;

private:
    QWidget* NewPage(const char* AName, const QString& AText);
    TKVLinkLabel* NewLink(QWidget* APage, const char* AName, const QString& AText);

    QLabel* FTutopialTitle_Panel = nullptr;
    QStackedWidget* FTutopialPages_Notebook = nullptr;
    QWidget* FNavigate_Panel = nullptr;
    QCheckBox* FDisableTutopial_CheckBox = nullptr;
    QPushButton* FCommBtn = nullptr;
};

// Opens a new guide, centred in the main window's workspace, and activates it.
TfrmTutopial* OpenTutopialWindow();
