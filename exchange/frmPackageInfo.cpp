#include "exchange/frmPackageInfo.h"

#include "exchange/KVPackageFile.h"
#include "shell/KVWidgets.h"

#include <QApplication>
#include <QClipboard>
#include <QListWidget>
#include <QPushButton>
#include <QTabWidget>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace {

// The picture of the copy button in the main tool images.
constexpr int kCopyImage = 32;

QTreeWidget* NewReportView(QWidget* AParent, const char* AName) {
    auto* view = new QTreeWidget(AParent);
    view->setObjectName(QLatin1String(AName));
    view->setColumnCount(2);
    view->setHeaderHidden(true);
    view->setRootIsDecorated(false);
    view->setEditTriggers(QAbstractItemView::NoEditTriggers);
    view->setSelectionBehavior(QAbstractItemView::SelectRows);
    view->setColumnWidth(0, 200);
    view->setColumnWidth(1, 240);
    return view;
}

void FillReportView(QTreeWidget* AView, const std::vector<TKVPackageInfoRow>& ARows) {
    AView->setUpdatesEnabled(false);
    AView->clear();
    for (const TKVPackageInfoRow& row : ARows)
        new QTreeWidgetItem(AView, QStringList{row.Caption, row.Value});
    AView->setUpdatesEnabled(true);
}

} // namespace

TfrmPackageInfo::TfrmPackageInfo(QWidget* AParent)
    : TKVDialog(QStringLiteral("PackageInfo"), QStringLiteral("PackageInfo_PopupMenu"), AParent) {
    setObjectName(QStringLiteral("frmPackageInfo"));
    setWindowTitle(tr("Информация о пакете обновления"));
    setWindowFlag(Qt::WindowMinMaxButtonsHint, true);

    FPageControl = new QTabWidget(this);
    FPageControl->setObjectName(QStringLiteral("PackageInfo_PageControl"));
    FPageControl->setMinimumSize(481, 258);
    const auto addPage = [this](QWidget* AContent, const QString& ACaption) {
        auto* page = new QWidget(FPageControl);
        auto* layout = new QVBoxLayout(page);
        layout->setContentsMargins(4, 4, 4, 4);
        AContent->setParent(page);
        layout->addWidget(AContent);
        FPageControl->addTab(page, ACaption);
    };
    FGeneralPackageInfo_ListView = NewReportView(this, "GeneralPackageInfo_ListView");
    addPage(FGeneralPackageInfo_ListView, tr("Общая информация"));
    FIncludePackageInfo_ListBox = new QListWidget(this);
    FIncludePackageInfo_ListBox->setObjectName(QStringLiteral("IncludePackageInfo_ListBox"));
    addPage(FIncludePackageInfo_ListBox, tr("Содержит обновления"));
    FRelationPackageInfo_ListBox = new QListWidget(this);
    FRelationPackageInfo_ListBox->setObjectName(QStringLiteral("RelationPackageInfo_ListBox"));
    addPage(FRelationPackageInfo_ListBox, tr("Требует обновлений"));
    FICPackageInfo_ListView = NewReportView(this, "ICPackageInfo_ListView");
    addPage(FICPackageInfo_ListView, tr("Состав"));

    const TKVInfoWindowButtons buttons =
        LayOutInfoWindow(this, FPageControl, MainToolIcon(kCopyImage));
    FCopyToClipboard_Btn = buttons.Copy;
    FOkBtn = buttons.Ok;
    connect(FCopyToClipboard_Btn, &QPushButton::clicked, this,
            &TfrmPackageInfo::CopyToClipboard_BtnClick);
    setMinimumSize(minimumSizeHint().expandedTo(QSize(497, 305)));
    resize(minimumSize());
}

void TfrmPackageInfo::LoadPackageInfo() {
    FillReportView(FGeneralPackageInfo_ListView, PackageGeneralRows(FPackageInfo));
    FIncludePackageInfo_ListBox->clear();
    FIncludePackageInfo_ListBox->addItems(PackageInfoLines(FPackageInfo.piIncludeInfo));
    FRelationPackageInfo_ListBox->clear();
    if (!FPackageInfo.piDBSysUpdate)
        FRelationPackageInfo_ListBox->addItems(PackageInfoLines(FPackageInfo.piRelationInfo));
    FillReportView(FICPackageInfo_ListView, PackageCompositionRows(FPackageInfo));
    FPageControl->setCurrentIndex(0);
}

void TfrmPackageInfo::CopyToClipboard_BtnClick() {
    QApplication::clipboard()->setText(PackageInfoClipboardText(FPackageInfo));
}

int ShowPackageInfoDlg(const TKVPackageInfo& APackageInfo) {
    TfrmPackageInfo dlg(TKVDialog::OwnerWindow());
    dlg.SetPackageInfo(APackageInfo);
    dlg.LoadPackageInfo();
    TKVDialog::CenterOnScreen(&dlg);
    return dlg.exec();
}
