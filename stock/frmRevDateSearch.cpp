#include "stock/frmRevDateSearch.h"

#include "core/KVCommon.h"
#include "refbooks/frmStorage.h"
#include "shell/KVButtonEdit.h"
#include "shell/frmOkCancel.h"
#include "shell/uMessage.h"
#include "stock/frmElementAvail.h"

#include <QDateEdit>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

TKVRevDateSearchCriteria RevDateSearchCriteria;

namespace {
// The least date of the editors stands for no date and shows as an empty field.
const QDate kNoDate(1900, 1, 1);
} // namespace

TfrmRevDateSearch::TfrmRevDateSearch(QWidget* AParent)
    : TKVDialog(QStringLiteral("ElementAvailRevDateSearch"), QStringLiteral("PopupMenu"),
                AParent ? AParent : TKVDialog::OwnerWindow()) {
    setObjectName(QStringLiteral("frmRevDateSearch"));
    setWindowFlags(windowFlags() | Qt::WindowMinMaxButtonsHint);
    setWindowTitle(tr("Поиск элементов в наличии по дате ревизии"));

    FStorageEdit = new TKVButtonEdit(this);
    FStorageEdit->setObjectName(QStringLiteral("Storage_ButtonEdit"));
    FStorageEdit->LineEdit()->setReadOnly(true);
    FStorageEdit->LineEdit()->installEventFilter(this);
    FBeginEdit = NewDateEdit("RevDateBegin_DateEdit");
    FEndEdit = NewDateEdit("RevDateEnd_DateEdit");
    FNoteLabel = new QLabel(tr("Одна из дат может не указыватся"), this);
    FOkCancel = new T_frmOkCancel(this);
    FOkCancel->OkBtn()->setText(tr("Поиск"));

    auto* dates = new QHBoxLayout;
    dates->addWidget(FBeginEdit, 1);
    dates->addWidget(new QLabel(tr("по"), this));
    dates->addWidget(FEndEdit, 1);
    auto* form = new QFormLayout;
    form->addRow(tr("Место хранения"), FStorageEdit);
    form->addRow(tr("Дата ревизии, с"), dates);
    form->addRow(QString(), FNoteLabel);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(8, 8, 8, 8);
    layout->addLayout(form);
    layout->addStretch(1);
    layout->addWidget(FOkCancel);
    resize(353, 137);
    CenterOnScreen(this);

    connect(FStorageEdit, &TKVButtonEdit::ButtonClick, this,
            &TfrmRevDateSearch::StorageButtonClick);
    FBeginEdit->setFocus();
}

QDateEdit* TfrmRevDateSearch::NewDateEdit(const char* AName) {
    auto* editor = new QDateEdit(this);
    editor->setObjectName(QLatin1String(AName));
    editor->setCalendarPopup(true);
    editor->setMinimumDate(kNoDate);
    editor->setSpecialValueText(QStringLiteral(" "));
    editor->setDate(kNoDate);
    editor->installEventFilter(this);
    return editor;
}

TDateTime TfrmRevDateSearch::EditorDate(const QDateEdit* AEditor) {
    if (AEditor->date() <= kNoDate)
        return KVRevDateNotGiven;
    return DateTimeFromQDateTime(QDateTime(AEditor->date(), QTime(0, 0)));
}

void TfrmRevDateSearch::ClearDate(QDateEdit* AEditor) {
    AEditor->setDate(kNoDate);
}

void TfrmRevDateSearch::StorageButtonClick() {
    TKVSelectedLocalItemDBData selected;
    TfrmSelectStorage::SelectStorage(0, 0, selected);
    if (!selected.Select)
        return;
    FStorageId = selected.Id;
    FStorageEdit->setText(selected.Name);
}

TKVRevDateSearchCriteria TfrmRevDateSearch::Criteria() const {
    return {EditorDate(FBeginEdit), EditorDate(FEndEdit), FStorageId};
}

void TfrmRevDateSearch::done(int AResult) {
    if (AResult == mrOk && FBeginEdit->date() <= kNoDate && FEndEdit->date() <= kNoDate) {
        FBeginEdit->setFocus();
        return;
    }
    TKVDialog::done(AResult);
}

bool TfrmRevDateSearch::eventFilter(QObject* AObject, QEvent* AEvent) {
    if (AEvent->type() == QEvent::KeyPress &&
        static_cast<QKeyEvent*>(AEvent)->key() == Qt::Key_Delete) {
        if (AObject == FStorageEdit->LineEdit()) {
            FStorageId = 0;
            FStorageEdit->setText(QString());
            return true;
        }
        // Del empties a date field.
        if (AObject == FBeginEdit || AObject == FEndEdit) {
            ClearDate(static_cast<QDateEdit*>(AObject));
            return true;
        }
    }
    return TKVDialog::eventFilter(AObject, AEvent);
}

int ShowRevDateSearchDlg() {
    TfrmRevDateSearch dialog;
    const int result = dialog.exec();
    if (result == mrOk) {
        RevDateSearchCriteria = dialog.Criteria();
        RunRevDateSearch();
    }
    return result;
}

void RunRevDateSearch() {
    OpenRBElementAvailOnRevDate(RevDateSearchCriteria.RevDateBegin,
                                RevDateSearchCriteria.RevDateEnd, RevDateSearchCriteria.StorageId);
}
