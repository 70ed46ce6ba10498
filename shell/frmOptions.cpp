#include "shell/frmOptions.h"

#include "core/udmMain.h"
#include "shell/KVButtonEdit.h"
#include "shell/KVWidgets.h"
#include "shell/frmAlias.h"
#include "shell/uMessage.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QTimer>
#include <QToolButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace {

TSetupSelectStorage gSelectStorage;
QPointer<TfrmSetup> gSetupDlg;

// Pictures of the main tool images for the buttons.
constexpr int kAddImage = 66;
constexpr int kEditImage = 67;
constexpr int kDeleteImage = 68;
constexpr int kResetImage = 69;

// The combo box's item index as a processing option: no selection counts as 0.
int ComboValue(const QComboBox* ABox) {
    return IntToAutoActionMode(ABox->currentIndex());
}

// A combo box shows a processing option; a value outside the three shows the first item.
void SetComboValue(QComboBox* ABox, int AValue) {
    ABox->setCurrentIndex(IntToAutoActionMode(AValue));
}

QVBoxLayout* PageLayout(QWidget* APage) {
    auto* layout = new QVBoxLayout(APage);
    layout->setContentsMargins(8, 8, 8, 8);
    return layout;
}

} // namespace

TSetupSelectStorage SetSetupSelectStorage(TSetupSelectStorage APicker) {
    TSetupSelectStorage previous = std::move(gSelectStorage);
    gSelectStorage = std::move(APicker);
    return previous;
}

TKVSelectedLocalItemDBData SetupSelectStorage(quint32 ASelectId, quint32 AExcludeId) {
    if (!gSelectStorage)
        return TKVSelectedLocalItemDBData();
    return gSelectStorage(ASelectId, AExcludeId);
}

// ---------------------------------------------------------------------------------- building

TfrmSetup::TfrmSetup(QWidget* AParent)
    : TKVDialog(QStringLiteral("Setup"), QStringLiteral("Setup_PopupMenu"), AParent) {
    setObjectName(QStringLiteral("frmSetup"));
    setWindowTitle(tr("Настройки"));

    FPageControl = new QTabWidget(this);
    // Every tab shows whole: the row does not scroll.
    FPageControl->setUsesScrollButtons(false);
    FPageControl->setObjectName(QStringLiteral("Setup_PageControl"));
    FPageControl->addTab(CreateGeneralPage(), tr("Основные"));
    FPageControl->addTab(CreateViewPage(), tr("Просмотр"));
    FPageControl->addTab(CreateProcessingPage(), tr("Обработка"));
    FPageControl->addTab(CreateLocalConfigPage(), tr("Локальная конфигурация"));
    FPageControl->addTab(CreateAliasPage(), tr("Базы данных"));
    FPageControl->addTab(CreateNetworkPage(), tr("Подключение к сети"));

    FOkBtn = new QPushButton(tr("Применить"), this);
    FOkBtn->setObjectName(QStringLiteral("OkBtn"));
    FOkBtn->setDefault(true);
    connect(FOkBtn, &QPushButton::clicked, this, &QDialog::accept);
    FCancelBtn = new QPushButton(tr("Отмена"), this);
    FCancelBtn->setObjectName(QStringLiteral("CancelBtn"));
    FCancelBtn->setAutoDefault(false);
    connect(FCancelBtn, &QPushButton::clicked, this, &QDialog::reject);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(FOkBtn);
    buttons->addWidget(FCancelBtn);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(FPageControl, 1);
    layout->addLayout(buttons);

    resize(585, 321);
    setMinimumSize(minimumSizeHint().expandedTo(QSize(585, 321)));

    FormCreate();
}

QCheckBox* TfrmSetup::NewCheckBox(QWidget* AParent, const char* AName, const QString& ACaption) {
    auto* box = new QCheckBox(ACaption, AParent);
    box->setObjectName(QLatin1String(AName));
    return box;
}

QPushButton* TfrmSetup::NewButton(QWidget* AParent, const char* AName, const QString& ACaption,
                                  const QString& AHint, int AImage) {
    auto* button = new QPushButton(ACaption, AParent);
    button->setObjectName(QLatin1String(AName));
    button->setToolTip(AHint);
    // Enter on any button but OK accepts the dialog rather than pressing the button.
    button->setAutoDefault(false);
    if (dmMain)
        button->setIcon(dmMain->MainToolImgList.Icon(AImage));
    return button;
}

