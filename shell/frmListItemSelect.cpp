#include "shell/frmListItemSelect.h"

#include "shell/KVDialog.h"
#include "shell/frmOkCancel.h"
#include "shell/uMessage.h"

#include <QListWidget>
#include <QPushButton>
#include <QRegularExpression>
#include <QVBoxLayout>

int SelectedListItemIndex = -1;
QString SelectedListItemText;

TfrmListItemSelect::TfrmListItemSelect(const QString& ACaption, const QStringList& ALines,
                                       int AItemIndex, bool AMustSelect, QWidget* AParent)
    : QDialog(AParent, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                           Qt::WindowCloseButtonHint),
      FCompSelect(AMustSelect) {
    setObjectName(QStringLiteral("frmListItemSelect"));
    setWindowTitle(ACaption);

    FListItems_ListBox = new QListWidget(this);
    FListItems_ListBox->setObjectName(QStringLiteral("ListItems_ListBox"));
    FListItems_ListBox->setSelectionMode(QAbstractItemView::SingleSelection);
    FListItems_ListBox->addItems(ALines);
    if (AItemIndex >= 0 && AItemIndex < FListItems_ListBox->count())
        FListItems_ListBox->setCurrentRow(AItemIndex);

    F_frmOkCancel1 = new T_frmOkCancel(this);
    // Enter on "Отмена" accepts as everywhere else in the dialog.
    F_frmOkCancel1->CancelBtn()->setAutoDefault(false);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(FListItems_ListBox, 1);
    layout->addWidget(F_frmOkCancel1);
    resize(305, 233);
    setMinimumSize(minimumSizeHint().expandedTo(QSize(305, 233)));
    FListItems_ListBox->setFocus();

    connect(FListItems_ListBox, &QListWidget::itemDoubleClicked, this, &QDialog::accept);
}

void TfrmListItemSelect::done(int AResult) {
    if (AResult == mrOk) {
        const QList<QListWidgetItem*> selected = FListItems_ListBox->selectedItems();
        SelectedListItemIndex = selected.isEmpty() ? -1 : FListItems_ListBox->row(selected.first());
        if (SelectedListItemIndex >= 0)
            SelectedListItemText = selected.first()->text();
        else if (FCompSelect)
            return;
    }
    QDialog::done(AResult);
}

void TfrmListItemSelect::reject() {
    done(mrCancel);
}

void TfrmListItemSelect::showEvent(QShowEvent* AEvent) {
    QDialog::showEvent(AEvent);
    TKVDialog::CenterOnScreen(this);
}

int SelectListItemFromStrings(const QString& ACaption, const QStringList* AStrings, int AItemIndex,
                              bool AMustSelect) {
    TfrmListItemSelect dlg(ACaption, AStrings ? *AStrings : QStringList(), AItemIndex, AMustSelect,
                           TKVDialog::OwnerWindow());
    return dlg.exec();
}

int SelectListItem(const QString& ACaption, const QString& AText, int AItemIndex,
                   bool AMustSelect) {
    static const QRegularExpression lineBreak(QStringLiteral("\r\n|\r|\n"));
    QStringList lines;
    if (!AText.isEmpty()) {
        lines = AText.split(lineBreak);
        if (lines.last().isEmpty())
            lines.removeLast();
    }
    return SelectListItemFromStrings(ACaption, &lines, AItemIndex, AMustSelect);
}
