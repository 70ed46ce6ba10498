// The stock list's commands that change stock data in place: the quick count change, the bulk
// move of empty records and adding a record to a project (TKVStockOperations does the writing).

#include "stock/_frmElementAvail.h"

#include "core/udmMain.h"
#include "shell/uMessage.h"
#include "shell/ufrmMain.h"
#include "stock/KVStockDialogs.h"
#include "stock/KVStockOperations.h"
#include "stock/frmElementAvail.h"
#include "stock/frmProject.h"

#include <QAction>
#include <QMenu>

void T_frmElementAvail::AddStockOperations(QMenu* AMenu) {
    AddRecordCommand(AMenu, {"pmiChangeCount", tr("&Количество..."), 92, QKeySequence(Qt::Key_Insert),
                             [this] { ChangeCount(); }, "ChangeCount_ToolButton", tr("Кол-во"),
                             tr("Изменить количество"), true});
    AddRecordCommand(AMenu, {"pmiAddToProject", tr("&Добавить в состав проекта..."), 20,
                             QKeySequence(Qt::CTRL | Qt::ALT | Qt::Key_J),
                             [this] { AddToProject(); }, nullptr, QString(), QString(), true});
    QMenu* functions = AddFunctionsMenu(AMenu);
    QAction* move = functions->addAction(tr("Переместить все пустые записи в спец. место хран."));
    move->setObjectName(QStringLiteral("pmiAddFunct_MoveEmpty"));
    move->setEnabled(Writable());
    connect(move, &QAction::triggered, this, [this] { pmiAddFunct_MoveEmptyClick(); });
}

void T_frmElementAvail::ChangeCount() {
    const TKVSelectedItemDBData& selected = SelectedItemDBData();
    if (!selected.Select || !ActionState() || !Connected() || !List())
        return;
    TKVElementAvail* record = List()->GetItemByPKey(selected.Id);
    if (!record)
        return;
    double count = record->Count();
    if (ShowChangeCountDlg(count, tr("Количество элементов"), record->UnitPrefixCount()) != mrOk)
        return;
    const bool move = TKVStockOperations::MoveWanted(count, record->StorageId()) &&
                      TKVStockOperations::ConfirmMove();
    const quint32 id = record->Id();
    if (!TKVStockOperations::SaveCount(*record, count, move))
        return;
    // Every open stock window shows the new count (a window of the old place drops a moved
    // record).
    RefreshElementAvailInRB(id);
}

quint32 T_frmElementAvail::MoveEmptyToSpecStorage() {
    const quint32 moved = TKVStockOperations::MoveEmptyToSpecStorage();
    if (moved > 0)
        RefreshAllElementAvailRB();
    return moved;
}

void T_frmElementAvail::pmiAddFunct_MoveEmptyClick() {
    const quint32 moved = MoveEmptyToSpecStorage();
    if (moved == 0)
        ShowMessageDlg(tr("Записи не были обновлены"), mdkWarning, mdbOK);
    else
        ShowMessageDlg(tr("Обновлено записей: %1").arg(moved), mdkInformation, mdbOK);
}

void T_frmElementAvail::AddToProject() {
    if (!ActionState() || !Connected())
        return;
    TKVSelectedLocalItemDBData project;
    SelectProject(0, project);
    if (!project.Select)
        return;
    const TKVElementAvail* record = SelectedRecord();
    if (!record)
        return;
    double quantity = 1;
    if (ShowChangeCountDlg(quantity, tr("Количество элементов"), record->UnitPrefixCount()) != mrOk)
        return;
    if (quantity <= 0) {
        ShowMessageDlg(tr("Недопустимая операция"), mdkError, mdbOK);
        return;
    }
    // The reserved count of the record changes with the project's items.
    if (TKVStockOperations::AddToProject(project.Id, *record, quantity))
        RefreshElementAvailInRB(record->Id());
}

void T_frmElementAvail::RefreshElementAvailInRB(quint32 AElementAvailId) {
    if (!frmMain)
        return;
    for (TfrmElementAvail* host : frmMain->FindMDIChildren<TfrmElementAvail>())
        host->BookFrame()->ExternalUpdateItemListByPKey(AElementAvailId, iatChange);
}

void T_frmElementAvail::RefreshAllElementAvailRB() {
    if (!frmMain)
        return;
    for (TfrmElementAvail* host : frmMain->FindMDIChildren<TfrmElementAvail>())
        host->BookFrame()->RefreshData();
}