QWidget* TfrmSetup::CreateGeneralPage() {
    auto* page = new QWidget(this);
    page->setObjectName(QStringLiteral("General_TabSheet"));
    QVBoxLayout* layout = PageLayout(page);
    FAPG_EnableLogo_CheckBox = NewCheckBox(page, "APG_EnableLogo_CheckBox",
                                           tr("&Отображать заставку при запуске программы"));
    FAPG_EnableLogin_CheckBox =
        NewCheckBox(page, "APG_EnableLogin_CheckBox",
                    tr("&Показать окно подключения к базе данных при запуске программы"));
    FAPG_AutoConnect_CheckBox = NewCheckBox(page, "APG_AutoConnect_CheckBox",
                                            tr("&Автоматически подключатся к базе данных"));
    FAP_VisualConfirm_CheckBox = NewCheckBox(page, "AP_VisualConfirm_CheckBox",
                                             tr("&Визуальные подтверждения при неактивном окне"));
    for (QCheckBox* box : {FAPG_EnableLogo_CheckBox, FAPG_EnableLogin_CheckBox,
                           FAPG_AutoConnect_CheckBox, FAP_VisualConfirm_CheckBox})
        layout->addWidget(box);

    FAPED_GroupBox = new QGroupBox(tr(" Редактирование данных "), page);
    FAPED_GroupBox->setObjectName(QStringLiteral("APED_GroupBox"));
    auto* group = new QVBoxLayout(FAPED_GroupBox);
    FAPED_EnableReadOnlyMode_CheckBox =
        NewCheckBox(FAPED_GroupBox, "APED_EnableReadOnlyMode_CheckBox",
                    tr("&Установить режим \"только для чтения\" для всех баз данных"));
    FAPED_BaseLevelItemModifed_CheckBox =
        NewCheckBox(FAPED_GroupBox, "APED_BaseLevelItemModifed_CheckBox",
                    tr("&Редактировать системные объекты (не рекомендуется)"));
    FAPED_NotSelfItemModifed_CheckBox = NewCheckBox(
        FAPED_GroupBox, "APED_NotSelfItemModifed_CheckBox",
        tr("Р&едактировать объекты, импортированные из других баз данных (не рекомендуется)"));
    for (QCheckBox* box : {FAPED_EnableReadOnlyMode_CheckBox, FAPED_BaseLevelItemModifed_CheckBox,
                           FAPED_NotSelfItemModifed_CheckBox})
        group->addWidget(box);
    layout->addWidget(FAPED_GroupBox);
    layout->addStretch(1);
    return page;
}

QWidget* TfrmSetup::CreateViewPage() {
    auto* page = new QWidget(this);
    page->setObjectName(QStringLiteral("View_TabSheet"));
    QVBoxLayout* layout = PageLayout(page);
    FAPVD_EnableForcedSelectStorageForElementAvail_CheckBox =
        NewCheckBox(page, "APVD_EnableForcedSelectStorageForElementAvail_CheckBox",
                    tr("&Выбирать место хранения при отображении элементов в наличии"));
    FAPVD_ForcedHideImage_CheckBox =
        NewCheckBox(page, "APVD_ForcedHideImage_CheckBox",
                    tr("&Скрывать изображения внешнего вида при открытии карточки"));
    FAPVD_ViewCountItems_CheckBox =
        NewCheckBox(page, "APVD_ViewCountItems_CheckBox",
                    tr("&Отображать количество записей в классификаторах"));
    for (QCheckBox* box : {FAPVD_EnableForcedSelectStorageForElementAvail_CheckBox,
                           FAPVD_ForcedHideImage_CheckBox, FAPVD_ViewCountItems_CheckBox})
        layout->addWidget(box);
    layout->addStretch(1);
    return page;
}

QWidget* TfrmSetup::CreateProcessingPage() {
    auto* page = new QWidget(this);
    page->setObjectName(QStringLiteral("Processing_TabSheet"));
    QVBoxLayout* layout = PageLayout(page);
    const auto combo = [&](const char* AName, const QString& ALabel) {
        auto* label = new QLabel(ALabel, page);
        label->setWordWrap(true);
        auto* box = new QComboBox(page);
        box->setObjectName(QLatin1String(AName));
        label->setObjectName(QString::fromLatin1(AName).replace(QStringLiteral("ComboBox"),
                                                                QStringLiteral("Label")));
        label->setBuddy(box);
        layout->addWidget(label);
        layout->addWidget(box);
        return box;
    };
    FAPUPID_ParamRebinding_ComboBox =
        combo("APUPID_ParamRebinding_ComboBox",
              tr("&При перемещении типа элемента в другой класс перепривязывать его параметры к "
                 "базовым переметрам нового класса (по UPID):"));
    FAPUPID_ChangeUPIDOnBaseParam_ComboBox =
        combo("APUPID_ChangeUPIDOnBaseParam_ComboBox",
              tr("Заменять &UPID во всех параметрах, связаных в базовым:"));
    FAPUPID_ChangeUnitOnBaseParam_ComboBox =
        combo("APUPID_ChangeUnitOnBaseParam_ComboBox",
              tr("Заменять &однотипную единицу измерения во всех параметрах, связаных с базовым:"));
    FAPACC_WriteOffAvailItemsInProject_ComboBox =
        combo("APACC_WriteOffAvailItemsInProject_ComboBox",
              tr("С&писание элементов по проекту из списка элементов в наличии:"));
    FAPACC_MoveEmptyAvailToSpecStorage_ComboBox =
        combo("APACC_MoveEmptyAvailToSpecStorage_ComboBox",
              tr("Перемещать пустые записи элементов в наличии в специальное место хранения "
                 "(должно быть указано в локальной конфигруации):"));
    layout->addStretch(1);
    return page;
}

