#include "reports/frmInputRepVar.h"

#include "shell/KVWidgets.h"
#include "shell/frmOkCancel.h"
#include "shell/uMessage.h"

#include <QDateEdit>
#include <QDoubleSpinBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QStackedWidget>
#include <QVBoxLayout>

#include <limits>

namespace {

// The pages of the notebook.
enum { pgNumericValue, pgNumericRange, pgDateValue, pgDateRange, pgString };

QDoubleSpinBox* NewSpinEdit(const char* AName, QWidget* AParent) {
    auto* edit = new QDoubleSpinBox(AParent);
    edit->setObjectName(QLatin1String(AName));
    edit->setMinimumWidth(120);
    return edit;
}

QDateEdit* NewDateEdit(const char* AName, QWidget* AParent) {
    auto* edit = new QDateEdit(AParent);
    edit->setObjectName(QLatin1String(AName));
    edit->setCalendarPopup(true);
    edit->setDisplayFormat(QLocale().dateFormat(QLocale::ShortFormat));
    edit->setMinimumWidth(120);
    return edit;
}

// Integers or floating-point numbers in a spin editor, starting at 0.
void SetNumberKind(QDoubleSpinBox* AEdit, bool AInteger) {
    if (AInteger) {
        AEdit->setDecimals(0);
        AEdit->setRange(std::numeric_limits<qint32>::min(), std::numeric_limits<qint32>::max());
    } else {
        AEdit->setDecimals(6);
        AEdit->setRange(-1e15, 1e15);
    }
    AEdit->setValue(0);
}

} // namespace

TfrmInputRepVar::TfrmInputRepVar(QWidget* AParent)
    : TKVDialog(QStringLiteral("InputRepVal"), QStringLiteral("InputRepVar_PopupMenu"),
                AParent ? AParent : TKVDialog::OwnerWindow()) {
    setObjectName(QStringLiteral("frmInputRepVar"));
    setWindowTitle(tr("Параметры отчета"));

    FNotebook = new QStackedWidget(this);
    FNotebook->setObjectName(QStringLiteral("InputRepVar_Notebook"));

    auto* valuePage = new QWidget(FNotebook);
    valuePage->setObjectName(QStringLiteral("NUMERIC_VALUE"));
    FNumVal = NewSpinEdit("NumVal_SpinEdit", valuePage);
    (new QVBoxLayout(valuePage))->addWidget(FNumVal);
    FNotebook->addWidget(valuePage);

    FBeginNum = NewSpinEdit("BeginNumRangVal_SpinEdit", this);
    FEndNum = NewSpinEdit("EndNumRangVal_SpinEdit", this);
    QWidget* numRange = RangePage(FBeginNum, FEndNum);
    numRange->setObjectName(QStringLiteral("NUMERIC_RANGE"));

    auto* datePage = new QWidget(FNotebook);
    datePage->setObjectName(QStringLiteral("DATE_VALUE"));
    FDateVal = NewDateEdit("DateVal_DateEdit", datePage);
    (new QVBoxLayout(datePage))->addWidget(FDateVal);
    FNotebook->addWidget(datePage);

    FBeginDate = NewDateEdit("BeginDateVal_DateEdit", this);
    FEndDate = NewDateEdit("EndDateVal_DateEdit", this);
    QWidget* dateRange = RangePage(FBeginDate, FEndDate);
    dateRange->setObjectName(QStringLiteral("DATE_RANGE"));

    auto* stringPage = new QWidget(FNotebook);
    stringPage->setObjectName(QStringLiteral("STRING"));
    FStrVal = new QLineEdit(stringPage);
    FStrVal->setObjectName(QStringLiteral("StrVal_TextEdit"));
    FStrVal->setMaxLength(128);
    (new QVBoxLayout(stringPage))->addWidget(FStrVal);
    FNotebook->addWidget(stringPage);

    FOkCancel = new T_frmOkCancel(this);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(FNotebook);
    layout->addStretch(1);
    layout->addWidget(FOkCancel);

    SetInputRepValType(irvtInt);
    FitWindowToContent(this, QSize(233, 121), QSize(233, 121));
    CenterOnScreen(this);
}

QWidget* TfrmInputRepVar::RangePage(QWidget* ABegin, QWidget* AEnd) {
    auto* page = new QWidget(FNotebook);
    auto* layout = new QHBoxLayout(page);
    layout->addWidget(new QLabel(tr("от"), page));
    ABegin->setParent(page);
    layout->addWidget(ABegin, 1);
    layout->addWidget(new QLabel(tr("до"), page));
    AEnd->setParent(page);
    layout->addWidget(AEnd, 1);
    FNotebook->addWidget(page);
    return page;
}

void TfrmInputRepVar::SetInputRepValType(TInputRepValType AValue) {
    FInputRepValType = AValue;
    const QDate today = QDate::currentDate();
    switch (AValue) {
    case irvtInt:
    case irvtFloat:
        SetNumberKind(FNumVal, AValue == irvtInt);
        FNotebook->setCurrentIndex(pgNumericValue);
        FNumVal->setFocus();
        break;
    case irvtIntRange:
    case irvtFloatRange:
        SetNumberKind(FBeginNum, AValue == irvtIntRange);
        SetNumberKind(FEndNum, AValue == irvtIntRange);
        FNotebook->setCurrentIndex(pgNumericRange);
        FBeginNum->setFocus();
        break;
    case irvtDate:
        FDateVal->setDate(today);
        FNotebook->setCurrentIndex(pgDateValue);
        FDateVal->setFocus();
        break;
    case irvtDateRange:
        FBeginDate->setDate(today);
        FEndDate->setDate(today);
        FNotebook->setCurrentIndex(pgDateRange);
        FBeginDate->setFocus();
        break;
    case irvtText:
        FStrVal->clear();
        FNotebook->setCurrentIndex(pgString);
        FStrVal->setFocus();
        break;
    }
}

void TfrmInputRepVar::done(int AResult) {
    if (AResult != mrOk) {
        TKVDialog::done(AResult);
        return;
    }
    TKVReportValues& values = ReportValues();
    switch (FInputRepValType) {
    case irvtInt:
        values.Int1 = static_cast<qint32>(FNumVal->value());
        break;
    case irvtFloat:
        values.Float1 = FNumVal->value();
        break;
    case irvtIntRange:
    case irvtFloatRange:
        // A range that ends before it begins is not taken: the dialog stays open.
        if (FEndNum->value() < FBeginNum->value())
            return;
        if (FInputRepValType == irvtIntRange) {
            values.Int1 = static_cast<qint32>(FBeginNum->value());
            values.Int2 = static_cast<qint32>(FEndNum->value());
        } else {
            values.Float1 = FBeginNum->value();
            values.Float2 = FEndNum->value();
        }
        break;
    case irvtDate:
        values.Date1 = DateTimeFromQDateTime(FDateVal->date().startOfDay());
        break;
    case irvtDateRange:
        if (FEndDate->date() < FBeginDate->date())
            return;
        values.Date1 = DateTimeFromQDateTime(FBeginDate->date().startOfDay());
        values.Date2 = DateTimeFromQDateTime(FEndDate->date().startOfDay());
        break;
    case irvtText:
        values.Text = QLocale().toUpper(FStrVal->text());
        break;
    }
    TKVDialog::done(AResult);
}

int ShowInputRepVarDlg(TInputRepValType AValType) {
    TfrmInputRepVar dialog;
    dialog.SetInputRepValType(AValType);
    return dialog.exec();
}
