#include "exchange/frmImportProjectItem.h"

#include "exchange/KVWorkbookTemplate.h"
#include "resources/KVResources.h"

#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QStackedWidget>

namespace {
// The picture of the import button among the main tool images.
constexpr int kImportImage = 90;
} // namespace

TfrmImportProjectItem::TfrmImportProjectItem(QWidget* AParent)
    : TKVWorkbookDialog({"frmImportProjectItem", "ImportProjectItem",
                         "ImportProjectItem_PopupMenu", "ImportProjectItemLog_Memo",
                         "ImportProjectItem_Label", "ImportProjectItem_ProgressBar",
                         "ImportProjectItem_SpreadSheetBook", "ImportProjectItemNotebook",
                         "ImportProjectItemMode_PopupMenu"},
                        AParent) {
    setWindowTitle(tr("Импорт состава проекта"));

    FSaveLog_Button = AddButton("SaveLog_Button", tr("&Сохран. журнал"), tr("Сохранить журнал"));
    FCreatePattern_Button = AddButton("CreatePattern_Button", tr("Со&здать шаблон"),
                                      tr("Создать шаблон для импорта"));
    FImportItem_Button = AddButton("ImportItem_Button", tr("&Импорт"),
                                   tr("&Импортировать текущий элемент"), kImportImage);
    FImportItem_Button->setDefault(true);
    // There is no import to run and so no log to save.
    FImportItem_Button->setEnabled(false);
    FSaveLog_Button->setEnabled(false);
    connect(FCreatePattern_Button, &QPushButton::clicked, this,
            &TfrmImportProjectItem::CreatePattern);

    // Nothing runs long here: the status line is not shown.
    StatusLabel()->hide();
    ProgressBar()->hide();
    ModeNotebook()->setMinimumSize(594, 240);
    SetMainWidget(ModeNotebook());

    setMinimumSize(minimumSizeHint().expandedTo(QSize(793, 321)));
    resize(minimumSize());
}

void TfrmImportProjectItem::CreatePattern() {
    CreateTemplate(MakeProjectItemTemplate);
}

int ShowImportProjectItemDlg(quint32 AProjectId) {
    if (AProjectId == 0)
        return 0;
    TfrmImportProjectItem dlg(TKVDialog::OwnerWindow());
    dlg.setWindowIcon(ResourceIcon(2033));
    TKVDialog::CenterOnScreen(&dlg);
    return dlg.exec();
}
