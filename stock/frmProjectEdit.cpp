#include "stock/frmProjectEdit.h"

#include "core/udmMain.h"
#include "platform/ib/IBQuery.h"
#include "platform/sys/SysUtils.h"
#include "shell/KVButtonEdit.h"
#include "shell/frmUserListEdit.h"
#include "shell/uMessage.h"
#include "stock/KVProjectWriteOff.h"

#include <QComboBox>
#include <QCompleter>
#include <QDateEdit>
#include <QFile>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QSpinBox>
#include <QStringListModel>

namespace {

constexpr quint32 kIcon = 2114;
constexpr int kDescriptionLength = 2047;
const QString kCategoryFile = QStringLiteral("projcatdesc.txt");
// The date a date editor shows as empty.
const QDate kNoDate(1900, 1, 1);

TKVCardBook ProjectCardBook() {
    TKVCardBook book;
    book.Name = QStringLiteral("Project");
    book.KeyHasDBId = false;
    book.ItemType = itProject;
    book.NewRecordText = QStringLiteral("New Project");
    book.HelpTopic = QStringLiteral("CardProject");
    book.ClientSize = QSize(377, 420);
    book.SelectSQL = QStringLiteral(
        "SELECT FIRST 1 SKIP 0 S_NAME, S_DESCRIPTION, V_COUNTDEV_SCHEDULED, V_COUNTDEV_COMPLETE, "
        "S_CATEGORY, D_BEGIN, D_END, F_PROGRESS, ICONID, C_TIMESTAMP, U_TIMESTAMP FROM T_PROJECT "
        "WHERE ID = :VAR_ID;");
    book.UpdateSQL = QStringLiteral(
        "UPDATE T_PROJECT SET S_NAME = :VAR_S_NAME, S_DESCRIPTION = :VAR_S_DESCRIPTION, "
        "V_COUNTDEV_SCHEDULED = :VAR_V_COUNTDEV_SCHEDULED, V_COUNTDEV_COMPLETE = "
        ":VAR_V_COUNTDEV_COMPLETE, S_CATEGORY = :VAR_S_CATEGORY, D_BEGIN = :VAR_D_BEGIN, D_END = "
        ":VAR_D_END, F_PROGRESS = :VAR_F_PROGRESS, ICONID = :VAR_ICONID, V_FLAG = :VAR_V_FLAG, "
        "U_TIMESTAMP = :VAR_U_TIMESTAMP WHERE ID = :VAR_ID;");
    book.InsertSQL = QStringLiteral(
        "EXECUTE PROCEDURE INSERT_PROJECT (:I_S_NAME, :I_S_DESCRIPTION, :I_V_COUNTDEV_SCHEDULED, "
        ":I_V_COUNTDEV_COMPLETE, :I_S_CATEGORY, :I_D_BEGIN, :I_D_END, :I_F_PROGRESS, :I_ICONID, "
        ":I_V_FLAG, :I_C_TIMESTAMP);");
    return book;
}

TDateTime DateValue(const QDateEdit* AEditor) {
    return TfrmProjectEdit::DateEmpty(AEditor)
               ? 0
               : DateTimeFromQDateTime(QDateTime(AEditor->date(), QTime(0, 0)));
}

} // namespace

TfrmProjectEdit::TfrmProjectEdit(QWidget* AParent) : TKVBookCard(ProjectCardBook(), AParent) {
    FNameEdit = AddTextEditor("ProjectName_TextEdit", tr("Название"), KVNameLength, true);

    const auto spin = [this](const char* AName, const QString& ALabel) {
        auto* editor = new QSpinBox(this);
        editor->setObjectName(QLatin1String(AName));
        editor->setRange(0, 65535);
        connect(editor, &QSpinBox::valueChanged, this, &TfrmProjectEdit::TextEditPropertiesChange);
        editor->installEventFilter(this);
        AddEditorRow(ALabel, editor);
        return editor;
    };
    FScheduledSpin =
        spin("ProjectDeviceScheduledCount_SpinEdit", tr("Количество запланированных устройств"));
    FCompleteSpin = spin("ProjectDeviceCompleteCount_SpinEdit", tr("Количество созданных устройств"));

    FCategoryEdit = AddButtonTextEditor("ProjectCategory_MRUEdit", tr("Категория"),
                                        KVDescriptionLength, tr("Список категорий"));
    auto* completer = new QCompleter(new QStringListModel(this), this);
    completer->setCaseSensitivity(Qt::CaseInsensitive);
    FCategoryEdit->LineEdit()->setCompleter(completer);
    connect(FCategoryEdit, &TKVButtonEdit::ButtonClick, this,
            &TfrmProjectEdit::ProjectCategory_MRUEditPropertiesButtonClick);

    FIconBox = new QComboBox(this);
    FIconBox->setObjectName(QStringLiteral("ProjectIcon_ImageComboBox"));
    FIconBox->installEventFilter(this);
    connect(FIconBox, &QComboBox::currentIndexChanged, this, [this] {
        if (!FFilling)
            TextEditPropertiesChange();
    });
    AddEditorRow(tr("Иконка проекта"), FIconBox);

    FBeginEdit = NewDateEdit("ProjectBegin_DateEdit");
    AddEditorRow(tr("Дата реализации проекта с"), FBeginEdit);
    FEndEdit = NewDateEdit("ProjectEnd_DateEdit");
    AddEditorRow(tr("по"), FEndEdit);

    FProgressBox = new QComboBox(this);
    FProgressBox->setObjectName(QStringLiteral("ProjectProgress_ComboBox"));
    FProgressBox->addItems({tr("В работе"), tr("Архив")});
    FProgressBox->installEventFilter(this);
    connect(FProgressBox, &QComboBox::currentIndexChanged, this,
            &TfrmProjectEdit::TextEditPropertiesChange);
    AddEditorRow(tr("Статус"), FProgressBox);

    FDescMemo = AddMemoEditor("ProjectDesc_Memo", tr("Описание"), kDescriptionLength);
}