QWidget* TfrmSetup::CreateLocalConfigPage() {
    auto* page = new QWidget(this);
    page->setObjectName(QStringLiteral("LocalConfig_TabSheet"));
    QVBoxLayout* layout = PageLayout(page);
    FALC_EnableForAllDB_CheckBox =
        NewCheckBox(page, "ALC_EnableForAllDB_CheckBox",
                    tr("&Использовать локальную конфигурацию для всех баз данных"));
    layout->addWidget(FALC_EnableForAllDB_CheckBox);

    FAddFunct_LocalCfg_Panel = new QWidget(page);
    FAddFunct_LocalCfg_Panel->setObjectName(QStringLiteral("AddFunct_LocalCfg_Panel"));
    auto* panel = new QVBoxLayout(FAddFunct_LocalCfg_Panel);
    panel->setContentsMargins(0, 0, 0, 0);
    FLocalCfg_PageControl = new QTabWidget(FAddFunct_LocalCfg_Panel);
    // Every tab shows whole: the row does not scroll.
    FLocalCfg_PageControl->setUsesScrollButtons(false);
    FLocalCfg_PageControl->setObjectName(QStringLiteral("LocalCfg_PageControl"));
    panel->addWidget(FLocalCfg_PageControl);
    layout->addWidget(FAddFunct_LocalCfg_Panel, 1);

    auto* windows = new QWidget(FLocalCfg_PageControl);
    windows->setObjectName(QStringLiteral("LocalCfgWindows_TabSheet"));
    QVBoxLayout* windowsLayout = PageLayout(windows);
    auto* resetText =
        new QLabel(tr("Сбросить настройки локальной конфигурации базы данных для всех "
                      "справочников, их полей и карточек"),
                   windows);
    resetText->setWordWrap(true);
    FClearLocalCfg_Button = NewButton(windows, "ClearLocalCfg_Button", tr("&Сброс"),
                                      tr("Сброс локальной конфигурации"), kResetImage);
    connect(FClearLocalCfg_Button, &QPushButton::clicked, this,
            &TfrmSetup::ClearLocalCfg_ButtonClick);
    windowsLayout->addWidget(resetText);
    windowsLayout->addWidget(FClearLocalCfg_Button, 0, Qt::AlignLeft);
    windowsLayout->addStretch(1);
    FLocalCfg_PageControl->addTab(windows, tr("Настрока дочених окон"));

    auto* description = new QWidget(FLocalCfg_PageControl);
    description->setObjectName(QStringLiteral("LocalCfgDescription_TabSheet"));
    QVBoxLayout* descriptionLayout = PageLayout(description);
    auto* descriptionLabel = new QLabel(tr("Описание базы банных"), description);
    FDBDescription_TextEdit = new QLineEdit(description);
    FDBDescription_TextEdit->setObjectName(QStringLiteral("DBDescription_TextEdit"));
    FDBDescription_TextEdit->setMaxLength(KVDescriptionLength);
    descriptionLabel->setBuddy(FDBDescription_TextEdit);
    descriptionLayout->addWidget(descriptionLabel);
    descriptionLayout->addWidget(FDBDescription_TextEdit);
    descriptionLayout->addStretch(1);
    FLocalCfg_PageControl->addTab(description, tr("Описание БД"));

    auto* storage = new QWidget(FLocalCfg_PageControl);
    storage->setObjectName(QStringLiteral("LocalCfgStorage_TabSheet"));
    QVBoxLayout* storageLayout = PageLayout(storage);
    auto* storageLabel =
        new QLabel(tr("Место хранения для пустых записей элементов в наличии"), storage);
    FStorageForEmpty_ButtonEdit = new TKVButtonEdit(storage);
    FStorageForEmpty_ButtonEdit->setObjectName(QStringLiteral("StorageForEmpty_ButtonEdit"));
    FStorageForEmpty_ButtonEdit->LineEdit()->setReadOnly(true);
    FStorageForEmpty_ButtonEdit->LineEdit()->installEventFilter(this);
    storageLabel->setBuddy(FStorageForEmpty_ButtonEdit);
    connect(FStorageForEmpty_ButtonEdit, &TKVButtonEdit::ButtonClick, this,
            &TfrmSetup::StorageForEmpty_ButtonEditButtonClick);
    storageLayout->addWidget(storageLabel);
    storageLayout->addWidget(FStorageForEmpty_ButtonEdit);
    storageLayout->addStretch(1);
    FLocalCfg_PageControl->addTab(storage, tr("Спец. места. хранения"));

    // The box switches the reset and the storage place with it.
    connect(FALC_EnableForAllDB_CheckBox, &QCheckBox::toggled, this,
            &TfrmSetup::UpdateLocalConfigButtons);
    return page;
}

