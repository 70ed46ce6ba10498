#include "stock/frmParamSearchItemEdit.h"

#include "core/KVCommon.h"
#include "refbooks/frmBaseParam.h"
#include "shell/KVButtonEdit.h"
#include "shell/frmOkCancel.h"
#include "shell/uMessage.h"
#include "stock/frmChangeCount.h"

#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QStackedWidget>
#include <QVBoxLayout>

TKVParamSearchItemValue ParamSearchItemValue;

namespace {

enum TNotebookPage { npNumericValue, npNumericRange, npString, npBoolean };

// The page of a search type; -1 for the type that needs no value.
int PageOf(TKVParamSearchType AType) {
    switch (AType) {
    case pstNumeric:
    case pstGoENumeric:
    case pstLoENumeric:
        return npNumericValue;
    case pstNumericInRange:
        return npNumericRange;
    case pstSubString:
        return npString;
    case pstLogic:
        return npBoolean;
    case pstAny:
        break;
    }
    return -1;
}

QLineEdit* NumberEdit(QWidget* AParent, const char* AName) {
    auto* edit = new QLineEdit(AParent);
    edit->setObjectName(QLatin1String(AName));
    edit->setMinimumWidth(97);
    return edit;
}

// The number of an editor; the focus goes to it when its text is no number.
std::optional<double> TakeNumber(QLineEdit* AEdit) {
    const std::optional<double> value = TfrmChangeCount::ParseNumber(AEdit->text());
    if (!value) {
        AEdit->setFocus();
        AEdit->selectAll();
    }
    return value;
}

} // namespace

TfrmParamSearchItemEdit::TfrmParamSearchItemEdit(QWidget* AParent)
    : TKVDialog(QStringLiteral("ElementParamSearch"), QStringLiteral("ParamSearchItem_PopupMenu"),
                AParent ? AParent : TKVDialog::OwnerWindow()) {
    setObjectName(QStringLiteral("frmParamSearchItemEdit"));
    setWindowTitle(tr("Условие поиска"));

    FBaseParamEdit = new TKVButtonEdit(this);
    FBaseParamEdit->setObjectName(QStringLiteral("BaseParam_ButtonEdit"));
    FBaseParamEdit->LineEdit()->setReadOnly(true);
    connect(FBaseParamEdit, &TKVButtonEdit::ButtonClick, this,
            &TfrmParamSearchItemEdit::SelectBaseParamClick);
    FSearchTypeCombo = new QComboBox(this);
    FSearchTypeCombo->setObjectName(QStringLiteral("SearchType_ComboBox"));
    FSearchTypeCombo->addItems(ParamSearchTypeNames());

    FNotebook = new QStackedWidget(this);
    FNotebook->setObjectName(QStringLiteral("SearchType_Notebook"));
    // NUMERIC_VALUE
    auto* numericPage = new QWidget(FNotebook);
    FNumValEdit = NumberEdit(numericPage, "NumVal_SpinEdit");
    auto* numericLayout = new QHBoxLayout(numericPage);
    numericLayout->setContentsMargins(0, 0, 0, 0);
    numericLayout->addWidget(FNumValEdit);
    numericLayout->addStretch(1);
    // NUMERIC_RANGE
    auto* rangePage = new QWidget(FNotebook);
    FBeginEdit = NumberEdit(rangePage, "BeginNumRangVal_SpinEdit");
    FEndEdit = NumberEdit(rangePage, "EndNumRangVal_SpinEdit");
    auto* rangeLayout = new QHBoxLayout(rangePage);
    rangeLayout->setContentsMargins(0, 0, 0, 0);
    rangeLayout->addWidget(new QLabel(tr("от"), rangePage));
    rangeLayout->addWidget(FBeginEdit);
    rangeLayout->addWidget(new QLabel(tr("до"), rangePage));
    rangeLayout->addWidget(FEndEdit);
    rangeLayout->addStretch(1);
    // STRING
    auto* stringPage = new QWidget(FNotebook);
    FStrValEdit = new QLineEdit(stringPage);
    FStrValEdit->setObjectName(QStringLiteral("StrVal_TextEdit"));
    FStrValEdit->setMaxLength(128);
    auto* stringLayout = new QHBoxLayout(stringPage);
    stringLayout->setContentsMargins(0, 0, 0, 0);
    stringLayout->addWidget(FStrValEdit);
    // BOOLEAN
    auto* booleanPage = new QWidget(FNotebook);
    FLogicCombo = new QComboBox(booleanPage);
    FLogicCombo->setObjectName(QStringLiteral("LogicVal_ComboBox"));
    FLogicCombo->addItems({tr("Да"), tr("Нет")});
    auto* booleanLayout = new QHBoxLayout(booleanPage);
    booleanLayout->setContentsMargins(0, 0, 0, 0);
    booleanLayout->addWidget(FLogicCombo);
    booleanLayout->addStretch(1);
    for (QWidget* page : {numericPage, rangePage, stringPage, booleanPage})
        FNotebook->addWidget(page);

    FOkCancel = new T_frmOkCancel(this);
    FOkCancel->setObjectName(QStringLiteral("_frmOkCancel1"));

    auto* form = new QFormLayout;
    form->addRow(tr("Базовый параметр"), FBaseParamEdit);
    form->addRow(tr("Тип поиска"), FSearchTypeCombo);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(8, 8, 8, 8);
    layout->addLayout(form);
    layout->addWidget(FNotebook);
    layout->addStretch(1);
    layout->addWidget(FOkCancel);
    resize(353, 186);
    CenterOnScreen(this);

    connect(FSearchTypeCombo, &QComboBox::currentIndexChanged, this,
            &TfrmParamSearchItemEdit::SearchTypeChanged);
    // The single value and the range start follow each other.
    const auto follow = [this](QLineEdit* ATarget) {
        return [this, ATarget](const QString& AText) {
            if (ATarget->text() != AText)
                ATarget->setText(AText);
        };
    };
    connect(FNumValEdit, &QLineEdit::textChanged, this, follow(FBeginEdit));
    connect(FBeginEdit, &QLineEdit::textChanged, this, follow(FNumValEdit));

    for (QWidget* widget : findChildren<QWidget*>())
        if (widget->focusPolicy() != Qt::NoFocus)
            widget->installEventFilter(this);
    FBaseParamEdit->LineEdit()->installEventFilter(this);
}

