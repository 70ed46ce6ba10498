#pragma once

// The splash window shown at start: the program's picture with its version and line of
// rights. It closes by itself on the third tick of its one-second timer.

#include <QDialog>

class QLabel;
class QTimer;

class TfrmLogo : public QDialog {
    Q_OBJECT
public:
    explicit TfrmLogo(QWidget* AParent = nullptr);

    QLabel* VersionInfoLabel() const { return FVersionInfo_Label; }
    QLabel* CopyrightLabel() const { return FCopyright_Label; }
    QTimer* LogoTimer() const { return FLogoTimer; }
    quint8 TimerCounter() const { return FTimerCounter; }

public slots:
    // One tick: the window closes when the ticks before this one were more than one.
    void LogoTimerTimer();

protected:
    // Starts counting from 0 and starts the timer.
    void showEvent(QShowEvent* AEvent) override;

private:
    QLabel* FLogo_Image = nullptr;
    QLabel* FVersionInfo_Label = nullptr;
    QLabel* FCopyright_Label = nullptr;
    QTimer* FLogoTimer = nullptr;
    quint8 FTimerCounter = 0;
};

// Shows the splash window modally until it closes by itself; returns the modal result.
// ALogoText is not used.
int ShowLogoDlg(const QString& ALogoText);