QWidget* TfrmSetup::CreateAliasPage() {
    auto* page = new QWidget(this);
    page->setObjectName(QStringLiteral("Alias_TabSheet"));
    auto* layout = new QHBoxLayout(page);
    layout->setContentsMargins(8, 8, 8, 8);
    FAlias_ListView = new QTreeWidget(page);
    FAlias_ListView->setObjectName(QStringLiteral("Alias_ListView"));
    FAlias_ListView->setColumnCount(2);
    FAlias_ListView->setHeaderLabels({tr("Название учетной записи"), tr("Файл базы данных")});
    FAlias_ListView->setColumnWidth(0, 180);
    FAlias_ListView->setColumnWidth(1, 300);
    FitHeaderSections(FAlias_ListView->header());
    FAlias_ListView->setRootIsDecorated(false);
    FAlias_ListView->setSelectionMode(QAbstractItemView::SingleSelection);
    FAlias_ListView->setSelectionBehavior(QAbstractItemView::SelectRows);
    FAlias_ListView->setEditTriggers(QAbstractItemView::NoEditTriggers);
    connect(FAlias_ListView, &QTreeWidget::itemSelectionChanged, this,
            &TfrmSetup::Alias_ListViewSelectionChange);
    connect(FAlias_ListView, &QTreeWidget::itemDoubleClicked, this,
            [this] { EditAlias_ButtonClick(); });
    layout->addWidget(FAlias_ListView, 1);

    auto* buttons = new QVBoxLayout;
    FAddAlias_Button = NewButton(page, "AddAlias_Button", tr("&Добавить"),
                                 tr("Добавить учетную запись"), kAddImage);
    FEditAlias_Button = NewButton(page, "EditAlias_Button", tr("&Изменить"),
                                  tr("Изменить учетную запись"), kEditImage);
    FDeleteAlias_Button = NewButton(page, "DeleteAlias_Button", tr("&Удалить"),
                                    tr("Удалить учетную запись"), kDeleteImage);
    connect(FAddAlias_Button, &QPushButton::clicked, this, &TfrmSetup::AddAlias_ButtonClick);
    connect(FEditAlias_Button, &QPushButton::clicked, this, &TfrmSetup::EditAlias_ButtonClick);
    connect(FDeleteAlias_Button, &QPushButton::clicked, this, &TfrmSetup::DeleteAlias_ButtonClick);
    for (QPushButton* button : {FAddAlias_Button, FEditAlias_Button, FDeleteAlias_Button}) {
        button->setEnabled(false);
        buttons->addWidget(button);
    }
    buttons->addStretch(1);
    layout->addLayout(buttons);
    return page;
}

