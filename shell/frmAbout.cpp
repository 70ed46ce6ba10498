#include "shell/frmAbout.h"

#include "core/KVCommon.h"
#include "resources/KVResources.h"
#include "shell/KVDialog.h"
#include "shell/uHelpContext.h"
#include "shell/uMessage.h"

#include <QDate>
#include <QLocale>
#include <QMouseEvent>
#include <QPointer>
#include <QPushButton>

#include <algorithm>

namespace {

// The grey of the texts on the pictures.
const QColor kGrey(100, 100, 100);
// The least room between a text and the box's right edge.
constexpr int kTextMargin = 12;

QPointer<TfrmAbout> gAboutDlg;

void SetTextColor(QWidget* AWidget, const QColor& AColor) {
    QPalette palette = AWidget->palette();
    palette.setColor(QPalette::WindowText, AColor);
    AWidget->setPalette(palette);
}

void SetPointSize(QWidget* AWidget, int APointSize, bool ABold = false) {
    QFont font = AWidget->font();
    font.setPointSize(APointSize);
    font.setBold(ABold);
    AWidget->setFont(font);
}

} // namespace

// ------------------------------------------------------------------------------- link label

TKVLinkLabel::TKVLinkLabel(const QString& AText, QWidget* AParent) : QLabel(AText, AParent) {
    QFont f = font();
    f.setUnderline(true);
    setFont(f);
    SetTextColor(this, palette().color(QPalette::Active, QPalette::Highlight));
    setCursor(Qt::PointingHandCursor);
}

void TKVLinkLabel::mouseReleaseEvent(QMouseEvent* AEvent) {
    QLabel::mouseReleaseEvent(AEvent);
    if (AEvent->button() == Qt::LeftButton && isEnabled() && rect().contains(AEvent->pos()))
        emit Clicked();
}

// -------------------------------------------------------------------------------- about box

TfrmAbout::TfrmAbout(QWidget* AParent) : QDialog(AParent), FVersionInfo(AppVersionInfo()) {
    setObjectName(QStringLiteral("frmAbout"));
    setWindowTitle(tr("О программе"));
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    setFixedSize(450, 200);

    FAboutBGImage = new QLabel(this);
    FAboutBGImage->setObjectName(QStringLiteral("AboutBGImage"));
    FAboutBGImage->setGeometry(0, 0, 450, 200);
    FAboutBGImage->setPixmap(ResourcePicture(QStringLiteral("about")));
    // Where the box grows beyond the picture, the picture's white continues.
    FAboutBGImage->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    FAboutBGImage->setAutoFillBackground(true);
    QPalette background = FAboutBGImage->palette();
    background.setColor(QPalette::Window, Qt::white);
    FAboutBGImage->setPalette(background);

    const auto label = [this](const char* AName, int ATop) {
        auto* l = new QLabel(this);
        l->setObjectName(QLatin1String(AName));
        l->move(214, ATop);
        SetTextColor(l, kGrey);
        return l;
    };
    FAboutProjectVersionLabel = label("AboutProjectVersionLabel", 21);
    SetPointSize(FAboutProjectVersionLabel, 10, true);
    FAboutProjectBuildNumLabel = label("AboutProjectBuildNumLabel", 40);
    FAboutProjectDebugLabel = label("AboutProjectDebugLabel", 59);
    FAboutProjectDebugLabel->hide();
    FAboutDBVersionLabel = label("AboutDBVersionLabel", 80);

    FVersionHelp_Btn = new QPushButton(tr("О версиях"), this);
    FVersionHelp_Btn->setObjectName(QStringLiteral("VersionHelp_Btn"));
    FVersionHelp_Btn->setGeometry(214, 99, std::max(67, FVersionHelp_Btn->sizeHint().width()),
                                  std::max(22, FVersionHelp_Btn->sizeHint().height()));
    FVersionHelp_Btn->setFlat(true);
    FVersionHelp_Btn->setFocusPolicy(Qt::NoFocus);
    FVersionHelp_Btn->setAutoDefault(false);
    connect(FVersionHelp_Btn, &QPushButton::clicked, this, &TfrmAbout::VersionHelp_BtnClick);

    FAboutUrlLabel = new TKVLinkLabel(QString(), this);
    FAboutUrlLabel->setObjectName(QStringLiteral("AboutUrlLabel"));
    FAboutUrlLabel->move(214, 144);
    FAboutUrlLabel->setToolTip(tr("Посетить сайт"));
    SetPointSize(FAboutUrlLabel, 10);
    connect(FAboutUrlLabel, &TKVLinkLabel::Clicked, this, &TfrmAbout::AboutUrlLabelClick);

    FAboutCopyrightLabel = label("AboutCopyrightLabel", 179);
    SetTextColor(FAboutCopyrightLabel, palette().color(QPalette::WindowText));
}

