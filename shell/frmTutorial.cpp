#include "shell/frmTutorial.h"

#include "core/KVCommon.h"
#include "core/udmMain.h"
#include "resources/KVResources.h"
#include "shell/frmAbout.h"
#include "shell/frmOptions.h"
#include "shell/uHelpContext.h"
#include "shell/ufrmMain.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QStackedWidget>
#include <QVBoxLayout>

#include <algorithm>

const QString TfrmTutopial::ForumUrl = QStringLiteral("https://korvant.example/forum");

namespace {

// Sizes of the window.
constexpr int kClientWidth = 594;
constexpr int kClientHeight = 225;
constexpr int kTitleHeight = 49;
constexpr int kNavigateHeight = 41;
constexpr int kTextWidth = 577;
constexpr int kTitlePointSize = 14;
constexpr int kTextPointSize = 10;
// The gap between a link and the control above it.
constexpr int kLinkGap = 8;

void SetPointSize(QWidget* AWidget, int APointSize) {
    QFont font = AWidget->font();
    font.setPointSize(APointSize);
    AWidget->setFont(font);
}

} // namespace

TfrmTutopial::TfrmTutopial(QWidget* AParent) : TKVMDIChild(AParent) {
    setObjectName(QStringLiteral("frmTutopial"));
    setWindowTitle(tr("Как использовать программу?"));
    setWindowIcon(ResourceIcon(2223));
    setFixedSize(kClientWidth, kClientHeight);

    FTutopialTitle_Panel = new QLabel(this);
    FTutopialTitle_Panel->setObjectName(QStringLiteral("TutopialTitle_Panel"));
    FTutopialTitle_Panel->setFixedHeight(kTitleHeight);
    FTutopialTitle_Panel->setContentsMargins(10, 10, 10, 10);
    FTutopialTitle_Panel->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    FTutopialTitle_Panel->setAutoFillBackground(true);
    FTutopialTitle_Panel->setBackgroundRole(QPalette::Base);
    SetPointSize(FTutopialTitle_Panel, kTitlePointSize);

    FTutopialPages_Notebook = new QStackedWidget(this);
    FTutopialPages_Notebook->setObjectName(QStringLiteral("TutopialPages_Notebook"));

    QWidget* welcome = NewPage("WELCOME", tr("Этот мастер позволит Вам быстро настроить "
                                             "программу и начать работу с ней."));
    Q_UNUSED(welcome);

    QWidget* setup =
        NewPage("SETUP", tr("Настройте программу наиболее комфортным для себя образом."));
    connect(NewLink(setup, "SetupHelp_Label", tr("Подробнее о настройках")), &TKVLinkLabel::Clicked,
            this, [] { ShowHelpTopic(QStringLiteral("Setup")); });
    connect(NewLink(setup, "Setup_Label", tr("Изменить настройки программы")),
            &TKVLinkLabel::Clicked, this, [] { ShowSetupDlg(); });

    NewPage("IMPORT_LOCAL_DATA", QString());

    QWidget* addInfo = NewPage(
        "ADD_INFO",
        tr("Для получения справки по всем функциям нажмите F1, справка по конкретным "
           "справочникам доступна так же из контекстного меню. Проверить наличие обновлений "
           "Программы и данных, а так же получить множество дополнительной информации Вы можете "
           "на сайте программы."));
    connect(NewLink(addInfo, "AddInfoHelp_Label", tr("Справка по программе")),
            &TKVLinkLabel::Clicked, this, [] {
                if (frmMain)
                    frmMain->ShowHelpContext();
                else
                    ShowHelpContents();
            });
    connect(NewLink(addInfo, "AddInfoForum_Label", tr("Обсуждение программы на форуме")),
            &TKVLinkLabel::Clicked, this, [] { ShellOpen(ForumUrl); });

    FNavigate_Panel = new QWidget(this);
    FNavigate_Panel->setObjectName(QStringLiteral("Navigate_Panel"));
    FNavigate_Panel->setFixedHeight(kNavigateHeight);
    FDisableTutopial_CheckBox = new QCheckBox(tr("Больше не показывать это окно"), FNavigate_Panel);
    FDisableTutopial_CheckBox->setObjectName(QStringLiteral("DisableTutopial_CheckBox"));
    FCommBtn = new QPushButton(FNavigate_Panel);
    FCommBtn->setObjectName(QStringLiteral("CommBtn"));
    FCommBtn->setEnabled(false);
    connect(FCommBtn, &QPushButton::clicked, this, &TfrmTutopial::CommBtnClick);
    auto* navigate = new QHBoxLayout(FNavigate_Panel);
    navigate->setContentsMargins(8, 0, 8, 0);
    navigate->addWidget(FDisableTutopial_CheckBox);
    navigate->addStretch(1);
    navigate->addWidget(FCommBtn);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(FTutopialTitle_Panel);
    layout->addWidget(FTutopialPages_Notebook, 1);
    layout->addWidget(FNavigate_Panel);

    FDisableTutopial_CheckBox->setChecked(DisableMaster);
    ShowPage(pgWelcome);
}

