#include "shell/ufrmMain.h"

#include "core/KVCommon.h"
#include "core/udmMain.h"
#include "resources/KVResources.h"
#include "shell/KVCard.h"
#include "shell/KVOpeners.h"
#include "shell/KVWidgets.h"
#include "shell/frmAbout.h"
#include "shell/frmConnect.h"
#include "shell/frmDBInfo.h"
#include "shell/frmDebug.h"
#include "shell/frmIconDescEdit.h"
#include "shell/frmLogo.h"
#include "shell/frmNews.h"
#include "shell/frmOpenDataMode.h"
#include "shell/frmOptions.h"
#include "shell/frmPluginList.h"
#include "shell/frmTDBAConnect.h"
#include "shell/frmTutorial.h"
#include "shell/frmUserListEdit.h"
#include "shell/uHelpContext.h"
#include "shell/uMessage.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPainter>
#include <QPointer>
#include <QProcess>
#include <QProgressBar>
#include <QScreen>
#include <QStatusBar>
#include <QStatusTipEvent>
#include <QStyle>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

#include <algorithm>
#include <array>

TfrmMain* frmMain = nullptr;

const QString TfrmMain::ImportToolFileName = QStringLiteral("kv-import");
const QString TfrmMain::DBExportToolFileName = QStringLiteral("kv-dbexport");

namespace {

// Interval of the tip timer.
constexpr int kStatusHintIntervalMs = 20000;
// Height of the tool bar's buttons.
constexpr int kToolButtonHeight = 36;
// Widths of the status bar's panels 0 to 4; panel 5 takes the rest.
constexpr int kPanelWidths[] = {480, 480, 160, 100, 80};
// How long the window flashes for a visual confirmation.
constexpr int kAlertMs = 1000;

// A text panel of the status bar: a text wider than the panel is cut with an ellipsis and shown
// whole as the panel's tool tip, so a long file name or command tip never widens the window.
class TKVStatusPanel : public QLabel {
public:
    using QLabel::QLabel;
    QSize minimumSizeHint() const override {
        return QSize(minimumWidth(), QLabel::minimumSizeHint().height());
    }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        drawFrame(&painter);
        const QRect area = contentsRect().adjusted(margin(), margin(), -margin(), -margin());
        const QString shown =
            fontMetrics().elidedText(text(), Qt::ElideRight, std::max(0, area.width()));
        setToolTip(shown == text() ? QString() : text());
        style()->drawItemText(&painter, area,
                              QStyle::visualAlignment(layoutDirection(), alignment()), palette(),
                              isEnabled(), shown, foregroundRole());
    }
};

// The property that marks a registry entry of the window menus with its child.
const char* const kRegistryTag = "kvRegistryTag";

quintptr TagOf(const TKVMDIChild* AForm) {
    return reinterpret_cast<quintptr>(AForm);
}

// The child a registry entry stands for; 0 for the fixed items.
quintptr TagOfAction(const QAction* AAction) {
    const QVariant tag = AAction->property(kRegistryTag);
    return tag.isValid() ? tag.value<quintptr>() : 0;
}

// A caption as a menu item shows it: an '&' of the caption stays an '&'.
QString MenuText(const QString& ACaption) {
    QString text = ACaption;
    return text.replace(QLatin1Char('&'), QStringLiteral("&&"));
}

// The views the workspace's double click offers: of the lists of the reference books, the
// stock, the projects and the notes, those whose windows the program has. Each opens through
// its command (OpenDataMode).
TKVOpenDataModeTypes WorkspaceViews() {
    static const std::pair<TKVOpenDataModeType, TKVBookWindow> kViews[] = {
        {odmtClassRB, bwClasses},
        {odmtMakerRB, bwMakers},
        {odmtCaseRB, bwCases},
        {odmtUnitRB, bwUnits},
        {odmtElementAvailRB, bwElementAvail},
        {odmtStorageRB, bwStorages},
        {odmtSupplierRB, bwSuppliers},
        {odmtProjectRBInProgress, bwProjectsInProgress},
        {odmtProjectRBArhive, bwProjectsArchive},
        {odmtNote, bwNotes}};
    TKVOpenDataModeTypes views = 0;
    for (const auto& [view, window] : kViews)
        if (BookWindowOpener(window))
            views |= TKVOpenDataModeTypes(1) << view;
    return views;
}

// Opens the editor of a user list of the program's folder (the icon-description editor when
// AIconsListIndex names icons); after a save the data module reads that list again.
void EditUserList(const QString& AFileName, quint32 AIconsListIndex, QStringList TdmMain::*AList) {
    const int result = AIconsListIndex != 0 ? ShowIconDescEditDlg(AFileName, AIconsListIndex)
                                            : ShowUserListEditDlg(AFileName);
    if (result == mrOk && dmMain)
        dmMain->*AList = TdmMain::ReadUserListFile(dmMain->AppFolder() + AFileName);
}

} // namespace

// ------------------------------------------------------------------------------ life cycle

TfrmMain::TfrmMain(const QString& AProgramFolder, QWidget* AParent)
    : QMainWindow(AParent), FVersionInfo(AppVersionInfo()) {
    frmMain = this;
    setObjectName(QStringLiteral("frmMain"));
    setWindowTitle(FVersionInfo.viProjectName);

    // The data module reads the settings and hands the saved window state over through the
    // link while it is made.
    SetKVMainWindowLink(this);
    FDataModule = std::make_unique<TdmMain>(AProgramFolder);

    FMDIArea = new QMdiArea(this);
    FMDIArea->setObjectName(QStringLiteral("MDIArea"));
    FMDIArea->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    FMDIArea->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    FMDIArea->setBackground(palette().brush(QPalette::Dark));
    FMDIArea->viewport()->installEventFilter(this);

    CreateMenus();
    CreateToolBar();
    CreateStatusBar();

    auto* central = new QWidget(this);
    auto* layout = new QVBoxLayout(central);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(FMainToolBar_Panel);
    layout->addWidget(FMDIArea, 1);
    setCentralWidget(central);

    // Size: the saved one, at least 870 × 600 (or what the tool bar and the status bar need)
    // and at most the screen, centred.
    QRect screen(0, 0, 1024, 768);
    if (QScreen* s = QGuiApplication::primaryScreen())
        screen = s->availableGeometry();
    const QSize smallest = SmallestAppWinSize();
    setMinimumSize(smallest.boundedTo(screen.size()));
    const QRect place = AppWinGeometry(FAppWinWidth, FAppWinHeight, screen, smallest);
    resize(place.size());
    move(place.topLeft());

    Action("mmiDebug")->setVisible(DebugMode);
    for (const auto& [name, file] : {std::pair{"mmiImportTool", ImportToolFileName},
                                     {"mmiDBExportTool", DBExportToolFileName}}) {
        const bool present = QFileInfo::exists(dmMain->AppFolder() + file);
        SetActionState(name, present, present);
    }

    FStatusBar_Timer = new QTimer(this);
    FStatusBar_Timer->setObjectName(QStringLiteral("StatusBar_Timer"));
    FStatusBar_Timer->setInterval(kStatusHintIntervalMs);
    connect(FStatusBar_Timer, &QTimer::timeout, this, &TfrmMain::StatusBar_TimerTimer);
    FStatusBar_Timer->start();

    MainFormUnInit();
}

TfrmMain::~TfrmMain() {
    // The children go while the window and the data module are whole.
    for (QMdiSubWindow* sub : FMDIArea->subWindowList())
        delete sub;
    if (dmMain && dmMain->DBConnected()) {
        int error = 0;
        dmMain->DataBaseDisconnect(error);
    }
    // The data module saves the options, reading this window's state.
    FDataModule.reset();
    if (KVMainWindowLink() == this)
        SetKVMainWindowLink(nullptr);
    if (frmMain == this)
        frmMain = nullptr;
}

QSize TfrmMain::SmallestAppWinSize() const {
    // The tool bar shows every button and the status bar every panel whole, also while the
    // tool bar is hidden (no database), so connecting never widens the window.
    const_cast<TfrmMain*>(this)->ensurePolished();
    const int content =
        std::max(FMainToolBar_Panel->sizeHint().width(), statusBar()->minimumSizeHint().width());
    return QSize(std::max(MinAppWinWidth, content), MinAppWinHeight);
}