QWidget* TfrmSetup::CreateNetworkPage() {
    auto* page = new QWidget(this);
    page->setObjectName(QStringLiteral("Network_TabSheet"));
    QVBoxLayout* layout = PageLayout(page);
    FAPIC_ICEnable_CheckBox = NewCheckBox(page, "APIC_ICEnable_CheckBox",
                                          tr("&Разрешить программе доступ к сети Интернет"));
    FAPIC_UsageProxy_CheckBox =
        NewCheckBox(page, "APIC_UsageProxy_CheckBox", tr("&Использовать прокси-сервер"));
    layout->addWidget(FAPIC_ICEnable_CheckBox);
    layout->addWidget(FAPIC_UsageProxy_CheckBox);

    const auto edit = [&](const char* AName) {
        auto* e = new QLineEdit(page);
        e->setObjectName(QLatin1String(AName));
        e->setMaxLength(255);
        return e;
    };
    auto* proxyGrid = new QGridLayout;
    FAPIC_Proxy_TextEdit = edit("APIC_Proxy_TextEdit");
    FAPIC_ProxyPort_SpinEdit = new QSpinBox(page);
    FAPIC_ProxyPort_SpinEdit->setObjectName(QStringLiteral("APIC_ProxyPort_SpinEdit"));
    FAPIC_ProxyPort_SpinEdit->setRange(1, 65535);
    FAPIC_ProxyPort_SpinEdit->setButtonSymbols(QAbstractSpinBox::NoButtons);
    auto* proxyLabel = new QLabel(tr("Прокси-сервер"), page);
    proxyLabel->setBuddy(FAPIC_Proxy_TextEdit);
    auto* portLabel = new QLabel(tr("Порт"), page);
    portLabel->setBuddy(FAPIC_ProxyPort_SpinEdit);
    proxyGrid->addWidget(proxyLabel, 0, 0);
    proxyGrid->addWidget(FAPIC_Proxy_TextEdit, 0, 1);
    proxyGrid->addWidget(portLabel, 0, 2);
    proxyGrid->addWidget(FAPIC_ProxyPort_SpinEdit, 0, 3);
    proxyGrid->setColumnStretch(1, 1);
    layout->addLayout(proxyGrid);

    FAPIC_ProxyAuth_CheckBox =
        NewCheckBox(page, "APIC_ProxyAuth_CheckBox", tr("&Аутентификация на прокси-сервере"));
    layout->addWidget(FAPIC_ProxyAuth_CheckBox);
    auto* authGrid = new QGridLayout;
    FAPIC_ProxyUser_TextEdit = edit("APIC_ProxyUser_TextEdit");
    FAPIC_ProxyPassword_TextEdit = edit("APIC_ProxyPassword_TextEdit");
    FAPIC_ProxyPassword_TextEdit->setEchoMode(QLineEdit::Password);
    auto* userLabel = new QLabel(tr("Пользователь"), page);
    userLabel->setBuddy(FAPIC_ProxyUser_TextEdit);
    auto* passwordLabel = new QLabel(tr("Пароль"), page);
    passwordLabel->setBuddy(FAPIC_ProxyPassword_TextEdit);
    authGrid->addWidget(userLabel, 0, 0);
    authGrid->addWidget(FAPIC_ProxyUser_TextEdit, 0, 1);
    authGrid->addWidget(passwordLabel, 1, 0);
    authGrid->addWidget(FAPIC_ProxyPassword_TextEdit, 1, 1);
    authGrid->setColumnStretch(1, 1);
    layout->addLayout(authGrid);
    FAPIC_RequestPassword_CheckBox =
        NewCheckBox(page, "APIC_RequestPassword_CheckBox", tr("&Запросить пароль при подключении"));
    FAPN_ShowNewsOnStart_CheckBox = NewCheckBox(
        page, "APN_ShowNewsOnStart_CheckBox",
        tr("&Показывать новости при запуске программы (требуется доступ к сети Интернет)"));
    layout->addWidget(FAPIC_RequestPassword_CheckBox);
    layout->addWidget(FAPN_ShowNewsOnStart_CheckBox);
    layout->addStretch(1);

    for (QCheckBox* box : {FAPIC_ICEnable_CheckBox, FAPIC_UsageProxy_CheckBox,
                           FAPIC_ProxyAuth_CheckBox, FAPIC_RequestPassword_CheckBox})
        connect(box, &QCheckBox::toggled, this, &TfrmSetup::ICCheckEditorsEnabled);
    return page;
}

// ---------------------------------------------------------------------------------- opening

