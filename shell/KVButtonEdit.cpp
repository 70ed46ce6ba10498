#include "shell/KVButtonEdit.h"

#include <QHBoxLayout>
#include <QLineEdit>
#include <QToolButton>

TKVButtonEdit::TKVButtonEdit(QWidget* AParent) : QWidget(AParent) {
    FEdit = new QLineEdit(this);
    FButton = new QToolButton(this);
    FButton->setText(QStringLiteral("…"));
    FButton->setFocusPolicy(Qt::NoFocus);
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(2);
    layout->addWidget(FEdit, 1);
    layout->addWidget(FButton);
    setFocusProxy(FEdit);
    connect(FButton, &QToolButton::clicked, this, &TKVButtonEdit::ButtonClick);
}

QString TKVButtonEdit::text() const {
    return FEdit->text();
}

void TKVButtonEdit::setText(const QString& AText) {
    FEdit->setText(AText);
}