QRect TfrmMain::AppWinGeometry(int AAppWinWidth, int AAppWinHeight, const QRect& AScreen,
                               const QSize& ASmallest) {
    const int width = std::min(std::max(AAppWinWidth, ASmallest.width()), AScreen.width());
    const int height = std::min(std::max(AAppWinHeight, ASmallest.height()), AScreen.height());
    return QRect(AScreen.x() + AScreen.width() / 2 - width / 2,
                 AScreen.y() + AScreen.height() / 2 - height / 2, width, height);
}

void TfrmMain::SetAppWinSizeInfo(bool AAppWinMaximize, int AAppWinWidth, int AAppWinHeight) {
    FAppWinMaximize = AAppWinMaximize;
    FAppWinWidth = AAppWinWidth;
    FAppWinHeight = AAppWinHeight;
}

bool TfrmMain::AppWinMaximized() const {
    return isMaximized();
}

QSize TfrmMain::AppWinNormalSize() {
    return normalGeometry().isValid() ? normalGeometry().size() : size();
}

void TfrmMain::showEvent(QShowEvent* AEvent) {
    QMainWindow::showEvent(AEvent);
    // Polished and laid out, the tool bar and the status bar may need more than they seemed
    // to: the window grows about its centre, within the screen.
    if (!isMaximized() && !isFullScreen()) {
        const QRect screen = this->screen() ? this->screen()->availableGeometry() : geometry();
        const QSize smallest = SmallestAppWinSize().boundedTo(screen.size());
        if (smallest.width() > minimumWidth() || smallest.height() > minimumHeight()) {
            const QRect place = AppWinGeometry(width(), height(), screen, smallest);
            setMinimumSize(smallest);
            if (place.size() != size())
                setGeometry(place);
        }
    }
    if (FFormShown)
        return;
    FFormShown = true;
    // After the window is on the screen: the steps may open modal dialogs.
    QTimer::singleShot(0, this, &TfrmMain::FormShow);
}

void TfrmMain::FormShow() {
    FFormShown = true;
    if (FAppWinMaximize)
        setWindowState(windowState() | Qt::WindowMaximized);
    if (Logo)
        ShowLogoDlg(dmMain->LogoText());
    NextDefaultStatusHint();
    SetDefaultStatus();
    dmMain->ShowWhatsNewInThisVer();
    if (FVersionInfo.viDebug)
        ShowMessageDlg(tr("Внимание!\n"
                          "Эта сборка программы предназначена для тестирования и может работать "
                          "неправильно. \n"
                          "Если Вы не планируете тестирование определенного функционала, "
                          "содержащегося в этой сборке, \n"
                          "Вам лучше отказаться от ее использования!"),
                       mdkWarning, mdbOK, 0);
    if (AutoLogin)
        ConnectDB();
}

QString TfrmMain::DefaultStatusHint(int ANumber) {
    switch (ANumber) {
    case 0:
        return tr("Для получения справки нажмите F1");
    case 1:
        return tr("Для подключения к базе нажмите Ctrl+Alt+C");
    case 2:
        return tr("Чтобы открыть справочник классов элементов нажмите F4");
    case 3:
        return tr("Чтобы открыть справочник элементов в наличии нажмите F9");
    case 4:
        return tr("Для построения отчета нажмите Ctrl+Alt+R");
    case 5:
        return tr("Изменить настройки программы можно нажав Alt+O");
    case 6:
        // The "c" of "поиcка" is Latin, as the tip has always read.
        return tr("Для поиcка типа элемента по параметрам нажмите Ctrl+F3");
    case 7:
        return tr("Тип элемента, элемент в наличии и проект можно добавить в избранное для "
                  "быстрого доступа");
    case 8:
        return tr("Для просмотра последних новостей по программе нажмите Ctrl+F1");
    case 9:
        return tr("Свежие обновления данных можно скачать на сайте");
    default:
        return QString();
    }
}

void TfrmMain::SetDefaultStatus() {
    static_cast<QLabel*>(FStatusPanels[0])
        ->setText(FCommandStatusTip.isEmpty() ? FCurrDefaultStatusString : FCommandStatusTip);
    statusBar()->repaint();
}

void TfrmMain::NextDefaultStatusHint() {
    FCurrDefaultStatusString = DefaultStatusHint(FCurrDefaultStatusStringCounter);
    FCurrDefaultStatusStringCounter =
        static_cast<quint8>((FCurrDefaultStatusStringCounter + 1) % DefaultStatusHintCount);
    SetDefaultStatus();
}

void TfrmMain::StatusBar_TimerTimer() {
    NextDefaultStatusHint();
}

void TfrmMain::closeEvent(QCloseEvent* AEvent) {
    if (dmMain && dmMain->DBConnected()) {
        if (ShowMessageDlg(tr("Выйти из программы?"), mdkConfirmation, mdbYes | mdbNo, 0) !=
            mrYes) {
            AEvent->ignore();
            return;
        }
        CloseAllWindow();
        int error = 0;
        dmMain->DataBaseDisconnect(error);
    }
    AEvent->accept();
}

bool TfrmMain::eventFilter(QObject* AObject, QEvent* AEvent) {
    // A double click on the empty workspace offers the views to open.
    if (AObject == FMDIArea->viewport() && AEvent->type() == QEvent::MouseButtonDblClick)
        OpenDataMode();
    return QMainWindow::eventFilter(AObject, AEvent);
}

// --------------------------------------------------------------------------- menus, tool bar

QMenu* TfrmMain::NewMenu(const char* AName, const QString& ACaption, QWidget* AParent) {
    auto* menu = new QMenu(ACaption, AParent);
    menu->setObjectName(QLatin1String(AName));
    return menu;
}

QAction* TfrmMain::NewAction(QMenu* AMenu, const char* AName, const QString& ACaption,
                             const QKeySequence& AShortcut, int AImage) {
    auto* action = new QAction(ACaption, this);
    action->setObjectName(QLatin1String(AName));
    if (!AShortcut.isEmpty())
        action->setShortcut(AShortcut);
    if (AImage >= 0)
        action->setIcon(dmMain->MainToolImgList.Icon(AImage));
    if (AMenu)
        AMenu->addAction(action);
    return action;
}

QAction* TfrmMain::Action(const char* AName) const {
    return findChild<QAction*>(QLatin1String(AName));
}

void TfrmMain::SetActionState(const char* AName, bool AVisible, bool AEnabled) {
    if (QAction* action = Action(AName)) {
        action->setVisible(AVisible);
        action->setEnabled(AEnabled);
    }
}

void TfrmMain::SetMenuState(QMenu* AMenu, bool AVisible, bool AEnabled) {
    AMenu->menuAction()->setVisible(AVisible);
    AMenu->menuAction()->setEnabled(AEnabled);
    for (QAction* action : AMenu->actions()) {
        if (action->isSeparator())
            continue;
        action->setEnabled(AEnabled);
        if (action->menu())
            SetMenuState(action->menu(), AVisible, AEnabled);
    }
}

