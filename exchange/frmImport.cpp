#include "exchange/frmImport.h"

#include "core/udmMain.h"
#include "exchange/KVPackageFile.h"
#include "exchange/KVPackageImport.h"
#include "exchange/frmPackageInfo.h"
#include "resources/KVResources.h"
#include "shell/KVFileDialog.h"
#include "shell/KVWidgets.h"
#include "shell/uMessage.h"

#include <QAction>
#include <QFileInfo>
#include <QLabel>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>

namespace {
// Pictures of the main tool images.
constexpr int kOpenImage = 36;
constexpr int kInfoImage = 35;
constexpr int kImportImage = 4;
} // namespace

TfrmImport::TfrmImport(QWidget* AParent)
    : TKVExchangeDialog(QStringLiteral("ImportData"), QStringLiteral("Import_PopupMenu"),
                        QStringLiteral("ImportLog_Memo"), QStringLiteral("Import_Label"),
                        QStringLiteral("Import_ProgressBar"), AParent) {
    setObjectName(QStringLiteral("frmImport"));
    setWindowTitle(tr("Импорт данных"));
    SetMainWidget(LogMemo());

    FOpen_Button =
        AddButton("Open_Button", tr("&Открыть"), tr("Выбрать пакет для импорта"), kOpenImage);
    FPackageInfo_Button = AddButton("PackageInfo_Button", tr("&Инфо о пак."),
                                    tr("Получить информацию о пакете"), kInfoImage);
    FSaveLog_Button = AddButton("SaveLog_Button", tr("&Сохран. журнал"), tr("Сохранить журнал"));
    FImport_Button =
        AddButton("Import_Button", tr("&Импорт"), tr("Импортировать данные"), kImportImage);
    FImport_Button->setDefault(true);

    auto* modeMenu = new QMenu(this);
    modeMenu->setObjectName(QStringLiteral("ImportMode_PopupMenu"));
    FpmiTestImport = AddMenuItem(modeMenu, "pmiTestImport", tr("&Тестовый импорт"));
    FpmiImport = AddMenuItem(modeMenu, "pmiImport", tr("&Импорт"));
    FImport_Button->setMenu(modeMenu);
    connect(FpmiTestImport, &QAction::triggered, this, [this] { Import(true); });
    connect(FpmiImport, &QAction::triggered, this, [this] { Import(false); });

    connect(FOpen_Button, &QPushButton::clicked, this, &TfrmImport::Open_ButtonClick);
    connect(FPackageInfo_Button, &QPushButton::clicked, this, &TfrmImport::PackageInfo_ButtonClick);
    connect(FSaveLog_Button, &QPushButton::clicked, this, &TfrmImport::SaveLog_ButtonClick);

    FPackageInfo_Button->setEnabled(false);
    FImport_Button->setEnabled(false);
    FSaveLog_Button->setEnabled(false);
    setMinimumSize(minimumSizeHint().expandedTo(QSize(713, 249)));
    resize(minimumSize());
}

TfrmImport::~TfrmImport() = default;

void TfrmImport::SetCurrentPackageFile(const QString& AFileName) {
    FCurrentPackageFile = AFileName;
    StatusLabel()->setText(AFileName);
    FPackageInfo_Button->setEnabled(!AFileName.isEmpty());
    FImport_Button->setEnabled(!AFileName.isEmpty());
}

void TfrmImport::Open_ButtonClick() {
    QString fileName;
    if (KVOpenFileDialog(this, tr("Открыть пакет данных"),
                         QStringLiteral("Korvant Package (*.fdb)"),
                         dmMain ? dmMain->AppFolder() : QString(), fileName))
        SetCurrentPackageFile(fileName);
}

TKVPackageInfo TfrmImport::ReadPackageInfo() {
    TWaitCursor wait;
    return ::ReadPackageInfo(dmMain->ExchangeIBDatabase, dmMain->ExchangeIBTransaction,
                             FCurrentPackageFile, dmMain->CurrentUser(), *this);
}

void TfrmImport::PackageInfo_ButtonClick() {
    if (!dmMain || FCurrentPackageFile.isEmpty() || !QFileInfo::exists(FCurrentPackageFile))
        return;
    const TKVPackageInfo info = ReadPackageInfo();
    if (info.piErrorCode == pecNone)
        ShowPackageInfoDlg(info);
    else
        ShowMessageDlg(PackageErrorText(info.piErrorCode, info.piDBMajorVersion,
                                        info.piDBMinorVersion, info.piDBBuildVersion),
                       mdkError, mdbOK, 0);
}

bool TfrmImport::ImportData(bool ATestImport) {
    ClearLog();
    if (!dmMain)
        return false;
    TWaitCursor wait;
    TKVPackageImporter importer(*dmMain, *this);
    const bool result = importer.ImportData(FCurrentPackageFile, ATestImport);
    if (importer.ImportPackageTime() != 0)
        FImportPackageTime = importer.ImportPackageTime();
    return result;
}

void TfrmImport::Import(bool ATestImport) {
    if (FCurrentPackageFile.isEmpty() || !QFileInfo::exists(FCurrentPackageFile))
        return;
    const bool result = ImportData(ATestImport);
    SetCurrentPackageFile(QString());
    FSaveLog_Button->setEnabled(true);
    if (result)
        ShowMessageDlg(tr("Импорт данных завершен успешно"), mdkInformation, mdbOK, 0);
    else
        ShowMessageDlg(tr("Импорт данных завершен с ошибками"), mdkError, mdbOK, 0);
}

void TfrmImport::SaveLog_ButtonClick() {
    SaveLog(ProposedImportLogFileName(FImportPackageTime));
}

int ShowImportDlg() {
    TfrmImport dlg(TKVDialog::OwnerWindow());
    dlg.setWindowIcon(ResourceIcon(2030));
    TKVDialog::CenterOnScreen(&dlg);
    return dlg.exec();
}
