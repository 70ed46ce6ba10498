#include "stock/frmNominalSearch.h"

#include "core/KVCommon.h"
#include "refbooks/frmUnit.h"
#include "shell/KVButtonEdit.h"
#include "shell/frmOkCancel.h"
#include "shell/uMessage.h"
#include "stock/frmChangeCount.h"
#include "stock/frmElementAvail.h"

#include <QComboBox>
#include <QDoubleSpinBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStackedWidget>
#include <QVBoxLayout>

#include <limits>
#include <optional>

TKVNominalSearchCriteria NominalSearchCriteria;

namespace {

// A spin edit of any floating-point number: shown as the program writes numbers (no trailing
// zeros), typed with a decimal comma or point.
class TKVFloatSpinEdit : public QDoubleSpinBox {
public:
    explicit TKVFloatSpinEdit(QWidget* AParent) : QDoubleSpinBox(AParent) {
        setDecimals(15);
        setRange(-std::numeric_limits<double>::max(), std::numeric_limits<double>::max());
        setValue(0);
        setMinimumWidth(100);
    }

    QString textFromValue(double AValue) const override { return FloatToStrKV(AValue); }
    double valueFromText(const QString& AText) const override { return Parse(AText).value_or(0); }
    QValidator::State validate(QString& AText, int& /*APos*/) const override {
        const QString text = AText.trimmed();
        if (Parse(text))
            return QValidator::Acceptable;
        // A sign, a separator or an exponent still to be finished.
        static const QString partial = QStringLiteral("+-.,eE");
        for (const QChar c : text)
            if (!c.isDigit() && !partial.contains(c))
                return QValidator::Invalid;
        return QValidator::Intermediate;
    }

private:
    // Numbers are read as the count dialog reads them.
    static std::optional<double> Parse(const QString& AText) {
        return TfrmChangeCount::ParseNumber(AText);
    }
};

} // namespace

TfrmNominalSearch::TfrmNominalSearch(QWidget* AParent)
    : TKVDialog(QStringLiteral("ElementAvailNominalSearch"), QStringLiteral("PopupMenu"),
                AParent ? AParent : TKVDialog::OwnerWindow()) {
    setObjectName(QStringLiteral("frmNominalSearch"));
    setWindowFlags(windowFlags() | Qt::WindowMinMaxButtonsHint);
    setWindowTitle(tr("Поиск элементов в наличии по номиналу"));

    FSearchTypeBox = new QComboBox(this);
    FSearchTypeBox->setObjectName(QStringLiteral("SearchType_ComboBox"));
    FSearchTypeBox->addItems(NominalSearchTypeNames());
    FSearchTypeBox->setCurrentIndex(eanstEqual);

    FNotebook = new QStackedWidget(this);
    FNotebook->setObjectName(QStringLiteral("SearchType_Notebook"));
    auto* valuePage = new QWidget(FNotebook);
    valuePage->setObjectName(QStringLiteral("NUMERIC_VALUE"));
    FNumValEdit = new TKVFloatSpinEdit(valuePage);
    FNumValEdit->setObjectName(QStringLiteral("NumVal_SpinEdit"));
    auto* valueLayout = new QHBoxLayout(valuePage);
    valueLayout->setContentsMargins(0, 0, 0, 0);
    valueLayout->addWidget(FNumValEdit, 1);
    auto* rangePage = new QWidget(FNotebook);
    rangePage->setObjectName(QStringLiteral("NUMERIC_RANGE"));
    FBeginEdit = new TKVFloatSpinEdit(rangePage);
    FBeginEdit->setObjectName(QStringLiteral("BeginNumRangVal_SpinEdit"));
    FEndEdit = new TKVFloatSpinEdit(rangePage);
    FEndEdit->setObjectName(QStringLiteral("EndNumRangVal_SpinEdit"));
    auto* rangeLayout = new QHBoxLayout(rangePage);
    rangeLayout->setContentsMargins(0, 0, 0, 0);
    rangeLayout->addWidget(new QLabel(tr("от"), rangePage));
    rangeLayout->addWidget(FBeginEdit, 1);
    rangeLayout->addWidget(new QLabel(tr("до"), rangePage));
    rangeLayout->addWidget(FEndEdit, 1);
    FNotebook->addWidget(valuePage);
    FNotebook->addWidget(rangePage);

    FUnitEdit = new TKVButtonEdit(this);
    FUnitEdit->setObjectName(QStringLiteral("Unit_ButtonEdit"));
    FUnitEdit->LineEdit()->setReadOnly(true);
    FUnitEdit->LineEdit()->installEventFilter(this);

    FOkCancel = new T_frmOkCancel(this);
    FOkCancel->OkBtn()->setText(tr("Поиск"));

    auto* form = new QFormLayout;
    form->addRow(tr("Условие поиска"), FSearchTypeBox);
    form->addRow(QString(), FNotebook);
    form->addRow(tr("Единица измерения"), FUnitEdit);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(8, 8, 8, 8);
    layout->addLayout(form);
    layout->addStretch(1);
    layout->addWidget(FOkCancel);
    resize(353, 177);
    CenterOnScreen(this);

    connect(FSearchTypeBox, &QComboBox::currentIndexChanged, this,
            &TfrmNominalSearch::SearchTypeChange);
    // The single value and the start of the range follow each other.
    connect(FNumValEdit, &QDoubleSpinBox::valueChanged, FBeginEdit, &QDoubleSpinBox::setValue);
    connect(FBeginEdit, &QDoubleSpinBox::valueChanged, FNumValEdit, &QDoubleSpinBox::setValue);
    connect(FUnitEdit, &TKVButtonEdit::ButtonClick, this, &TfrmNominalSearch::UnitButtonClick);
    SearchTypeChange(FSearchTypeBox->currentIndex());
    FSearchTypeBox->setFocus();
}