void TfrmMain::CreateMenus() {
    QMenuBar* bar = menuBar();
    bar->setObjectName(QStringLiteral("mMenu"));

    // Database
    QMenu* db = NewMenu("mmiDB", tr("&База данных"), bar);
    connect(NewAction(db, "mmiDB_Connect", tr("&Подключится..."),
                      QKeySequence(Qt::CTRL | Qt::ALT | Qt::Key_C), 2),
            &QAction::triggered, this, &TfrmMain::ConnectDB);
    connect(NewAction(db, "mmiDB_Disconnect", tr("&Отключится"),
                      QKeySequence(Qt::CTRL | Qt::ALT | Qt::Key_D), 3),
            &QAction::triggered, this, &TfrmMain::DisconnectDB);
    connect(NewAction(db, "mmiDB_Info", tr("&Информация о БД..."), QKeySequence(), 1),
            &QAction::triggered, this, &TfrmMain::OpenDBInfo);
    db->addSeparator();
    connect(NewAction(db, "mmiExit", tr("В&ыход"), QKeySequence(Qt::ALT | Qt::Key_F4)),
            &QAction::triggered, this, &QWidget::close);
    bar->addMenu(db);

    // Reference books
    FRBMenu = NewMenu("mmiRB", tr("&Справочники"), bar);
    connect(NewAction(FRBMenu, "mmiRB_Class", tr("&Классы элементов"), Qt::Key_F4, 6),
            &QAction::triggered, this, &TfrmMain::OpenReferenceBook_Classes);
    connect(NewAction(FRBMenu, "mmiRB_Maker", tr("&Производители"), Qt::Key_F5, 7),
            &QAction::triggered, this, &TfrmMain::OpenReferenceBook_Makers);
    connect(NewAction(FRBMenu, "mmiRB_Case", tr("К&орпуса"), Qt::Key_F6, 8), &QAction::triggered,
            this, &TfrmMain::OpenReferenceBook_Cases);
    connect(NewAction(FRBMenu, "mmiRB_Unit", tr("&Единицы измерения"), Qt::Key_F7, 9),
            &QAction::triggered, this, &TfrmMain::OpenReferenceBook_Units);
    FRBMenu->addSeparator();
    connect(NewAction(FRBMenu, "mmiRB_Storage", tr("&Места хранения"), Qt::Key_F8, 12),
            &QAction::triggered, this, &TfrmMain::OpenReferenceBook_Storages);
    connect(NewAction(FRBMenu, "mmiRB_ElementAvail", tr("&Наличие элементов"), Qt::Key_F9, 17),
            &QAction::triggered, this, &TfrmMain::OpenReferenceBook_ElementAvail);
    connect(NewAction(FRBMenu, "mmiRB_Supplier", tr("П&оставщики"), Qt::Key_F10, 18),
            &QAction::triggered, this, &TfrmMain::OpenReferenceBook_Suppliers);
    QMenu* projects = NewMenu("mmiRB_Project", tr("П&роекты"), FRBMenu);
    projects->setIcon(dmMain->MainToolImgList.Icon(10));
    connect(
        NewAction(projects, "mmiRB_ProjectInProgress", tr("&Проекты в работе"), Qt::Key_F11, 20),
        &QAction::triggered, this, [this] { OpenReferenceBook_Projects(psdmInProgress); });
    connect(NewAction(projects, "mmiRB_ProjectArchive", tr("&Архив проектов"),
                      QKeySequence(Qt::SHIFT | Qt::Key_F11), 21),
            &QAction::triggered, this, [this] { OpenReferenceBook_Projects(psdmArchive); });
    FRBMenu->addMenu(projects);
    connect(
        NewAction(FRBMenu, "mmiRB_Note", tr("&Заметки"), QKeySequence(Qt::CTRL | Qt::Key_F2), 23),
        &QAction::triggered, this, &TfrmMain::OpenReferenceBook_Notes);
    bar->addMenu(FRBMenu);

    // Search: the find dialogs, the parametric, nominal and revision-date searches.
    FSearchMenu = NewMenu("mmiSearch", tr("&Поиск"), bar);
    AddSearchCommands(FSearchMenu, "mmi", true);
    bar->addMenu(FSearchMenu);

    // Database contents and data exchange
    FDBDataMenu = NewMenu("mmiDBData", tr("&Данные БД"), bar);
    connect(NewAction(FDBDataMenu, "mmiImport", tr("&Импорт данных в БД"), QKeySequence(), 4),
            &QAction::triggered, this, &TfrmMain::OpenImportDlg);
    connect(NewAction(FDBDataMenu, "mmiExport", tr("&Экспорт данных из БД"), QKeySequence(), 5),
            &QAction::triggered, this, &TfrmMain::OpenExportDlg);
    connect(NewAction(FDBDataMenu, "mmiDeletePackage", tr("&Удалить пакет данных..."),
                      QKeySequence(), 70),
            &QAction::triggered, this, &TfrmMain::OpenDeletePackageDlg);
    FDBDataMenu->addSeparator();
    connect(NewAction(FDBDataMenu, "mmiImportPrice", tr("И&мпорт прайсов поставщика"),
                      QKeySequence(), 81),
            &QAction::triggered, this, &TfrmMain::OpenImportPriceDlg);
    FDBDataMenu->addSeparator();
    connect(NewAction(FDBDataMenu, "mmiFavorite", tr("И&збранное"),
                      QKeySequence(Qt::SHIFT | Qt::Key_F1), 45),
            &QAction::triggered, this, [] { TKVOpener<TShowFavoritesDlg>::Open(); });
    bar->addMenu(FDBDataMenu);

    // Configuration
    QMenu* config = NewMenu("mmiConfig", tr("&Конфигурация"), bar);
    connect(NewAction(config, "mmiConfig_Options", tr("&Настройки..."),
                      QKeySequence(Qt::ALT | Qt::Key_O), 0),
            &QAction::triggered, this, [] { ShowSetupDlg(); });
    config->addSeparator();
    QMenu* userLists = NewMenu("mmiUserLists", tr("&Пользовательские списки"), config);
    connect(NewAction(userLists, "mmiUL_ClassIconDesc", tr("Описания иконок классов")),
            &QAction::triggered, this, [] {
                EditUserList(QStringLiteral("classdesc.txt"), TfrmIconDescEdit::ClassIconsListIndex,
                             &TdmMain::ClassIconDesc);
            });
    connect(NewAction(userLists, "mmiUL_PinDesc", tr("Обозначения выводов")), &QAction::triggered,
            this, [] { EditUserList(QStringLiteral("pindesc.txt"), 0, &TdmMain::PinNameDesc); });
    connect(NewAction(userLists, "mmiUL_ProjectDesc", tr("Категории проектов")),
            &QAction::triggered, this, [] {
                EditUserList(QStringLiteral("projcatdesc.txt"), 0, &TdmMain::ProjectCategoryDesc);
            });
    connect(NewAction(userLists, "mmiUL_ProjectIconDesc", tr("Описания иконок проектов")),
            &QAction::triggered, this, [] {
                EditUserList(QStringLiteral("projdesc.txt"),
                             TfrmIconDescEdit::ProjectIconsListIndex, &TdmMain::ProjectIconDesc);
            });
    config->addMenu(userLists);
    // Kept hidden: they have no command.
    NewAction(config, "mmiConfig_Lang", tr("Выбор &языка..."))->setVisible(false);
    NewAction(config, "mmiSearchInWeb", tr("&Шаблоны поиска в Сети..."))->setVisible(false);
    NewAction(config, "mmiSysUpdate", tr("&Системные обновления данных..."))->setVisible(false);
    bar->addMenu(config);

    // Tools
    QMenu* tools = NewMenu("mmiTools", tr("&Инструменты"), bar);
    connect(NewAction(tools, "mmiReports", tr("&Отчеты..."),
                      QKeySequence(Qt::CTRL | Qt::ALT | Qt::Key_R), 86),
            &QAction::triggered, this, [] { TKVOpener<TOpenReportList>::Open(); });
    connect(NewAction(tools, "mmiPlugins", tr("&Плагины..."), QKeySequence(), 91),
            &QAction::triggered, this, [] { ShowPluginListDlg(); });
    connect(NewAction(tools, "mmiDebug", tr("&Debug")), &QAction::triggered, this,
            &TfrmMain::mmiDebugClick);
    connect(NewAction(tools, "mmiImportTool", tr("Программа &импорта данных")), &QAction::triggered,
            this, [this] { RunCompanionProgram(ImportToolFileName); });
    connect(NewAction(tools, "mmiDBExportTool", tr("Программа &экспорта БД")), &QAction::triggered,
            this, [this] { RunCompanionProgram(DBExportToolFileName); });
    bar->addMenu(tools);

    // Window: the same fixed items in the menu and in the tool button's pop-up menu, followed
    // by one entry per child window.
    FWindowMenu = NewMenu("mmiWindow", tr("&Окно"), bar);
    FWindowsPopupMenu = NewMenu("Windows_PopupMenu", tr("Окно"), this);
    for (QMenu* menu : {FWindowMenu, FWindowsPopupMenu}) {
        const bool main = menu == FWindowMenu;
        const auto item = [&](const char* AMain, const char* APopup, const QString& ACaption,
                              int AImage) {
            QAction* action =
                NewAction(menu, main ? AMain : APopup, ACaption, QKeySequence(), AImage);
            FWindowFixedItems << action;
            return action;
        };
        connect(item("mmiCascadeWin", "pmiCascadeWin", tr("&Каскадом"), 48), &QAction::triggered,
                FMDIArea, &QMdiArea::cascadeSubWindows);
        connect(item("mmiTileHorWin", "pmiTileHorWin", tr("&Горизонтально"), 49),
                &QAction::triggered, this, [this] { TileMDIChildren(Qt::Horizontal); });
        connect(item("mmiTileVertWin", "pmiTileVertWin", tr("&Вертикально"), 50),
                &QAction::triggered, this, [this] { TileMDIChildren(Qt::Vertical); });
        connect(item("mmiArrangeIconWin", "pmiArrangeIconWin", tr("&Упорядочить"), -1),
                &QAction::triggered, this, &TfrmMain::ArrangeMDIIcons);
        menu->addSeparator();
        connect(item("mmiPrevWin", "pmiPrevWin", tr("&Предыдущее окно"), 51), &QAction::triggered,
                FMDIArea, &QMdiArea::activatePreviousSubWindow);
        connect(item("mmiNextWin", "pmiNextWin", tr("&Следующее окно"), 52), &QAction::triggered,
                FMDIArea, &QMdiArea::activateNextSubWindow);
        menu->addSeparator();
        connect(item("mmiCloseAllWin", "pmiCloseAllWin", tr("&Закрыть все"), 53),
                &QAction::triggered, FMDIArea, &QMdiArea::closeAllSubWindows);
        QAction* end = menu->addSeparator();
        end->setObjectName(main ? QStringLiteral("mmiDiv5_2") : QStringLiteral("pmiDiv2"));
        FWindowEndSeparators << end;
    }
    SetWindowMenuFixedItemsEnabled(false);
    bar->addMenu(FWindowMenu);

    // Help
    QMenu* help = NewMenu("mmiHelp", tr("Сп&равка"), bar);
    connect(NewAction(help, "mmiHelp_Help", tr("&Помощь"), Qt::Key_F1, 46), &QAction::triggered,
            this, &TfrmMain::ShowHelpContext);
    connect(
        NewAction(help, "mmiHelp_Tutopial", tr("&Как использовать программу?"), QKeySequence(), 46),
        &QAction::triggered, this, &TfrmMain::OpenTutopialWindow);
    help->addSeparator();
    // The news item has no command.
    NewAction(help, "mmiNews", tr("&Новости"), QKeySequence(Qt::CTRL | Qt::Key_F1), 83);
    connect(NewAction(help, "mmiGotoWebSite", tr("По&сетить веб-сайт"), QKeySequence(), 47),
            &QAction::triggered, this, [this] { ShellOpen(FVersionInfo.viUrl); });
    NewAction(help, "mmiDonate", tr("По&мочь проекту"))->setVisible(false);
    help->addSeparator();
    connect(NewAction(help, "mmiHelp_About", tr("&О программе...")), &QAction::triggered, this,
            [this] { ShowAboutDlg(FVersionInfo); });
    bar->addMenu(help);
}

