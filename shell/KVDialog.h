#pragma once

// The base of the program's modal dialogs: modal results as the program counts them (OK 1,
// Cancel 2; Esc and the caption's close button give Cancel), and the dialog's help topic,
// offered by the pop-up item "&Помощь" (F1) of the dialog's pop-up menu and by the help button
// of its caption. When first shown, a dialog takes at least the size its layout needs (its own
// size in pixels is the least it takes).

#include <QDialog>
#include <QString>

class QAction;
class QMenu;

class TKVDialog : public QDialog {
    Q_OBJECT
public:
    // AHelpTopic: the dialog's help keyword; APopupMenuName: the object name of its pop-up
    // menu.
    TKVDialog(const QString& AHelpTopic, const QString& APopupMenuName, QWidget* AParent = nullptr);

    const QString& HelpTopic() const { return FHelpTopic; }
    QMenu* PopupMenu() const { return FPopupMenu; }
    // The pop-up item "&Помощь" (pmiHelpContext).
    QAction* HelpContextAction() const { return FHelpContextAction; }

    // Closes with the Cancel result (2).
    void reject() override;

    // The window for a modal dialog to belong to: the active window, else the main window.
    static QWidget* OwnerWindow();
    // Places AWindow in the middle of the free area of its screen.
    static void CenterOnScreen(QWidget* AWindow);

protected:
    bool event(QEvent* AEvent) override;
    void showEvent(QShowEvent* AEvent) override;
    void contextMenuEvent(QContextMenuEvent* AEvent) override;

private:
    void pmiHelpContextClick();

    QString FHelpTopic;
    QMenu* FPopupMenu = nullptr;
    QAction* FHelpContextAction = nullptr;
    bool FFitted = false;
};
