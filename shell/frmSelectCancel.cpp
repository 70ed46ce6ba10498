#include "shell/frmSelectCancel.h"

#include <QDialog>
#include <QHBoxLayout>
#include <QPushButton>

T_frmSelectCancel::T_frmSelectCancel(QDialog* ADialog) : QWidget(ADialog) {
    setObjectName(QStringLiteral("_frmSelectCancel1"));
    setFixedHeight(31);
    FOkBtn = new QPushButton(tr("Выбрать"), this);
    FOkBtn->setObjectName(QStringLiteral("OkBtn"));
    FOkBtn->setDefault(true);
    FOkBtn->setMinimumSize(74, 25);
    FCancelBtn = new QPushButton(tr("Отмена"), this);
    FCancelBtn->setObjectName(QStringLiteral("CancelBtn"));
    FCancelBtn->setMinimumSize(73, 25);
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(4, 3, 4, 3);
    layout->addStretch(1);
    layout->addWidget(FOkBtn);
    layout->addWidget(FCancelBtn);
    connect(FOkBtn, &QPushButton::clicked, ADialog, &QDialog::accept);
    connect(FCancelBtn, &QPushButton::clicked, ADialog, &QDialog::reject);
}