QToolButton* TfrmMain::NewToolButton(const char* AName, const QString& ACaption,
                                     const QString& AHint, int AImage) {
    auto* button = new QToolButton(FMainToolBar);
    button->setObjectName(QLatin1String(AName));
    button->setText(ACaption);
    button->setToolTip(AHint);
    button->setIcon(dmMain->MainToolImgList.Icon(AImage));
    button->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    button->setAutoRaise(true);
    button->setMinimumHeight(kToolButtonHeight);
    FMainToolBar->addWidget(button);
    return button;
}

void TfrmMain::CreateToolBar() {
    FMainToolBar_Panel = new QWidget(this);
    FMainToolBar_Panel->setObjectName(QStringLiteral("MainToolBar_Panel"));
    FMainToolBar = new QToolBar(FMainToolBar_Panel);
    FMainToolBar->setObjectName(QStringLiteral("MainToolBar"));
    FMainToolBar->setMovable(false);
    FMainToolBar->setFloatable(false);
    FMainToolBar->setIconSize(dmMain->MainToolImgList.TileSize());
    // Small captions and narrow margins let every button fit the smallest window.
    FMainToolBar->setStyleSheet(
        QStringLiteral("QToolBar { spacing: 0px; }"
                       "QToolButton { font-size: 8pt; padding: 0px 1px; }"
                       "QToolButton[popupMode=\"1\"] { padding-right: 12px; }"));
    ShowAllToolBarCommands(FMainToolBar);
    auto* layout = new QHBoxLayout(FMainToolBar_Panel);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(FMainToolBar);

    // A button with a click of its own and an arrow that opens its menu.
    const auto split = [](QToolButton* AButton, QMenu* AMenu) {
        AButton->setMenu(AMenu);
        AButton->setPopupMode(QToolButton::MenuButtonPopup);
    };
    // A button whose click opens its menu below it.
    const auto popup = [](QToolButton* AButton, QMenu* AMenu) {
        AButton->setMenu(AMenu);
        AButton->setPopupMode(QToolButton::InstantPopup);
    };

    QToolButton* button =
        NewToolButton("RBClass_ToolButton", tr("Классы"), tr("Классы элементов"), 6);
    connect(button, &QToolButton::clicked, this, &TfrmMain::OpenReferenceBook_Classes);
    QMenu* menu = NewMenu("RBClass_PopupMenu", QString(), this);
    connect(NewAction(menu, "pmiNewElementTypeOnClass", tr("&Добавить тип элемента по классу..."),
                      QKeySequence(), 93),
            &QAction::triggered, this, &TfrmMain::NewElementTypeOnClass);
    split(button, menu);
    connect(NewToolButton("RBMaker_ToolButton", tr("Производители"), tr("Производители"), 7),
            &QToolButton::clicked, this, &TfrmMain::OpenReferenceBook_Makers);
    connect(NewToolButton("RBCase_ToolButton", tr("Корпуса"), tr("Корпуса"), 8),
            &QToolButton::clicked, this, &TfrmMain::OpenReferenceBook_Cases);
    connect(NewToolButton("RBUnit_ToolButton", tr("Ед. изм."), tr("Единицы измерения"), 9),
            &QToolButton::clicked, this, &TfrmMain::OpenReferenceBook_Units);
    FMainToolBar->addSeparator();

    connect(NewToolButton("RBStorage_ToolButton", tr("Места хран."), tr("Места хранения"), 12),
            &QToolButton::clicked, this, &TfrmMain::OpenReferenceBook_Storages);
    button = NewToolButton("RBElemAvail_ToolButton", tr("Наличие"), tr("Наличие элементов"), 17);
    connect(button, &QToolButton::clicked, this, &TfrmMain::OpenReferenceBook_ElementAvail);
    menu = NewMenu("RBElemAvail_PopupMenu", QString(), this);
    connect(NewAction(menu, "pmiNewElementAvail", tr("&Добавить элемент в наличии"), QKeySequence(),
                      92),
            &QAction::triggered, this, &TfrmMain::NewElementAvail);
    split(button, menu);
    connect(NewToolButton("RBSupplier_ToolButton", tr("Поставщики"), tr("Поставщики"), 18),
            &QToolButton::clicked, this, &TfrmMain::OpenReferenceBook_Suppliers);
    button = NewToolButton("RBProject_ToolButton", tr("Проекты"), tr("Проекты устройств"), 10);
    menu = NewMenu("RBProject_PopupMenu", QString(), this);
    connect(NewAction(menu, "pmiProjectInProgress", tr("&Проекты в работе"), QKeySequence(), 20),
            &QAction::triggered, this, [this] { OpenReferenceBook_Projects(psdmInProgress); });
    connect(NewAction(menu, "pmiProjectArchive", tr("&Архив проектов"), QKeySequence(), 21),
            &QAction::triggered, this, [this] { OpenReferenceBook_Projects(psdmArchive); });
    popup(button, menu);
    connect(NewToolButton("RBNote_ToolButton", tr("Заметки"), tr("Заметки"), 23),
            &QToolButton::clicked, this, &TfrmMain::OpenReferenceBook_Notes);
    FMainToolBar->addSeparator();

    button = NewToolButton("Search_ToolButton", tr("Поиск"), tr("Поиск элементов"), 54);
    menu = NewMenu("Search_PopupMenu", QString(), this);
    AddSearchCommands(menu, "pmi", false);
    popup(button, menu);

    button =
        NewToolButton("DBData_ToolButton", tr("Данные БД"), tr("Состав БД и обмен данными"), 1);
    menu = NewMenu("DBData_PopupMenu", QString(), this);
    connect(NewAction(menu, "pmiImport", tr("&Импорт данных в БД"), QKeySequence(), 4),
            &QAction::triggered, this, &TfrmMain::OpenImportDlg);
    connect(NewAction(menu, "pmiExport", tr("&Экспорт данных из БД"), QKeySequence(), 5),
            &QAction::triggered, this, &TfrmMain::OpenExportDlg);
    connect(NewAction(menu, "pmiDeletePackage", tr("&Удалить пакет данных..."), QKeySequence(), 70),
            &QAction::triggered, this, &TfrmMain::OpenDeletePackageDlg);
    menu->addSeparator();
    connect(NewAction(menu, "pmiImportPrice", tr("И&мпорт прайсов поставщика"), QKeySequence(), 81),
            &QAction::triggered, this, &TfrmMain::OpenImportPriceDlg);
    menu->addSeparator();
    connect(NewAction(menu, "pmiFavorite", tr("И&збранное"), QKeySequence(), 45),
            &QAction::triggered, this, [] { TKVOpener<TShowFavoritesDlg>::Open(); });
    popup(button, menu);
    FMainToolBar->addSeparator();

    button = NewToolButton("Window_ToolButton", tr("Окно"), tr("Окна"), 41);
    popup(button, FWindowsPopupMenu);
}