void TfrmNominalSearch::SearchTypeChange(int AIndex) {
    FNotebook->setCurrentIndex(IndexToNominalSearchType(AIndex) == eanstInRange ? 1 : 0);
}

void TfrmNominalSearch::UnitButtonClick() {
    TKVSelectedItemDBData selected;
    SelectUnit(0, 0, selected);
    if (!selected.Select)
        return;
    FUnitDBId = selected.DBId;
    FUnitId = selected.Id;
    FUnitEdit->setText(selected.Name);
}

void TfrmNominalSearch::ClearUnit() {
    FUnitDBId = 0;
    FUnitId = 0;
    FUnitEdit->setText(QString());
}

TKVNominalSearchCriteria TfrmNominalSearch::Criteria() const {
    TKVNominalSearchCriteria criteria;
    criteria.SearchType = IndexToNominalSearchType(FSearchTypeBox->currentIndex());
    if (criteria.SearchType == eanstInRange) {
        criteria.Value1 = FBeginEdit->value();
        criteria.Value2 = FEndEdit->value();
    } else {
        criteria.Value1 = FNumValEdit->value();
    }
    criteria.UnitDBId = FUnitDBId;
    criteria.UnitId = FUnitId;
    return criteria;
}

bool TfrmNominalSearch::eventFilter(QObject* AObject, QEvent* AEvent) {
    if (AObject == FUnitEdit->LineEdit() && AEvent->type() == QEvent::KeyPress &&
        static_cast<QKeyEvent*>(AEvent)->key() == Qt::Key_Delete) {
        ClearUnit();
        return true;
    }
    return TKVDialog::eventFilter(AObject, AEvent);
}

int ShowNominalSearchDlg() {
    TfrmNominalSearch dialog;
    const int result = dialog.exec();
    if (result == mrOk) {
        NominalSearchCriteria = dialog.Criteria();
        RunNominalSearch();
    }
    return result;
}

void RunNominalSearch() {
    OpenRBElementAvailOnNominal(NominalSearchCriteria.SearchType, NominalSearchCriteria.Value1,
                                NominalSearchCriteria.Value2, NominalSearchCriteria.UnitDBId,
                                NominalSearchCriteria.UnitId);
}