QString TfrmAbout::BuildStamp() {
    // The compiler's date, "Mmm dd yyyy", as yyyyMMdd.
    const QDate date = QLocale::c().toDate(QString::fromLatin1(__DATE__).simplified(),
                                           QStringLiteral("MMM d yyyy"));
    return date.isValid() ? date.toString(QStringLiteral("yyyyMMdd")) : QString();
}

void TfrmAbout::FormShow() {
    FAboutProjectVersionLabel->setText(tr("Версия %1.%2.%3 %4")
                                           .arg(FVersionInfo.viMajorVersion)
                                           .arg(FVersionInfo.viMinorVersion)
                                           .arg(FVersionInfo.viBuildVersion)
                                           .arg(FVersionInfo.viBuildDescription));
    FAboutProjectBuildNumLabel->setText(tr("Сборка #") + BuildStamp());
    if (FVersionInfo.viDebug) {
        FAboutProjectDebugLabel->setText(tr("Отладочная сборка!"));
        SetPointSize(FAboutProjectDebugLabel, font().pointSize(), true);
        SetTextColor(FAboutProjectDebugLabel, Qt::red);
    }
    FAboutProjectDebugLabel->setVisible(FVersionInfo.viDebug);
    FAboutDBVersionLabel->setText(tr("Поддерживаемая версия БД %1.%2.%3")
                                      .arg(SupportedDBMajorVersion)
                                      .arg(SupportedDBMinorVersion)
                                      .arg(SupportedDBBuildVersion));
    FAboutUrlLabel->setText(FVersionInfo.viUrl);
    FAboutCopyrightLabel->setText(FVersionInfo.viCopyright);
    for (QLabel* l :
         {FAboutProjectVersionLabel, FAboutProjectBuildNumLabel, FAboutProjectDebugLabel,
          FAboutDBVersionLabel, static_cast<QLabel*>(FAboutUrlLabel), FAboutCopyrightLabel})
        l->adjustSize();
    // 450 × 200, or larger where a text at the fonts in use reaches past the edge.
    QSize size(450, 200);
    for (const QWidget* w : findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
        if (w != FAboutBGImage && !w->isHidden())
            size = size.expandedTo(QSize(w->geometry().right() + 1 + kTextMargin,
                                         w->geometry().bottom() + 1 + kTextMargin / 2));
    setFixedSize(size);
    FAboutBGImage->setGeometry(rect());
}

void TfrmAbout::showEvent(QShowEvent* AEvent) {
    FormShow();
    QDialog::showEvent(AEvent);
}

void TfrmAbout::reject() {
    done(mrCancel);
}

void TfrmAbout::VersionHelp_BtnClick() {
    ShowHelpTopic(QStringLiteral("Version"));
}

void TfrmAbout::AboutUrlLabelClick() {
    ShellOpen(FVersionInfo.viUrl);
}

int ShowAboutDlg(const TVersionInfo& AVersionInfo) {
    if (gAboutDlg) {
        gAboutDlg->raise();
        gAboutDlg->activateWindow();
        return mrCancel;
    }
    TfrmAbout dlg(TKVDialog::OwnerWindow());
    gAboutDlg = &dlg;
    dlg.SetVersionInfo(AVersionInfo);
    return dlg.exec();
}

TfrmAbout* AboutDlg() {
    return gAboutDlg;
}