void TfrmMain::CreateStatusBar() {
    QStatusBar* bar = statusBar();
    bar->setObjectName(QStringLiteral("MainStatusBar"));
    bar->setSizeGripEnabled(true);
    // The panels draw their own bevels.
    bar->setStyleSheet(QStringLiteral("QStatusBar::item { border: none; }"));
    for (int n = 0; n < StatusPanelCount; ++n) {
        QWidget* panel = nullptr;
        if (n == 1) {
            panel = new QWidget(bar);
            FMainProgressBar = new QProgressBar(panel);
            FMainProgressBar->setObjectName(QStringLiteral("MainProgressBar"));
            FMainProgressBar->setTextVisible(true);
            FMainProgressBar->setAlignment(Qt::AlignCenter);
            auto* layout = new QHBoxLayout(panel);
            layout->setContentsMargins(0, 0, 0, 0);
            layout->addWidget(FMainProgressBar);
            panel->hide();
        } else {
            auto* label = new TKVStatusPanel(bar);
            // Panels 2 to 4 are sunken, the tip and the last panel are flat.
            if (n >= 2 && n <= 4)
                label->setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
            panel = label;
        }
        panel->setObjectName(QStringLiteral("MainStatusBar_Panel%1").arg(n));
        if (n < StatusPanelCount - 1)
            panel->setMinimumWidth(kPanelWidths[n]);
        // Every tip fits the first panel whole.
        if (n == 0) {
            auto* label = static_cast<QLabel*>(panel);
            int tipWidth = kPanelWidths[0];
            for (int tip = 0; tip < DefaultStatusHintCount; ++tip)
                tipWidth = std::max(tipWidth,
                                    label->fontMetrics().horizontalAdvance(DefaultStatusHint(tip)) +
                                        2 * (label->margin() + label->frameWidth()));
            label->setMinimumWidth(tipWidth);
        }
        // The tip and the progress bar share the left part; the file, DBID and mode panels
        // are permanent, so nothing a status bar shows of its own can hide them.
        if (n < 2)
            bar->addWidget(panel);
        else
            bar->addPermanentWidget(panel, n == StatusPanelCount - 1 ? 1 : 0);
        FStatusPanels[n] = panel;
    }
}

bool TfrmMain::event(QEvent* AEvent) {
    // The tip of a hovered command takes the first panel in place of the rotating tip, which
    // comes back when the pointer leaves the command; the other panels stay.
    if (AEvent->type() == QEvent::StatusTip) {
        FCommandStatusTip = static_cast<QStatusTipEvent*>(AEvent)->tip();
        SetDefaultStatus();
        return true;
    }
    return QMainWindow::event(AEvent);
}

QWidget* TfrmMain::StatusPanel(int APanel) const {
    return APanel >= 0 && APanel < StatusPanelCount ? FStatusPanels[APanel] : nullptr;
}

QString TfrmMain::StatusPanelText(int APanel) const {
    if (APanel == 1)
        return FMainProgressBar->text();
    auto* label = qobject_cast<QLabel*>(StatusPanel(APanel));
    return label ? label->text() : QString();
}

// --------------------------------------------------------------------- connect, disconnect

QString TfrmMain::ConnectResultText(int AResult, int AErrorCode) {
    switch (AResult) {
    case crOk:
        return QString();
    case crFileNotFound:
        return tr("Файл базы данных не найден");
    case crUnknownTableSet:
        return tr("База данных неизвестного типа или она повреждена");
    case crUnsupportedVersion:
        return tr("Неподдерживаемая версия базы данных");
    case crLocked:
        return tr("Файл базы данных заблокирован");
    case crLockFileCreateError:
        return tr("Ошибка %1 при создании файла блокировки на сетевом ресурсе").arg(AErrorCode);
    default:
        return tr("Неизвестная ошибка при подключении к базе данных");
    }
}

void TfrmMain::ReportConnectResult(int AResult, int AErrorCode) {
    if (AResult == crOk)
        return;
    const bool help = AResult == crLocked || AResult == crLockFileCreateError;
    const int answer = ShowMessageDlg(ConnectResultText(AResult, AErrorCode), mdkError,
                                      help ? mdbOK | mdbHelp : TMessageDlgButtons(mdbOK), 0);
    if (help && answer == mrCancel)
        ShowHelpTopic(QStringLiteral("DBRemoteAccess"));
}

void TfrmMain::ConnectDB() {
    if (!dmMain->DBConnected()) {
        int answer = mrCancel;
        QString fileName;
        if (TDBAMode) {
            answer = ShowTDBAConnectDlg();
            fileName = TDBADataBaseFileName;
        } else {
            answer = ShowConnectDlg();
            fileName = ConnectDataBaseFileName;
        }
        if (answer == mrOk) {
            int error = 0;
            const int result = dmMain->DataBaseConnect(fileName, dmMain->CurrentUser(), error);
            if (dmMain->DBConnected() && result == crOk)
                MainFormInit();
            ReportConnectResult(result, error);
        }
    }
    if (dmMain->DBConnected() && dmMain->CurrentDBId() == 1 && !DisableMaster)
        OpenTutopialWindow();
}

void TfrmMain::DisconnectDB() {
    if (MDIChildCount() > 0 &&
        ShowMessageDlg(tr("Отключение от базы данных приведет к потере всей не сохраненной "
                          "информации.\nОтключится от базы данных?"),
                       mdkWarning, mdbYes | mdbNo, 0) != mrYes)
        return;
    CloseAllWindow();
    int error = 0;
    if (dmMain->DataBaseDisconnect(error) == crLockFileDeleteError &&
        ShowMessageDlg(tr("Ошибка %1 при удалении файла блокировки на сетевом ресурсе").arg(error),
                       mdkError, mdbOK | mdbHelp, 0) == mrCancel)
        ShowHelpTopic(QStringLiteral("DBRemoteAccess"));
    if (!dmMain->DBConnected())
        MainFormUnInit();
}