void TfrmParamSearchItemEdit::Init(const TKVParamSearchItemValue& AValue) {
    ParamSearchItemValue = AValue;
    ParamSearchItemValue.BaseParamName = AValue.BaseParamName.left(128);
    ParamSearchItemValue.UPID = AValue.UPID.left(16);
    FLogicCombo->setCurrentIndex(0);
    FBaseParamEdit->setText(ParamSearchItemValue.BaseParamName);
    FSearchTypeCombo->setCurrentIndex(static_cast<int>(AValue.SearchType));
    SearchTypeChanged(FSearchTypeCombo->currentIndex());
    FNumValEdit->setText(FloatToStrKV(AValue.Float1Val));
    FBeginEdit->setText(FloatToStrKV(AValue.Float1Val));
    FEndEdit->setText(FloatToStrKV(AValue.Float2Val));
    FStrValEdit->setText(AValue.StrVal);
}

void TfrmParamSearchItemEdit::SearchTypeChanged(int AIndex) {
    ParamSearchItemValue.SearchType = IndexToParamSearchType(AIndex);
    const int page = PageOf(ParamSearchItemValue.SearchType);
    if (page >= 0)
        FNotebook->setCurrentIndex(page);
    FNotebook->setVisible(page >= 0);
}

bool TfrmParamSearchItemEdit::CheckParamSearchData() {
    TKVParamSearchItemValue& value = ParamSearchItemValue;
    if (value.BaseParamId == 0) {
        FBaseParamEdit->LineEdit()->setFocus();
        return false;
    }
    switch (value.SearchType) {
    case pstNumeric:
    case pstGoENumeric:
    case pstLoENumeric: {
        const std::optional<double> number = TakeNumber(FNumValEdit);
        if (!number)
            return false;
        value.Float1Val = *number;
        return true;
    }
    case pstNumericInRange: {
        const std::optional<double> from = TakeNumber(FBeginEdit);
        if (!from)
            return false;
        const std::optional<double> to = TakeNumber(FEndEdit);
        if (!to)
            return false;
        if (*from >= *to) {
            FBeginEdit->setFocus();
            FBeginEdit->selectAll();
            return false;
        }
        value.Float1Val = *from;
        value.Float2Val = *to;
        return true;
    }
    case pstSubString:
        if (FStrValEdit->text().trimmed().isEmpty()) {
            FStrValEdit->setFocus();
            return false;
        }
        value.StrVal = FStrValEdit->text();
        return true;
    case pstLogic:
        value.LogicVal = FLogicCombo->currentIndex() == 0;
        return true;
    case pstAny:
        value.SearchAnyVal = true;
        return true;
    }
    return false;
}

void TfrmParamSearchItemEdit::done(int AResult) {
    if (AResult == mrOk && !CheckParamSearchData())
        return;
    TKVDialog::done(AResult);
}

void TfrmParamSearchItemEdit::SelectBaseParamClick() {
    TKVSelectedItemDBData selected;
    SelectBaseParam(ParamSearchItemValue.PSClassDBId, ParamSearchItemValue.PSClassId,
                    ParamSearchItemValue.BaseParamDBId, ParamSearchItemValue.BaseParamId,
                    selected);
    if (!selected.Select)
        return;
    ParamSearchItemValue.BaseParamDBId = selected.DBId;
    ParamSearchItemValue.BaseParamId = selected.Id;
    ParamSearchItemValue.BaseParamName = selected.Name.left(128);
    FBaseParamEdit->setText(ParamSearchItemValue.BaseParamName);
}

void TfrmParamSearchItemEdit::ClearBaseParam() {
    ParamSearchItemValue.BaseParamDBId = 0;
    ParamSearchItemValue.BaseParamId = 0;
    ParamSearchItemValue.BaseParamName.clear();
    FBaseParamEdit->setText(QString());
}

bool TfrmParamSearchItemEdit::eventFilter(QObject* AObject, QEvent* AEvent) {
    if (AEvent->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(AEvent);
        switch (key->key()) {
        case Qt::Key_Return:
        case Qt::Key_Enter:
            done(mrOk);
            return true;
        case Qt::Key_Escape:
            done(mrCancel);
            return true;
        case Qt::Key_Delete:
            if (AObject == FBaseParamEdit->LineEdit()) {
                ClearBaseParam();
                return true;
            }
            break;
        default:
            break;
        }
    }
    return TKVDialog::eventFilter(AObject, AEvent);
}

int ShowParamSearchItemDlg(const TKVParamSearchItemValue& AValue) {
    if (AValue.PSClassId == 0)
        return 0;
    TfrmParamSearchItemEdit dialog;
    dialog.Init(AValue);
    return dialog.exec();
}
