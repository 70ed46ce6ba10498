#include "stock/frmProject.h"

#include "shell/ufrmMain.h"

namespace {

constexpr quint32 kIcon = 2014;

} // namespace

TfrmProject::TfrmProject(QWidget* AParent)
    : TKVBookHost({QSize(492, 153), QSize(300, 180)}, AParent) {}

TfrmSelectProject::TfrmSelectProject(QWidget* AParent)
    : TKVBookSelectDialog({QSize(500, 180), QSize(300, 180)}, tr("Выбор проекта"), AParent) {}

TfrmProject* OpenRBProject(TKVProjectListSelectDataMode AListSelectDataMode) {
    return OpenListHost<TfrmProject>(
        kIcon, [&](T_frmProject& AFrame) { AFrame.Init(true, AListSelectDataMode); },
        [&](T_frmProject&) {
            return AListSelectDataMode == psdmArchive ? TfrmProject::tr("Архив проектов")
                                                      : TfrmProject::tr("Проекты в работе");
        });
}

void ShowProjects(TKVProjectListSelectDataMode AListSelectDataMode) {
    if (!frmMain || !frmMain->BringToFrontMDIChildren<TfrmProject>([&](const TfrmProject& AHost) {
            return AHost.ListSelectDataMode() == AListSelectDataMode;
        }))
        OpenRBProject(AListSelectDataMode);
}

void SelectProject(quint32 ASelectId, TKVSelectedLocalItemDBData& ASelected) {
    ASelected = LocalSelection(RunSelectDialog<TfrmSelectProject>(
        kIcon, 0, ASelectId, [](T_frmProject& AFrame) { AFrame.Init(false, psdmInProgress); }));
}
