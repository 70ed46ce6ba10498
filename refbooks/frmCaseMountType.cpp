#include "refbooks/frmCaseMountType.h"

#include "core/KVCase.h"
#include "shell/frmOkCancel.h"
#include "shell/uMessage.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QScreen>
#include <QVBoxLayout>

TKVCaseMountType SelectedCaseMountType = cmtUnknown;

TfrmCaseMountType::TfrmCaseMountType(QWidget* AParent)
    : TKVDialog(QStringLiteral("CaseMountType"), QStringLiteral("CaseMountType_PopupMenu"),
                AParent ? AParent : TKVDialog::OwnerWindow()) {
    setObjectName(QStringLiteral("frmCaseMountType"));
    setWindowTitle(tr("Тип монтажа"));
    FComboBox = new QComboBox(this);
    FComboBox->setObjectName(QStringLiteral("CaseMountType_ComboBox"));
    FComboBox->setMinimumWidth(185);
    for (int i = cmtUnknown; i <= cmtSwitching; ++i)
        FComboBox->addItem(CaseMountTypeToStr(i));
    FComboBox->setCurrentIndex(-1);
    FOkCancel = new T_frmOkCancel(this);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(16, 16, 16, 8);
    layout->addWidget(FComboBox);
    layout->addStretch(1);
    layout->addWidget(FOkCancel);
    resize(217, 105);
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
}

void TfrmCaseMountType::done(int AResult) {
    if (AResult == mrOk)
        SelectedCaseMountType = IndexToMountType(FComboBox->currentIndex());
    TKVDialog::done(AResult);
}

int SelectCaseMountType() {
    TfrmCaseMountType dialog;
    return dialog.exec();
}

TKVClientFilter CaseMountTypeFilter(TKVCaseMountType& AValue) {
    return {QStringLiteral("pmiFTViewOnCaseMountType"),
            QCoreApplication::translate("TfrmCaseMountType", "Показать только по &типу монтажа..."),
            [&AValue] {
                if (SelectCaseMountType() != mrOk)
                    return false;
                AValue = SelectedCaseMountType;
                return true;
            },
            [&AValue] { return QLatin1Char('[') + CaseMountTypeToStr(AValue) + QLatin1Char(']'); }};
}