QWidget* TfrmTutopial::NewPage(const char* AName, const QString& AText) {
    auto* page = new QWidget(FTutopialPages_Notebook);
    page->setObjectName(QLatin1String(AName));
    auto* layout = new QVBoxLayout(page);
    layout->setContentsMargins(8, 8, 8, 8);
    layout->setSpacing(kLinkGap);
    if (!AText.isEmpty()) {
        auto* text = new QLabel(AText, page);
        text->setObjectName(QStringLiteral("%1_Text").arg(QLatin1String(AName)));
        text->setWordWrap(true);
        text->setFixedWidth(kTextWidth);
        SetPointSize(text, kTextPointSize);
        layout->addWidget(text);
    }
    layout->addStretch(1);
    FTutopialPages_Notebook->addWidget(page);
    return page;
}

TKVLinkLabel* TfrmTutopial::NewLink(QWidget* APage, const char* AName, const QString& AText) {
    auto* link = new TKVLinkLabel(AText, APage);
    link->setObjectName(QLatin1String(AName));
    SetPointSize(link, kTextPointSize);
    // Each link stands under the control above it, before the page's closing stretch.
    auto* layout = static_cast<QVBoxLayout*>(APage->layout());
    layout->insertWidget(layout->count() - 1, link, 0, Qt::AlignLeft);
    return link;
}

void TfrmTutopial::ShowPage(int APageIndex) {
    static const char* const titles[] = {"Добро пожаловать в программу «Корвант»!",
                                         "Настройка программы", "Импорт данных",
                                         "Информация по программе"};
    if (APageIndex < 0 || APageIndex >= FTutopialPages_Notebook->count())
        return;
    FTutopialTitle_Panel->setText(tr(titles[APageIndex]));
    FTutopialPages_Notebook->setCurrentIndex(APageIndex);
    FCommBtn->setText(APageIndex == pgAddInfo ? tr("Закрыть") : tr("Далее"));
    FCommBtn->setEnabled(true);
}

int TfrmTutopial::CurrentPage() const {
    return FTutopialPages_Notebook->currentIndex();
}

void TfrmTutopial::CommBtnClick() {
    switch (CurrentPage()) {
    case pgWelcome:
        ShowPage(pgSetup);
        break;
    case pgSetup:
        ShowPage(pgAddInfo);
        break;
    case pgAddInfo:
        CloseWindow();
        break;
    default:
        break;
    }
}

void TfrmTutopial::FormClose() {
    DisableMaster = FDisableTutopial_CheckBox->isChecked();
}

TfrmTutopial* OpenTutopialWindow() {
    if (!frmMain)
        return nullptr;
    auto* window = new TfrmTutopial;
    window->ShowMDIChild();
    QMdiSubWindow* sub = window->SubWindow();
    if (!sub)
        return window;
    // A fixed window with the system menu only.
    sub->setWindowFlags(Qt::SubWindow | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                        Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
    sub->setWindowIcon(window->windowIcon());
    sub->adjustSize();
    sub->setFixedSize(sub->size());
    // In the middle of the workspace, which leaves out the tool bar and the status bar.
    const QSize area = frmMain->MDIArea()->viewport()->size();
    sub->move(std::max(0, area.width() / 2 - sub->width() / 2),
              std::max(0, area.height() / 2 - sub->height() / 2));
    sub->show();
    frmMain->MDIArea()->setActiveSubWindow(sub);
    return window;
}