void TfrmSetup::FormCreate() {
    FAppRestart = false;
    FAliasModifed = false;
    FPageControl->setCurrentIndex(0);
    FLocalCfg_PageControl->setCurrentIndex(0);

    const QList<QComboBox*> combos = {
        FAPUPID_ParamRebinding_ComboBox, FAPUPID_ChangeUPIDOnBaseParam_ComboBox,
        FAPUPID_ChangeUnitOnBaseParam_ComboBox, FAPACC_WriteOffAvailItemsInProject_ComboBox,
        FAPACC_MoveEmptyAvailToSpecStorage_ComboBox};
    for (QComboBox* box : combos)
        box->addItems({tr("Не выполнять"), tr("Спросить о необходимости"), tr("Автоматически")});

    const bool appReadOnly = dmMain && dmMain->AppDriveReadOnly();
    const bool connected = dmMain && dmMain->DBConnected();
    const bool dbReadOnly = dmMain && dmMain->CurrentDBReadOnly();

    // On a read-only program folder nothing would be kept: the stored options are shown but
    // cannot be changed. The view option and the network page stay editable.
    if (appReadOnly) {
        for (QWidget* w : std::initializer_list<QWidget*>{
                 FAPG_EnableLogo_CheckBox, FAPG_EnableLogin_CheckBox, FAPG_AutoConnect_CheckBox,
                 FALC_EnableForAllDB_CheckBox, FAPED_EnableReadOnlyMode_CheckBox,
                 FAPED_BaseLevelItemModifed_CheckBox, FAPED_NotSelfItemModifed_CheckBox,
                 FAPVD_EnableForcedSelectStorageForElementAvail_CheckBox,
                 FAPVD_ForcedHideImage_CheckBox, FAP_VisualConfirm_CheckBox})
            w->setEnabled(false);
        for (QComboBox* box : combos)
            box->setEnabled(false);
    }
    // Kept as it is read: the program does not connect by itself.
    FAPG_AutoConnect_CheckBox->setEnabled(false);

    FAPG_EnableLogo_CheckBox->setChecked(Logo);
    FAPG_EnableLogin_CheckBox->setChecked(AutoLogin);
    FAPG_AutoConnect_CheckBox->setChecked(AutoConnect);
    FAP_VisualConfirm_CheckBox->setChecked(VisualConfirm);
    FAPED_EnableReadOnlyMode_CheckBox->setChecked(ReadOnly);
    FAPED_BaseLevelItemModifed_CheckBox->setChecked(BLIMod);
    FAPED_NotSelfItemModifed_CheckBox->setChecked(NSIMod);
    FAPVD_EnableForcedSelectStorageForElementAvail_CheckBox->setChecked(SelectStorage);
    FAPVD_ForcedHideImage_CheckBox->setChecked(HideImage);
    FAPVD_ViewCountItems_CheckBox->setChecked(ViewCountItems);
    SetComboValue(FAPUPID_ParamRebinding_ComboBox, ParamRebinding);
    SetComboValue(FAPUPID_ChangeUPIDOnBaseParam_ComboBox, ChangeUPIDOnBaseParam);
    SetComboValue(FAPUPID_ChangeUnitOnBaseParam_ComboBox, ChangeUnitOnBaseParam);
    SetComboValue(FAPACC_WriteOffAvailItemsInProject_ComboBox, WriteOffAvailItemsInProject);
    SetComboValue(FAPACC_MoveEmptyAvailToSpecStorage_ComboBox, MoveEmptyAvailToSpecStorage);
    {
        // The reset button and the storage editor are set below, after the data are known.
        const QSignalBlocker block(FALC_EnableForAllDB_CheckBox);
        FALC_EnableForAllDB_CheckBox->setChecked(LocalConfig);
    }
    {
        // One run of the network rule after all its boxes are set.
        const QSignalBlocker b1(FAPIC_ICEnable_CheckBox);
        const QSignalBlocker b2(FAPIC_UsageProxy_CheckBox);
        const QSignalBlocker b3(FAPIC_ProxyAuth_CheckBox);
        const QSignalBlocker b4(FAPIC_RequestPassword_CheckBox);
        FAPIC_ICEnable_CheckBox->setChecked(ICEnable);
        FAPIC_UsageProxy_CheckBox->setChecked(UsageProxy);
        FAPIC_ProxyAuth_CheckBox->setChecked(ProxyAuth);
        FAPIC_RequestPassword_CheckBox->setChecked(RequestPassword);
    }
    FAPIC_Proxy_TextEdit->setText(Proxy);
    FAPIC_ProxyPort_SpinEdit->setValue(ProxyPort);
    FAPIC_ProxyUser_TextEdit->setText(ProxyUser);
    FAPIC_ProxyPassword_TextEdit->setText(ProxyPassword);
    FAPN_ShowNewsOnStart_CheckBox->setChecked(ShowNews);
    ICCheckEditorsEnabled();

    FtmpStorageForEmptyId = 0;
    if (dmMain && dmMain->StorageForEmptyId() != 0) {
        FtmpStorageForEmptyId = dmMain->StorageForEmptyId();
        FStorageForEmpty_ButtonEdit->setText(dmMain->StorageForEmptyName());
    }

    if (dmMain) {
        TKVDataBase& db = dmMain->DataBase();
        if (!db.AliasEmpty())
            for (db.AliasFirst(); !db.AliasEof(); db.AliasNext()) {
                TKVDataBaseAlias alias;
                if (db.AliasGetRecord(alias))
                    AddAliasRow(alias.Name, alias.FileName);
            }
    }

    FAddFunct_LocalCfg_Panel->setVisible(connected);
    FDBDescription_TextEdit->setText(dmMain ? dmMain->CurrentDBDescription() : QString());
    FDBDescription_TextEdit->setEnabled(connected && !dbReadOnly && !ReadOnly);
    UpdateLocalConfigButtons();
    FAddAlias_Button->setEnabled(!appReadOnly);
}

void TfrmSetup::showEvent(QShowEvent* AEvent) {
    TKVDialog::showEvent(AEvent);
    if (FShown)
        return;
    FShown = true;
    // After the dialog is on the screen: the warning is a modal box of its own.
    QTimer::singleShot(0, this, &TfrmSetup::FormShow);
}

void TfrmSetup::FormShow() {
    if (dmMain && dmMain->AppDriveReadOnly())
        ShowMessageDlg(tr("Настройки программы не могут быть изменены"), mdkWarning, mdbOK, 0);
}

// ---------------------------------------------------------------------------------- editors

void TfrmSetup::UpdateLocalConfigButtons() {
    const bool box = FALC_EnableForAllDB_CheckBox->isChecked();
    // The reset needs what the data module needs for it: an open writable database and the
    // local configuration in force; the box can switch it off, not on.
    const bool resettable = dmMain && dmMain->CanWriteDataBase() && LocalConfig;
    FClearLocalCfg_Button->setEnabled(box && resettable);
    FStorageForEmpty_ButtonEdit->setEnabled(box);
}