QDateEdit* TfrmProjectEdit::NewDateEdit(const char* AName) {
    auto* editor = new QDateEdit(this);
    editor->setObjectName(QLatin1String(AName));
    editor->setCalendarPopup(true);
    editor->setMinimumDate(kNoDate);
    // The least date stands for no date and shows as an empty editor (Del sets it).
    editor->setSpecialValueText(QStringLiteral(" "));
    editor->setDate(kNoDate);
    editor->installEventFilter(this);
    connect(editor, &QDateEdit::dateChanged, this, [this] {
        if (!FFilling)
            TextEditPropertiesChange();
    });
    return editor;
}

bool TfrmProjectEdit::DateEmpty(const QDateEdit* AEditor) {
    return AEditor->date() <= kNoDate;
}

void TfrmProjectEdit::ClearDate(QDateEdit* AEditor) {
    AEditor->setDate(kNoDate);
}

bool TfrmProjectEdit::Init(quint32 AId, bool ACreateCopyFlag) {
    FillCategoryList();
    FillIconCombo();
    return TKVBookCard::Init(0, AId, ACreateCopyFlag);
}

void TfrmProjectEdit::FillIconCombo() {
    FFilling = true;
    FIconBox->clear();
    if (dmMain) {
        const int count = dmMain->ProjectImgList.Count();
        for (int i = 0; i < count; ++i) {
            const QString desc = dmMain->ProjectIconDesc.value(i);
            FIconBox->addItem(dmMain->ProjectImgList.Icon(i),
                              desc.isEmpty() ? tr("Иконка %1").arg(i) : desc);
        }
    }
    FIconBox->setCurrentIndex(-1);
    FFilling = false;
}

void TfrmProjectEdit::FillCategoryList() {
    if (auto* model =
            qobject_cast<QStringListModel*>(FCategoryEdit->LineEdit()->completer()->model()))
        model->setStringList(dmMain ? dmMain->ProjectCategoryDesc : QStringList());
}

void TfrmProjectEdit::ProjectCategory_MRUEditPropertiesButtonClick() {
    if (ShowUserListEditDlg(kCategoryFile) == mrOk && dmMain &&
        QFile::exists(dmMain->AppFolder() + kCategoryFile))
        dmMain->ProjectCategoryDesc = TdmMain::ReadUserListFile(dmMain->AppFolder() + kCategoryFile);
    FillCategoryList();
}

// ------------------------------------------------------------------------- the record

void TfrmProjectEdit::BindFields(TIBQuery& AQuery, const QString& APrefix) const {
    const auto param = [&](const char* AColumn) -> TIBParam& {
        return AQuery.ParamByName(APrefix + QLatin1String(AColumn));
    };
    const TKVProject& row = *Row();
    param("S_NAME").SetAsString(row.Name());
    SetTextOrNull(param("S_DESCRIPTION"), row.Description());
    param("V_COUNTDEV_SCHEDULED").SetAsInteger(row.CountDeviceScheduled());
    param("V_COUNTDEV_COMPLETE").SetAsInteger(row.CountDeviceComplete());
    SetTextOrNull(param("S_CATEGORY"), row.Category());
    if (row.DateBegin() > 0 && row.DateEnd() > 0) {
        param("D_BEGIN").SetAsDateTime(row.DateBegin());
        param("D_END").SetAsDateTime(row.DateEnd());
    } else {
        param("D_BEGIN").Clear();
        param("D_END").Clear();
    }
    if (row.InProgress())
        param("F_PROGRESS").SetAsInteger(1);
    else
        param("F_PROGRESS").Clear();
    SetIconOrNull(param("ICONID"), row.IconId());
    param("V_FLAG").SetAsInteger(0);
}

