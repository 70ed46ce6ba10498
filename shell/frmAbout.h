#pragma once

// The about box: the program's version, build and supported database version on the
// program's background picture, a button that opens the help page on versions, the web
// address and the line of rights. Also the link label that the program's small windows use.

#include "shell/VersionInfo.h"

#include <QDialog>
#include <QLabel>

class QPushButton;

// A label that looks and acts like a link: underlined, in the highlight colour, with the hand
// cursor; a click with the left button emits Clicked.
class TKVLinkLabel : public QLabel {
    Q_OBJECT
public:
    explicit TKVLinkLabel(const QString& AText, QWidget* AParent = nullptr);

signals:
    void Clicked();

protected:
    void mouseReleaseEvent(QMouseEvent* AEvent) override;
};

class TfrmAbout : public QDialog {
    Q_OBJECT
public:
    // The supported structure version of a database.
    static constexpr int SupportedDBMajorVersion = 1;
    static constexpr int SupportedDBMinorVersion = 2;
    static constexpr int SupportedDBBuildVersion = 3;

    explicit TfrmAbout(QWidget* AParent = nullptr);

    const TVersionInfo& VersionInfo() const { return FVersionInfo; }
    void SetVersionInfo(const TVersionInfo& AVersionInfo) { FVersionInfo = AVersionInfo; }

    // Writes the texts of the version record into the labels; runs when the box is shown.
    void FormShow();
    // The build stamp shown after "Сборка #".
    static QString BuildStamp();

    // Esc and the caption's close button give Cancel (2).
    void reject() override;

    QLabel* ProjectVersionLabel() const { return FAboutProjectVersionLabel; }
    QLabel* ProjectBuildNumLabel() const { return FAboutProjectBuildNumLabel; }
    QLabel* ProjectDebugLabel() const { return FAboutProjectDebugLabel; }
    QLabel* DBVersionLabel() const { return FAboutDBVersionLabel; }
    TKVLinkLabel* UrlLabel() const { return FAboutUrlLabel; }
    QLabel* CopyrightLabel() const { return FAboutCopyrightLabel; }
    QPushButton* VersionHelpBtn() const { return FVersionHelp_Btn; }

protected:
    void showEvent(QShowEvent* AEvent) override;

private:
    void VersionHelp_BtnClick();
    void AboutUrlLabelClick();

    TVersionInfo FVersionInfo;
    QLabel* FAboutBGImage = nullptr;
    QLabel* FAboutProjectVersionLabel = nullptr;
    QLabel* FAboutProjectBuildNumLabel = nullptr;
    QLabel* FAboutProjectDebugLabel = nullptr;
    QLabel* FAboutDBVersionLabel = nullptr;
    QPushButton* FVersionHelp_Btn = nullptr;
    TKVLinkLabel* FAboutUrlLabel = nullptr;
    QLabel* FAboutCopyrightLabel = nullptr;
};

// Shows the about box for AVersionInfo modally and returns the modal result. While a box is
// open, a second call brings it to the front and returns Cancel.
int ShowAboutDlg(const TVersionInfo& AVersionInfo);
// The about box while it is shown, nullptr otherwise.
TfrmAbout* AboutDlg();