QString TfrmMain::GetModeStr() const {
    QString mode;
    if (DebugMode)
        mode += QStringLiteral("D ");
    // The database's own read-only state counts only while one is open.
    if (dmMain->DBConnected() && dmMain->CurrentDBReadOnly() && !::ReadOnly)
        mode += QStringLiteral("CRO ");
    if (::ReadOnly || dmMain->AppDriveReadOnly())
        mode += QStringLiteral("RO ");
    return mode;
}

void TfrmMain::MainFormInit() {
    SetActionState("mmiDB_Connect", false, false);
    SetActionState("mmiDB_Disconnect", true, true);
    SetActionState("mmiDB_Info", true, true);
    for (QMenu* menu : {FRBMenu, FSearchMenu, FDBDataMenu})
        SetMenuState(menu, true, true);
    SetActionState("mmiReports", true, true);
    SetActionState("mmiPlugins", true, true);

    const bool writable = dmMain->CanWriteDataBase();
    for (const char* name : {"mmiImport", "pmiImport", "mmiDeletePackage", "pmiDeletePackage",
                             "mmiImportPrice", "pmiImportPrice"})
        Action(name)->setEnabled(writable);
    for (const char* name : {"mmiExport", "mmiFavorite"})
        Action(name)->setEnabled(true);

    DisableCommandsWithoutWindows();

    FMainToolBar_Panel->show();
    static_cast<QLabel*>(FStatusPanels[2])
        ->setText(QFileInfo(dmMain->CurrentDataBaseFileName()).fileName());
    static_cast<QLabel*>(FStatusPanels[3])
        ->setText(QStringLiteral("DBID: %1").arg(dmMain->CurrentDBId()));
    static_cast<QLabel*>(FStatusPanels[4])->setText(GetModeStr());
}

void TfrmMain::MainFormUnInit() {
    SetActionState("mmiDB_Connect", true, true);
    SetActionState("mmiDB_Disconnect", false, false);
    SetActionState("mmiDB_Info", false, false);
    for (QMenu* menu : {FRBMenu, FSearchMenu, FDBDataMenu})
        SetMenuState(menu, false, false);
    for (const char* name : {"pmiImport", "pmiImportPrice"})
        Action(name)->setEnabled(false);
    SetActionState("mmiReports", false, false);
    SetActionState("mmiPlugins", false, false);

    FMainToolBar_Panel->hide();
    static_cast<QLabel*>(FStatusPanels[2])->clear();
    static_cast<QLabel*>(FStatusPanels[3])->clear();
    static_cast<QLabel*>(FStatusPanels[4])->setText(GetModeStr());
}

// -------------------------------------------------------------------------------- registry

QMdiSubWindow* TfrmMain::AddMDIChild(TKVMDIChild* AChild) {
    QMdiSubWindow* sub = FMDIArea->addSubWindow(AChild);
    sub->setAttribute(Qt::WA_DeleteOnClose);
    FMDIChildren << AChild;
    return sub;
}

QList<TKVMDIChild*> TfrmMain::MDIChildren() const {
    return FMDIChildren;
}

void TfrmMain::SetWindowMenuFixedItemsEnabled(bool AEnabled) {
    for (QAction* action : FWindowFixedItems)
        action->setEnabled(AEnabled);
    for (QAction* separator : FWindowEndSeparators)
        separator->setVisible(AEnabled);
}

void TfrmMain::OpenMDIForm(TKVMDIChild* AForm) {
    if (MDIChildCount() == 0)
        return;
    SetWindowMenuFixedItemsEnabled(true);
    for (QMenu* menu : {FWindowMenu, FWindowsPopupMenu}) {
        auto* item = new QAction(MenuText(AForm->windowTitle()), menu);
        item->setProperty(kRegistryTag, QVariant::fromValue(TagOf(AForm)));
        item->setCheckable(true);
        connect(item, &QAction::triggered, this, &TfrmMain::BringToFrontMDIWindowClick);
        menu->addAction(item);
    }
}

void TfrmMain::ActivateMDIForm(TKVMDIChild* AForm) {
    if (MDIChildCount() == 0)
        return;
    for (QMenu* menu : {FWindowMenu, FWindowsPopupMenu})
        for (QAction* item : menu->actions())
            if (item->isCheckable())
                item->setChecked(TagOfAction(item) == TagOf(AForm));
}

void TfrmMain::SetNameMDIForm(TKVMDIChild* AForm) {
    if (MDIChildCount() == 0)
        return;
    for (QMenu* menu : {FWindowMenu, FWindowsPopupMenu})
        for (QAction* item : menu->actions())
            if (TagOfAction(item) == TagOf(AForm))
                item->setText(MenuText(AForm->windowTitle()));
}

void TfrmMain::CloseMDIForm(TKVMDIChild* AForm) {
    for (QMenu* menu : {FWindowMenu, FWindowsPopupMenu})
        for (QAction* item : menu->actions())
            if (TagOfAction(item) == TagOf(AForm)) {
                menu->removeAction(item);
                delete item;
                break;
            }
    // The closing child is still counted: when it is the last one, nothing is left to arrange.
    if (MDIChildCount() <= 1)
        SetWindowMenuFixedItemsEnabled(false);
    FMDIChildren.removeOne(AForm);
}

void TfrmMain::BringToFrontMDIWindowClick() {
    auto* item = qobject_cast<QAction*>(sender());
    if (!item)
        return;
    const quintptr tag = TagOfAction(item);
    for (TKVMDIChild* child : MDIChildren())
        if (TagOf(child) == tag) {
            BringToFrontMDIChild(child);
            return;
        }
}

void TfrmMain::BringToFrontMDIChild(TKVMDIChild* AForm) {
    if (QMdiSubWindow* sub = AForm ? AForm->SubWindow() : nullptr) {
        FMDIArea->setActiveSubWindow(sub);
        sub->raise();
    }
}

bool TfrmMain::IsOpenedRBWindow() const {
    const QList<TKVMDIChild*> children = MDIChildren();
    return std::any_of(children.begin(), children.end(), [](const TKVMDIChild* AChild) {
        return AChild->ChildKind() == ckListWindow || AChild->ChildKind() == ckCard;
    });
}

void TfrmMain::CloseAllWindow() {
    QList<QPointer<TKVMDIChild>> children;
    for (TKVMDIChild* child : MDIChildren())
        children << child;
    for (const QPointer<TKVMDIChild>& child : children) {
        if (!child)
            continue;
        switch (child->ChildKind()) {
        case ckListWindow:
        case ckReport:
            child->CloseWindow();
            break;
        case ckCard:
            static_cast<TKVCard*>(child.data())->ForciblyCloseItem();
            break;
        case ckOther:
            break;
        }
    }
}

void TfrmMain::TileMDIChildren(Qt::Orientation AOrientation) {
    QList<QMdiSubWindow*> windows;
    for (QMdiSubWindow* sub : FMDIArea->subWindowList(QMdiArea::StackingOrder))
        if (sub->isVisible() && !sub->isMinimized())
            windows << sub;
    if (windows.isEmpty())
        return;
    const QRect area = FMDIArea->viewport()->rect();
    const int count = static_cast<int>(windows.size());
    for (int n = 0; n < count; ++n) {
        QMdiSubWindow* sub = windows[n];
        if (sub->isMaximized())
            sub->showNormal();
        // Horizontal: one above the other, each the full width; vertical: side by side. A
        // window that cannot be as small as its share (its content needs more, or a card has a
        // fixed size) keeps its smallest size and overlaps its neighbour, inside the workspace.
        QRect tile;
        if (AOrientation == Qt::Horizontal) {
            const int top = area.height() * n / count;
            tile.setRect(0, top, area.width(), area.height() * (n + 1) / count - top);
        } else {
            const int left = area.width() * n / count;
            tile.setRect(left, 0, area.width() * (n + 1) / count - left, area.height());
        }
        const QSize smallest = sub->minimumSize().expandedTo(sub->minimumSizeHint());
        const QSize size =
            tile.size().expandedTo(smallest).boundedTo(sub->maximumSize()).boundedTo(area.size());
        sub->setGeometry(std::max(0, std::min(tile.x(), area.width() - size.width())),
                         std::max(0, std::min(tile.y(), area.height() - size.height())),
                         size.width(), size.height());
    }
}