void TfrmProjectEdit::FillEditors() {
    FFilling = true;
    const TKVProject& row = *Row();
    FNameEdit->setText(row.Name());
    FDescMemo->setPlainText(row.Description());
    FScheduledSpin->setValue(row.CountDeviceScheduled());
    FCompleteSpin->setValue(row.CountDeviceComplete());
    FCategoryEdit->setText(row.Category());
    FIconBox->setCurrentIndex(row.IconId() >= 0 && row.IconId() < FIconBox->count() ? row.IconId()
                                                                                   : -1);
    if (row.DateBegin() > 0 && row.DateEnd() > 0) {
        FBeginEdit->setDate(QDateTimeFromDateTime(row.DateBegin()).date());
        FEndEdit->setDate(QDateTimeFromDateTime(row.DateEnd()).date());
    } else {
        ClearDate(FBeginEdit);
        ClearDate(FEndEdit);
    }
    FProgressBox->setCurrentIndex(row.InProgress() ? 0 : 1);
    FOldDeviceCompleteCount = row.CountDeviceComplete();
    FFilling = false;
}

bool TfrmProjectEdit::CheckEditors() {
    if (FScheduledSpin->value() < 1) {
        FScheduledSpin->setFocus();
        return false;
    }
    // A period has both its dates, the first not after the second, or none.
    const bool noBegin = DateEmpty(FBeginEdit);
    const bool noEnd = DateEmpty(FEndEdit);
    if (noBegin != noEnd) {
        QDateEdit* missing = noBegin ? FBeginEdit : FEndEdit;
        missing->setFocus();
        ShowMessageDlg(tr("Укажите обе даты реализации проекта или ни одной"), mdkWarning, mdbOK);
        return false;
    }
    if (!noBegin && FBeginEdit->date() > FEndEdit->date()) {
        FEndEdit->setFocus();
        ShowMessageDlg(tr("Дата начала проекта позже даты его завершения"), mdkWarning, mdbOK);
        return false;
    }
    return true;
}

void TfrmProjectEdit::StoreEditors(TDateTime ACreateDateTime, TDateTime AUpdateDateTime) {
    Row()->UpdateData(FNameEdit->text(), FDescMemo->toPlainText(), FScheduledSpin->value(),
                      FCompleteSpin->value(), FCategoryEdit->text(), DateValue(FBeginEdit),
                      DateValue(FEndEdit), FProgressBox->currentIndex() == 0,
                      FIconBox->currentIndex(), ACreateDateTime, AUpdateDateTime);
}

void TfrmProjectEdit::SetEditorsReadOnly(bool AValue) {
    TKVBookCard::SetEditorsReadOnly(AValue);
    FDescMemo->setReadOnly(AValue);
    for (QSpinBox* spin : {FScheduledSpin, FCompleteSpin})
        spin->setReadOnly(AValue);
    for (QDateEdit* date : {FBeginEdit, FEndEdit})
        date->setReadOnly(AValue);
    for (QComboBox* box : {FIconBox, FProgressBox})
        box->setEnabled(!AValue);
}

bool TfrmProjectEdit::ReadNewRecord(TIBQuery&) {
    // A new project: one planned device, none completed, in work, no icon.
    Row()->UpdateData(QString(), QString(), 1, 0, QString(), 0, 0, true, -1, 0, 0);
    return true;
}

void TfrmProjectEdit::OpenCopy() {
    OpenCardProject(Id(), true);
}

bool TfrmProjectEdit::SaveItem() {
    if (!TKVBookCard::SaveItem())
        return false;
    FOldDeviceCompleteCount = TKVProjectWriteOff::AfterProjectSaved(
        Id(), Row()->InProgress(), FOldDeviceCompleteCount, Row()->CountDeviceComplete(),
        ::WriteOffAvailItemsInProject);
    return true;
}

bool TfrmProjectEdit::eventFilter(QObject* AObject, QEvent* AEvent) {
    if (AEvent->type() == QEvent::KeyPress && !ReadOnly()) {
        const auto* key = static_cast<QKeyEvent*>(AEvent);
        if (key->key() == Qt::Key_Delete && key->modifiers() == Qt::NoModifier) {
            if (AObject == FBeginEdit || AObject == FEndEdit) {
                ClearDate(static_cast<QDateEdit*>(AObject));
                SetModifedData(true);
                return true;
            }
            if (AObject == FIconBox) {
                FIconBox->setCurrentIndex(-1);
                SetModifedData(true);
                return true;
            }
        }
    }
    return TKVBookCard::eventFilter(AObject, AEvent);
}

TfrmProjectEdit* OpenCardProject(quint32 AId, bool ACreateCopyFlag) {
    return OpenRecordCard<TfrmProjectEdit>(kIcon, 0, AId, ACreateCopyFlag);
}
