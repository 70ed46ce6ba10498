#include "shell/frmLogo.h"

#include "resources/KVResources.h"
#include "shell/VersionInfo.h"
#include "shell/uMessage.h"

#include <QGuiApplication>
#include <QLabel>
#include <QScreen>
#include <QTimer>

namespace {

constexpr int kLogoTimerIntervalMs = 1000;

} // namespace

TfrmLogo::TfrmLogo(QWidget* AParent) : QDialog(AParent, Qt::Dialog | Qt::FramelessWindowHint) {
    setObjectName(QStringLiteral("frmLogo"));
    setFixedSize(400, 250);
    QPalette white = palette();
    white.setColor(QPalette::Window, Qt::white);
    setPalette(white);
    setAutoFillBackground(true);

    FLogo_Image = new QLabel(this);
    FLogo_Image->setObjectName(QStringLiteral("Logo_Image"));
    FLogo_Image->setGeometry(0, 0, 400, 250);
    FLogo_Image->setPixmap(ResourcePicture(QStringLiteral("logo")));

    const TVersionInfo& version = AppVersionInfo();
    FVersionInfo_Label = new QLabel(tr("Версия %1.%2.%3 %4")
                                        .arg(version.viMajorVersion)
                                        .arg(version.viMinorVersion)
                                        .arg(version.viBuildVersion)
                                        .arg(version.viBuildDescription),
                                    this);
    FVersionInfo_Label->setObjectName(QStringLiteral("VersionInfo_Label"));
    QPalette grey = FVersionInfo_Label->palette();
    grey.setColor(QPalette::WindowText, QColor(100, 100, 100));
    FVersionInfo_Label->setPalette(grey);
    FVersionInfo_Label->move(229, 120);
    FVersionInfo_Label->adjustSize();

    FCopyright_Label = new QLabel(version.viCopyright, this);
    FCopyright_Label->setObjectName(QStringLiteral("Copyright_Label"));
    FCopyright_Label->move(35, 224);
    FCopyright_Label->adjustSize();

    FLogoTimer = new QTimer(this);
    FLogoTimer->setObjectName(QStringLiteral("LogoTimer"));
    FLogoTimer->setInterval(kLogoTimerIntervalMs);
    connect(FLogoTimer, &QTimer::timeout, this, &TfrmLogo::LogoTimerTimer);

    if (QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->geometry().center() - rect().center());
}

void TfrmLogo::showEvent(QShowEvent* AEvent) {
    QDialog::showEvent(AEvent);
    FTimerCounter = 0;
    FLogoTimer->start();
}

void TfrmLogo::LogoTimerTimer() {
    if (FTimerCounter++ > 1) {
        FLogoTimer->stop();
        done(mrCancel);
    }
}

int ShowLogoDlg(const QString& ALogoText) {
    Q_UNUSED(ALogoText);
    TfrmLogo dlg;
    return dlg.exec();
}