void TfrmSetup::ICCheckEditorsEnabled() {
    const QList<QWidget*> all = {FAPIC_UsageProxy_CheckBox,      FAPIC_ProxyAuth_CheckBox,
                                 FAPIC_RequestPassword_CheckBox, FAPN_ShowNewsOnStart_CheckBox,
                                 FAPIC_Proxy_TextEdit,           FAPIC_ProxyPort_SpinEdit,
                                 FAPIC_ProxyUser_TextEdit,       FAPIC_ProxyPassword_TextEdit};
    if (!FAPIC_ICEnable_CheckBox->isChecked()) {
        for (QWidget* w : all)
            w->setEnabled(false);
        return;
    }
    FAPIC_UsageProxy_CheckBox->setEnabled(true);
    if (!FAPIC_UsageProxy_CheckBox->isChecked()) {
        for (QWidget* w : {static_cast<QWidget*>(FAPIC_Proxy_TextEdit),
                           static_cast<QWidget*>(FAPIC_ProxyPort_SpinEdit),
                           static_cast<QWidget*>(FAPIC_ProxyUser_TextEdit),
                           static_cast<QWidget*>(FAPIC_ProxyPassword_TextEdit),
                           static_cast<QWidget*>(FAPIC_ProxyAuth_CheckBox),
                           static_cast<QWidget*>(FAPIC_RequestPassword_CheckBox)})
            w->setEnabled(false);
    } else {
        FAPIC_Proxy_TextEdit->setEnabled(true);
        FAPIC_ProxyPort_SpinEdit->setEnabled(true);
        FAPIC_ProxyAuth_CheckBox->setEnabled(true);
        if (!FAPIC_ProxyAuth_CheckBox->isChecked()) {
            FAPIC_ProxyUser_TextEdit->setEnabled(false);
            FAPIC_ProxyPassword_TextEdit->setEnabled(false);
            FAPIC_RequestPassword_CheckBox->setEnabled(false);
        } else {
            FAPIC_ProxyUser_TextEdit->setEnabled(true);
            FAPIC_RequestPassword_CheckBox->setEnabled(true);
            FAPIC_ProxyPassword_TextEdit->setEnabled(!FAPIC_RequestPassword_CheckBox->isChecked());
        }
    }
    FAPN_ShowNewsOnStart_CheckBox->setEnabled(true);
}

bool TfrmSetup::eventFilter(QObject* AObject, QEvent* AEvent) {
    // In the storage editor Enter picks a place and Del clears it.
    if (AObject == FStorageForEmpty_ButtonEdit->LineEdit() && AEvent->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(AEvent)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            StorageForEmpty_ButtonEditButtonClick();
            return true;
        }
        if (key == Qt::Key_Delete) {
            StorageForEmpty_Clear();
            return true;
        }
    }
    return TKVDialog::eventFilter(AObject, AEvent);
}

void TfrmSetup::StorageForEmpty_ButtonEditButtonClick() {
    if (!FStorageForEmpty_ButtonEdit->isEnabled())
        return;
    const TKVSelectedLocalItemDBData selected = SetupSelectStorage(FtmpStorageForEmptyId, 0);
    if (!selected.Select)
        return;
    FtmpStorageForEmptyId = selected.Id;
    FStorageForEmpty_ButtonEdit->setText(selected.Name);
}

void TfrmSetup::StorageForEmpty_Clear() {
    if (!FStorageForEmpty_ButtonEdit->isEnabled())
        return;
    FtmpStorageForEmptyId = 0;
    FStorageForEmpty_ButtonEdit->setText(QString());
}

void TfrmSetup::ClearLocalCfg_ButtonClick() {
    if (!FClearLocalCfg_Button->isEnabled() || !dmMain)
        return;
    if (ShowMessageDlg(tr("Сбросить все настройки для справочников и карточек?"), mdkConfirmation,
                       mdbYes | mdbNo, 0) != mrYes)
        return;
    dmMain->ClearLocalCfg();
}

// ------------------------------------------------------------------------------------ aliases

void TfrmSetup::AddAliasRow(const QString& AName, const QString& AFileName) {
    new QTreeWidgetItem(FAlias_ListView, QStringList{AName, AFileName});
}

void TfrmSetup::Alias_ListViewSelectionChange() {
    const bool selected = !FAlias_ListView->selectedItems().isEmpty();
    const bool writable = !(dmMain && dmMain->AppDriveReadOnly());
    FEditAlias_Button->setEnabled(selected && writable);
    FDeleteAlias_Button->setEnabled(selected && writable);
}

void TfrmSetup::AddAlias_ButtonClick() {
    if (ShowAliasEditDlg(QStringLiteral("NewAlias"), QString()) != mrOk)
        return;
    AddAliasRow(AliasEditName, AliasEditFileName);
    FAliasModifed = true;
}

void TfrmSetup::EditAlias_ButtonClick() {
    const QList<QTreeWidgetItem*> selected = FAlias_ListView->selectedItems();
    if (selected.isEmpty())
        return;
    QTreeWidgetItem* item = selected.first();
    if (ShowAliasEditDlg(item->text(0), item->text(1)) != mrOk)
        return;
    item->setText(0, AliasEditName);
    item->setText(1, AliasEditFileName);
    FAliasModifed = true;
}

