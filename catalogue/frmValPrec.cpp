#include "catalogue/frmValPrec.h"

#include "catalogue/KVParamFlags.h"
#include "shell/frmOkCancel.h"
#include "shell/uMessage.h"

#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>

TKVValPrecData ValPrecData;

namespace {

// A percentage or typical value: empty is "none" (nullopt in AValue), else it must parse.
bool ReadNumber(QLineEdit* AEditor, const QString& AField, std::optional<double>& AValue) {
    AValue.reset();
    if (AEditor->text().trimmed().isEmpty())
        return true;
    AValue = ParseParamNumber(AEditor->text());
    if (AValue)
        return true;
    AEditor->setFocus();
    ShowMessageDlg(TfrmValPrec::tr("Значение поля «%1» должно быть числом").arg(AField),
                   mdkWarning, mdbOK);
    return false;
}

} // namespace

TfrmValPrec::TfrmValPrec(QWidget* AParent)
    : TKVDialog(QStringLiteral("ValuePrecission"), QStringLiteral("ValPrec_PopupMenu"), AParent) {
    setObjectName(QStringLiteral("frmValPrec"));
    setWindowTitle(tr("Точность параметра"));

    const auto editor = [this](const char* AName) {
        auto* edit = new QLineEdit(this);
        edit->setObjectName(QLatin1String(AName));
        return edit;
    };
    FPrecMinEdit = editor("PrecMinVal_SpinEdit");
    FTypeEdit = editor("ValueTypeVal_SpinEdit");
    FPrecMaxEdit = editor("PrecMaxVal_SpinEdit");
    FViewTypeCombo = new QComboBox(this);
    FViewTypeCombo->setObjectName(QStringLiteral("PrecViewType_ComboBox"));
    FViewTypeCombo->addItems(
        {tr("Значение/диапазон"), tr("Набор значений"), tr("Параметр с указанием точности")});
    for (QLineEdit* edit : {FPrecMinEdit, FPrecMaxEdit})
        connect(edit, &QLineEdit::textEdited, this, [this, edit] { PrecValueChanged(edit); });

    auto* grid = new QGridLayout;
    const auto row = [&](int ARow, const QString& ALabel, QWidget* AEditor, bool APercent) {
        auto* label = new QLabel(ALabel, this);
        label->setBuddy(AEditor);
        grid->addWidget(label, ARow, 0);
        grid->addWidget(AEditor, ARow, 1);
        if (APercent)
            grid->addWidget(new QLabel(QStringLiteral("%"), this), ARow, 2);
    };
    row(0, tr("Отклонение в меньшую сторону"), FPrecMinEdit, true);
    row(1, tr("Типовое значение"), FTypeEdit, false);
    row(2, tr("Отклонение в большую сторону"), FPrecMaxEdit, true);
    row(3, tr("Формат отображения"), FViewTypeCombo, false);
    grid->setColumnStretch(1, 1);

    FOkCancel = new T_frmOkCancel(this);
    FOkCancel->CancelBtn()->setAutoDefault(false);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addStretch(1);
    layout->addWidget(FOkCancel);
    resize(393, 177);

    // The caller's values.
    const TKVValPrecData& in = ValPrecData;
    FViewTypeCombo->setCurrentIndex(in.ViewType == 1 || in.ViewType == 2 ? in.ViewType : 0);
    FTypeEdit->setText(ParamNumberText(in.TypeVal));
    const TKVValPrecPercents percents =
        ValPrecPercents(in.UseMinVal, in.MinVal, in.TypeVal, in.UseMaxVal, in.MaxVal);
    if (percents.Lower)
        FPrecMinEdit->setText(ParamNumberText(*percents.Lower));
    if (percents.Upper)
        FPrecMaxEdit->setText(ParamNumberText(*percents.Upper));
    FPrecMinEdit->setFocus();
}

void TfrmValPrec::PrecValueChanged(QLineEdit* AEditor) {
    const QString text = AEditor->text();
    if (text.trimmed().startsWith(u'-')) {
        const int cursor = AEditor->cursorPosition();
        AEditor->setText(text.trimmed().mid(1));
        AEditor->setCursorPosition(std::max(0, cursor - 1));
    }
}

void TfrmValPrec::done(int AResult) {
    if (AResult == mrOk) {
        std::optional<double> lower;
        std::optional<double> typ;
        std::optional<double> upper;
        if (!ReadNumber(FPrecMinEdit, tr("Отклонение в меньшую сторону"), lower) ||
            !ReadNumber(FTypeEdit, tr("Типовое значение"), typ) ||
            !ReadNumber(FPrecMaxEdit, tr("Отклонение в большую сторону"), upper))
            return;
        TKVValPrecData& out = ValPrecData;
        out.TypeVal = typ.value_or(0);
        out.ViewType = FViewTypeCombo->currentIndex();
        // A percentage is taken as its magnitude, however it was typed.
        if (lower)
            lower = std::fabs(*lower);
        if (upper)
            upper = std::fabs(*upper);
        const TKVValPrecValues values = ValPrecValues(out.TypeVal, lower, upper);
        out.UseMinVal = values.MinVal.has_value();
        out.UseMaxVal = values.MaxVal.has_value();
        if (values.MinVal)
            out.MinVal = *values.MinVal;
        if (values.MaxVal)
            out.MaxVal = *values.MaxVal;
    }
    TKVDialog::done(AResult);
}

int ShowValPrecDlg(bool AUseMinVal, bool AUseMaxVal, int AViewType, double AMinVal,
                   double ATypeVal, double AMaxVal) {
    ValPrecData = {AUseMinVal, AUseMaxVal, AMinVal, ATypeVal, AMaxVal, AViewType};
    TfrmValPrec dialog(TKVDialog::OwnerWindow());
    return dialog.exec();
}