void TfrmMain::ArrangeMDIIcons() {
    // Minimised windows in rows along the bottom of the workspace, from the left.
    const QRect area = FMDIArea->viewport()->rect();
    int x = 0;
    int y = area.bottom() + 1;
    int rowHeight = 0;
    for (QMdiSubWindow* sub : FMDIArea->subWindowList(QMdiArea::CreationOrder)) {
        if (!sub->isVisible() || !sub->isMinimized())
            continue;
        const QSize size = sub->size();
        if (x > 0 && x + size.width() > area.width()) {
            x = 0;
            y -= rowHeight;
            rowHeight = 0;
        }
        rowHeight = std::max(rowHeight, size.height());
        sub->move(x, y - size.height());
        x += size.width();
    }
}

// -------------------------------------------------------------------------------- progress

void TfrmMain::ShowProgress() {
    FStatusPanels[0]->hide();
    FStatusPanels[1]->show();
}

void TfrmMain::InitProgress(int AMin, int AMax, int AStartPos,
                            TProgressInfoType AProgressInfoType) {
    FProgressInfoType = AProgressInfoType;
    FMainProgressBar->setRange(AMin, AMax);
    ChangeProgress(AStartPos);
}

void TfrmMain::ChangeProgress(int APos) {
    switch (FProgressInfoType) {
    case witWait:
        FMainProgressBar->setFormat(tr("Ожидание..."));
        break;
    case witLoading:
    case witCreating:
        FMainProgressBar->setValue(APos);
        FMainProgressBar->setFormat(
            tr("%1 %2 из %3...")
                .arg(FProgressInfoType == witLoading ? tr("Загружено записей")
                                                     : tr("Обработано записей"))
                .arg(APos)
                .arg(FMainProgressBar->maximum() - FMainProgressBar->minimum()));
        break;
    }
    // The caller keeps the thread busy: the bar is painted now, not when the loop runs again.
    // Painting costs far more than a step of a long load, so the bar is painted at the start
    // and end of its range and otherwise at most every 50 ms.
    if (!FProgressPainted.isValid() || FProgressPainted.elapsed() >= 50 ||
        APos <= FMainProgressBar->minimum() || APos >= FMainProgressBar->maximum()) {
        FMainProgressBar->repaint();
        FProgressPainted.restart();
    }
}

void TfrmMain::HideProgress() {
    FStatusPanels[0]->show();
    FStatusPanels[1]->hide();
    VisualConfirm();
}

bool TfrmMain::VisualConfirm() {
    if (!::VisualConfirm || isActiveWindow())
        return false;
    QApplication::alert(this, kAlertMs);
    return true;
}

// -------------------------------------------------------------------------------- commands

void TfrmMain::OpenDBInfo() {
    if (dmMain->DBConnected())
        ShowDBInfoDlg();
}

void TfrmMain::OpenTutopialWindow() {
    if (!BringToFrontMDIChildren<TfrmTutopial>([](const TfrmTutopial&) { return true; }))
        ::OpenTutopialWindow();
}

void TfrmMain::mmiDebugClick() {
    if (!BringToFrontMDIChildren<T_frmDebug>([](const T_frmDebug&) { return true; }))
        OpenDebugWindow();
}

void TfrmMain::OpenNewsDlg() {
    if (!BringToFrontMDIChildren<TfrmNews>([](const TfrmNews&) { return true; }))
        OpenNewsWindow();
}

void TfrmMain::OpenDataMode() {
    // With no list window in the program the chooser would be empty: it is not shown.
    const TKVOpenDataModeTypes views = WorkspaceViews();
    if (!dmMain->DBConnected() || views == 0 || SelectOpenDataMode(views) != mrOk)
        return;
    switch (SelectedOpenDataModeType) {
    case odmtClassRB:
        OpenReferenceBook_Classes();
        break;
    case odmtMakerRB:
        OpenReferenceBook_Makers();
        break;
    case odmtCaseRB:
        OpenReferenceBook_Cases();
        break;
    case odmtUnitRB:
        OpenReferenceBook_Units();
        break;
    case odmtElementAvailRB:
        OpenReferenceBook_ElementAvail();
        break;
    case odmtStorageRB:
        OpenReferenceBook_Storages();
        break;
    case odmtSupplierRB:
        OpenReferenceBook_Suppliers();
        break;
    case odmtProjectRBInProgress:
        OpenReferenceBook_Projects(psdmInProgress);
        break;
    case odmtProjectRBArhive:
        OpenReferenceBook_Projects(psdmArchive);
        break;
    case odmtNote:
        OpenReferenceBook_Notes();
        break;
    default:
        break;
    }
}

// The commands below open windows and dialogs of the reference books, the catalogue, the
// stock and the data exchange; their menu items are switched by the connected state.
// The package import and the package deletion need a writable database of a DBID that takes
// packages, and no open window that still holds rows of the catalogue.
bool TfrmMain::PreparePackageChange() {
    if (!dmMain->CanWriteDataBase())
        return false;
    if (!IsImportAllowedDBId(dmMain->CurrentDBId())) {
        ShowMessageDlg(tr("Импорт данных в эту БД запрещен"), mdkWarning, mdbOK, 0);
        return false;
    }
    if (IsOpenedRBWindow()) {
        if (ShowMessageDlg(tr("Все справочники и карточки будут закрыты без сохранения текущих "
                              "изменений! Продолжить?"),
                           mdkWarning, mdbYes | mdbNo, 0) != mrYes)
            return false;
        CloseAllWindow();
    }
    return true;
}

void TfrmMain::OpenImportDlg() {
    if (PreparePackageChange())
        TKVOpener<TShowImportDlg>::Open();
}

void TfrmMain::OpenExportDlg() {
    if (!dmMain->DBConnected())
        return;
    if (!IsExportAllowedDBId(dmMain->CurrentDBId())) {
        ShowMessageDlg(tr("Экспорт данных из этой БД запрещен"), mdkWarning, mdbOK, 0);
        return;
    }
    TKVOpener<TShowExportDlg>::Open();
}

void TfrmMain::OpenDeletePackageDlg() {
    if (PreparePackageChange())
        TKVOpener<TShowDeletePackageDlg>::Open();
}

void TfrmMain::OpenImportPriceDlg() {
    if (dmMain->CanWriteDataBase())
        TKVOpener<TShowImportPriceDlg>::Open();
}
void TfrmMain::OpenBookWindow(TKVBookWindow AWindow) {
    if (!dmMain->DBConnected())
        return;
    const TKVBookWindowOpener* opener = BookWindowOpener(AWindow);
    if (!opener)
        return;
    if (!BringToFrontMDIChildren<TKVMDIChild>(
            [opener](TKVMDIChild& AChild) { return opener->Matches(AChild); }))
        opener->Open();
}

void TfrmMain::OpenReferenceBook_Classes() {
    OpenBookWindow(bwClasses);
}
void TfrmMain::OpenReferenceBook_Makers() {
    OpenBookWindow(bwMakers);
}
void TfrmMain::OpenReferenceBook_Cases() {
    OpenBookWindow(bwCases);
}
void TfrmMain::OpenReferenceBook_Units() {
    OpenBookWindow(bwUnits);
}
void TfrmMain::OpenReferenceBook_Storages() {
    OpenBookWindow(bwStorages);
}
void TfrmMain::OpenReferenceBook_Suppliers() {
    OpenBookWindow(bwSuppliers);
}
void TfrmMain::OpenReferenceBook_Notes() {
    OpenBookWindow(bwNotes);
}
void TfrmMain::OpenReferenceBook_Projects(TKVProjectListSelectDataMode AListSelectDataMode) {
    OpenBookWindow(AListSelectDataMode == psdmArchive ? bwProjectsArchive : bwProjectsInProgress);
}