void TfrmSetup::DeleteAlias_ButtonClick() {
    const QList<QTreeWidgetItem*> selected = FAlias_ListView->selectedItems();
    if (selected.isEmpty())
        return;
    if (ShowMessageDlg(tr("Удалить учетную запись?"), mdkConfirmation, mdbYes | mdbNo, 0) != mrYes)
        return;
    delete selected.first();
    FAlias_ListView->clearSelection();
    FEditAlias_Button->setEnabled(false);
    FDeleteAlias_Button->setEnabled(false);
    FAliasModifed = true;
}

// ------------------------------------------------------------------------------------ closing

void TfrmSetup::done(int AResult) {
    if (AResult == mrOk && dmMain && !dmMain->AppDriveReadOnly())
        StoreSettings();
    TKVDialog::done(AResult);
}

void TfrmSetup::StoreSettings() {
    Logo = FAPG_EnableLogo_CheckBox->isChecked();
    AutoLogin = FAPG_EnableLogin_CheckBox->isChecked();
    AutoConnect = FAPG_AutoConnect_CheckBox->isChecked();
    VisualConfirm = FAP_VisualConfirm_CheckBox->isChecked();
    ReadOnlyToSave = FAPED_EnableReadOnlyMode_CheckBox->isChecked();
    FAppRestart = ReadOnlyToSave != ReadOnly;
    BLIMod = FAPED_BaseLevelItemModifed_CheckBox->isChecked();
    NSIMod = FAPED_NotSelfItemModifed_CheckBox->isChecked();
    SelectStorage = FAPVD_EnableForcedSelectStorageForElementAvail_CheckBox->isChecked();
    HideImage = FAPVD_ForcedHideImage_CheckBox->isChecked();
    ViewCountItems = FAPVD_ViewCountItems_CheckBox->isChecked();
    ParamRebinding = ComboValue(FAPUPID_ParamRebinding_ComboBox);
    ChangeUPIDOnBaseParam = ComboValue(FAPUPID_ChangeUPIDOnBaseParam_ComboBox);
    ChangeUnitOnBaseParam = ComboValue(FAPUPID_ChangeUnitOnBaseParam_ComboBox);
    WriteOffAvailItemsInProject = ComboValue(FAPACC_WriteOffAvailItemsInProject_ComboBox);
    MoveEmptyAvailToSpecStorage = ComboValue(FAPACC_MoveEmptyAvailToSpecStorage_ComboBox);
    LocalConfig = FALC_EnableForAllDB_CheckBox->isChecked();

    ICEnable = FAPIC_ICEnable_CheckBox->isChecked();
    UsageProxy = FAPIC_UsageProxy_CheckBox->isChecked();
    Proxy = FAPIC_Proxy_TextEdit->text();
    ProxyPort = static_cast<quint16>(FAPIC_ProxyPort_SpinEdit->value());
    ProxyAuth = FAPIC_ProxyAuth_CheckBox->isChecked();
    ProxyUser = FAPIC_ProxyUser_TextEdit->text();
    ProxyPassword = FAPIC_ProxyPassword_TextEdit->text();
    RequestPassword = FAPIC_RequestPassword_CheckBox->isChecked();
    ShowNews = FAPN_ShowNewsOnStart_CheckBox->isChecked();

    if (FAliasModifed) {
        TKVDataBase& db = dmMain->DataBase();
        db.AliasClear();
        for (int i = 0; i < FAlias_ListView->topLevelItemCount(); ++i) {
            const QTreeWidgetItem* item = FAlias_ListView->topLevelItem(i);
            db.AddAlias(KVName(item->text(0)), item->text(1));
        }
    }

    // The settings kept in the database exist only while one is open.
    if (dmMain->DBConnected()) {
        if (FDBDescription_TextEdit->text() != dmMain->CurrentDBDescription())
            dmMain->SetDBDescription(FDBDescription_TextEdit->text());
        if (FtmpStorageForEmptyId != dmMain->StorageForEmptyId())
            dmMain->SaveStorageForEmpty(FtmpStorageForEmptyId, FStorageForEmpty_ButtonEdit->text());
    }

    if (FAppRestart)
        ShowMessageDlg(tr("Для вступления в силу настроек требуется перезапуск программы"),
                       mdkWarning, mdbOK, 0);
}

// ------------------------------------------------------------------------------------ openers

int ShowSetupDlg() {
    if (gSetupDlg) {
        gSetupDlg->raise();
        gSetupDlg->activateWindow();
        return mrCancel;
    }
    TfrmSetup dlg(TKVDialog::OwnerWindow());
    gSetupDlg = &dlg;
    return dlg.exec();
}

TfrmSetup* SetupDlg() {
    return gSetupDlg;
}
