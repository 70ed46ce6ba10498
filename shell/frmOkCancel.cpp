#include "shell/frmOkCancel.h"

#include <QDialog>
#include <QHBoxLayout>
#include <QPushButton>

T_frmOkCancel::T_frmOkCancel(QDialog* ADialog) : QWidget(ADialog) {
    setObjectName(QStringLiteral("_frmOkCancel1"));
    FOkBtn = new QPushButton(QStringLiteral("OK"), this);
    FOkBtn->setObjectName(QStringLiteral("OkBtn"));
    FOkBtn->setDefault(true);
    FCancelBtn = new QPushButton(tr("Отмена"), this);
    FCancelBtn->setObjectName(QStringLiteral("CancelBtn"));
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addStretch(1);
    layout->addWidget(FOkBtn);
    layout->addWidget(FCancelBtn);
    connect(FOkBtn, &QPushButton::clicked, ADialog, &QDialog::accept);
    connect(FCancelBtn, &QPushButton::clicked, ADialog, &QDialog::reject);
}
