#include "stock/frmChangeCount.h"

#include "core/KVCommon.h"
#include "shell/frmOkCancel.h"
#include "shell/uMessage.h"
#include "stock/KVStockDialogs.h"

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPushButton>
#include <QVBoxLayout>

#include <cmath>

TfrmChangeCount::TfrmChangeCount(double* APDoubleValue, const QString& ACaption,
                                 const QString& AUnitPrefix, QWidget* AParent)
    : TKVDialog(QString(), QStringLiteral("ChangeCount_PopupMenu"),
                AParent ? AParent : TKVDialog::OwnerWindow()),
      FPDoubleValue(APDoubleValue) {
    setObjectName(QStringLiteral("frmChangeCount"));
    setWindowTitle(ACaption);
    FValueEdit = new QLineEdit(this);
    FValueEdit->setObjectName(QStringLiteral("CountValue_SpinEdit"));
    FValueEdit->setMinimumWidth(97);
    FValueEdit->setText(FloatToStrKV(FPDoubleValue ? *FPDoubleValue : 0.0));
    FValueEdit->selectAll();
    FUnitPrefixLabel = new QLabel(AUnitPrefix, this);
    FUnitPrefixLabel->setObjectName(QStringLiteral("CountUnitPrefix_Label"));
    FOkCancel = new T_frmOkCancel(this);
    FOkCancel->setObjectName(QStringLiteral("_frmOkCancel1"));

    auto* row = new QHBoxLayout;
    row->addWidget(FValueEdit);
    row->addWidget(FUnitPrefixLabel, 1);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(8, 8, 8, 8);
    layout->addLayout(row);
    layout->addStretch(1);
    layout->addWidget(FOkCancel);
    setSizeGripEnabled(false);
    resize(186, 97);
    CenterOnScreen(this);

    // Enter in the editor or on either button is OK.
    for (QWidget* widget :
         {static_cast<QWidget*>(FValueEdit), static_cast<QWidget*>(FOkCancel->OkBtn()),
          static_cast<QWidget*>(FOkCancel->CancelBtn())})
        widget->installEventFilter(this);
    FValueEdit->setFocus();
}

std::optional<double> TfrmChangeCount::ParseNumber(const QString& AText) {
    // Group separators are refused, so that "2,5" never reads as 25 where the comma groups
    // thousands; a comma or a point then serves as the decimal separator.
    const QString text = AText.trimmed();
    bool ok = false;
    QLocale locale;
    locale.setNumberOptions(QLocale::RejectGroupSeparator);
    double value = locale.toDouble(text, &ok);
    if (!ok) {
        QLocale c = QLocale::c();
        c.setNumberOptions(QLocale::RejectGroupSeparator);
        value = c.toDouble(QString(text).replace(u',', u'.'), &ok);
    }
    if (!ok || !std::isfinite(value))
        return std::nullopt;
    return value;
}

void TfrmChangeCount::done(int AResult) {
    if (AResult == mrOk) {
        const std::optional<double> value = ParseNumber(FValueEdit->text());
        if (!value) {
            ShowMessageDlg(tr("«%1» не является числом").arg(FValueEdit->text()), mdkWarning,
                           mdbOK);
            FValueEdit->setFocus();
            FValueEdit->selectAll();
            return;
        }
        if (FPDoubleValue)
            *FPDoubleValue = *value;
    }
    TKVDialog::done(AResult);
}

bool TfrmChangeCount::eventFilter(QObject* AObject, QEvent* AEvent) {
    if (AEvent->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(AEvent);
        if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
            done(mrOk);
            return true;
        }
    }
    return TKVDialog::eventFilter(AObject, AEvent);
}

int ShowChangeCountDlg(double& AValue, const QString& ACaption, const QString& AUnitPrefix) {
    TfrmChangeCount dialog(&AValue, ACaption, AUnitPrefix);
    return dialog.exec();
}