void TfrmMain::DisableCommandsWithoutWindows() {
    // The menu item and the tool-bar button (or pop-up item) of each list window.
    static const std::pair<TKVBookWindow, std::array<const char*, 2>> kBookCommands[] = {
        {bwClasses, {"mmiRB_Class", "RBClass_ToolButton"}},
        {bwMakers, {"mmiRB_Maker", "RBMaker_ToolButton"}},
        {bwCases, {"mmiRB_Case", "RBCase_ToolButton"}},
        {bwUnits, {"mmiRB_Unit", "RBUnit_ToolButton"}},
        {bwStorages, {"mmiRB_Storage", "RBStorage_ToolButton"}},
        {bwSuppliers, {"mmiRB_Supplier", "RBSupplier_ToolButton"}},
        {bwNotes, {"mmiRB_Note", "RBNote_ToolButton"}},
        {bwElementAvail, {"mmiRB_ElementAvail", "RBElemAvail_ToolButton"}},
        {bwProjectsInProgress, {"mmiRB_ProjectInProgress", "pmiProjectInProgress"}},
        {bwProjectsArchive, {"mmiRB_ProjectArchive", "pmiProjectArchive"}}};
    for (const auto& [window, names] : kBookCommands) {
        const bool present = BookWindowOpener(window) != nullptr;
        for (const char* name : names) {
            if (QAction* action = Action(name))
                action->setEnabled(action->isEnabled() && present);
            else if (auto* button = findChild<QToolButton*>(QLatin1String(name)))
                button->setEnabled(present);
        }
    }
    const bool projects =
        BookWindowOpener(bwProjectsInProgress) || BookWindowOpener(bwProjectsArchive);
    if (QAction* action = Action("mmiRB_Project"))
        action->setEnabled(action->isEnabled() && projects);
    if (auto* button = findChild<QToolButton*>(QStringLiteral("RBProject_ToolButton")))
        button->setEnabled(projects);

    static const std::pair<TKVCommandGroup, std::vector<const char*>> kGroupCommands[] = {
        {cgPackages, {"mmiImport", "pmiImport", "mmiExport", "pmiExport"}},
        {cgPackageDeletion, {"mmiDeletePackage", "pmiDeletePackage"}},
        {cgPriceImport, {"mmiImportPrice", "pmiImportPrice"}},
        {cgReports, {"mmiReports"}},
        {cgNewElementType, {"pmiNewElementTypeOnClass"}},
        {cgNewElementAvail, {"pmiNewElementAvail"}}};
    for (const auto& [group, names] : kGroupCommands)
        if (!CommandGroupRegistered(group))
            for (const char* name : names)
                if (QAction* action = Action(name))
                    action->setEnabled(false);

    // Each search command and the favourites: present when the dialog they open is registered.
    const bool find = TKVOpener<TShowFindDlg>::Registered();
    const std::pair<std::array<const char*, 2>, bool> kSearchCommands[] = {
        {{"mmiFindOnElementTypeName", "pmiFindOnElementTypeName"}, find},
        {{"mmiFindOnElementTypeMarking", "pmiFindOnElementTypeMarking"}, find},
        {{"mmiSearchParam", "pmiSearchParam"}, TKVOpener<TShowParamSearchDlg>::Registered()},
        {{"mmiFindOnElementAvailName", "pmiFindOnElementAvailName"}, find},
        {{"mmiFindOnElementAvailMarking", "pmiFindOnElementAvailMarking"}, find},
        {{"mmiSearchNominal", "pmiSearchNominal"}, TKVOpener<TShowNominalSearchDlg>::Registered()},
        {{"mmiSearchRevDate", "pmiSearchRevDate"}, TKVOpener<TShowRevDateSearchDlg>::Registered()},
        {{"mmiFavorite", "pmiFavorite"}, TKVOpener<TShowFavoritesDlg>::Registered()}};
    for (const auto& [names, present] : kSearchCommands)
        if (!present)
            for (const char* name : names)
                if (QAction* action = Action(name))
                    action->setEnabled(false);
}

void TfrmMain::AddSearchCommands(QMenu* AMenu, const char* APrefix, bool AShortcuts) {
    struct TSearchCommand {
        const char* Name;
        const char* Caption;
        QKeySequence Shortcut;
        int ImageIndex;
        std::function<void()> Run;
    };
    const TSearchCommand kCommands[] = {
        {"FindOnElementTypeName", "&Поиск типов элементов по наименованию", Qt::Key_F3, 55,
         [] { TKVOpener<TShowFindDlg>::Open(ftElementTypeName); }},
        {"FindOnElementTypeMarking", "Поиск типов элементов по &маркировке", QKeySequence(), 62,
         [] { TKVOpener<TShowFindDlg>::Open(ftElementTypeMarking); }},
        {"SearchParam", "П&араметрический поиск по классу", QKeySequence(Qt::CTRL | Qt::Key_F3),
         56, [] { TKVOpener<TShowParamSearchDlg>::Open(); }},
        {nullptr, nullptr, QKeySequence(), 0, nullptr},
        {"FindOnElementAvailName", "Поиск элементов в &наличии по наименованию",
         QKeySequence(Qt::SHIFT | Qt::Key_F3), 57,
         [] { TKVOpener<TShowFindDlg>::Open(ftElementAvailName); }},
        {"FindOnElementAvailMarking", "Поиск элементов в на&личии по маркировке", QKeySequence(),
         62, [] { TKVOpener<TShowFindDlg>::Open(ftElementAvailMarking); }},
        {"SearchNominal", "По&иск элементов в наличии по номиналу",
         QKeySequence(Qt::ALT | Qt::Key_F3), 58, [] { TKVOpener<TShowNominalSearchDlg>::Open(); }},
        {"SearchRevDate", "Поиск э&лементов в наличии по дате ревизии", QKeySequence(), 61,
         [] { TKVOpener<TShowRevDateSearchDlg>::Open(); }}};
    for (const TSearchCommand& command : kCommands) {
        if (!command.Name) {
            AMenu->addSeparator();
            continue;
        }
        const QByteArray name = QByteArray(APrefix) + command.Name;
        QAction* action = NewAction(AMenu, name.constData(), tr(command.Caption),
                                    AShortcuts ? command.Shortcut : QKeySequence(),
                                    command.ImageIndex);
        connect(action, &QAction::triggered, this, command.Run);
    }
}
// The result windows of a pattern: each opener brings the open window of the same pattern to the
// front or opens a new one.
void TfrmMain::OpenReferenceBook_FindElementTypesName(const QString& AFindStr) {
    TKVOpener<TOpenElementTypesOnName>::Open(AFindStr);
}
void TfrmMain::OpenReferenceBook_FindElementTypesMarking(const QString& AFindStr) {
    TKVOpener<TOpenElementTypesOnMarking>::Open(AFindStr);
}
void TfrmMain::OpenReferenceBook_FindElementAvailsName(const QString& AFindStr) {
    TKVOpener<TOpenElementAvailsOnName>::Open(AFindStr);
}
void TfrmMain::OpenReferenceBook_FindElementAvailsMarking(const QString& AFindStr) {
    TKVOpener<TOpenElementAvailsOnMarking>::Open(AFindStr);
}
void TfrmMain::OpenReferenceBook_ElementAvail() {
    if (!dmMain->DBConnected())
        return;
    if (!::SelectStorage) {
        OpenBookWindow(bwElementAvail);
        return;
    }
    // The stock of a place chosen first.
    const TKVSelectedLocalItemDBData selected = SetupSelectStorage(0, 0);
    if (selected.Select)
        TKVOpener<TOpenStockOfStorage>::Open(selected.Id);
}
void TfrmMain::NewElementAvail() {
    if (dmMain->DBConnected())
        TKVOpener<TOpenNewElementAvail>::Open();
}
void TfrmMain::NewElementTypeOnClass() {
    TKVOpener<TOpenNewElementTypeOnClass>::Open();
}
void TfrmMain::OpenDebugConsole() {}

void TfrmMain::ShowHelpContext() {
    ShowHelpContents();
}

void TfrmMain::RunCompanionProgram(const QString& AFileName) {
    const QString file = dmMain->AppFolder() + AFileName;
    QProcess::startDetached(file, {}, dmMain->AppFolder());
}
