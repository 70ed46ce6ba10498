#include "shell/KVWidgets.h"

#include "core/udmMain.h"

#include <QApplication>
#include <QToolBar>
#include <QToolButton>

TWaitCursor::TWaitCursor() {
    QApplication::setOverrideCursor(Qt::WaitCursor);
}

TWaitCursor::~TWaitCursor() {
    QApplication::restoreOverrideCursor();
}

QIcon MainToolIcon(int AImage) {
    return dmMain ? dmMain->MainToolImgList.Icon(AImage) : QIcon();
}

QToolButton* AddCaptionToolButton(QToolBar* ABar, const char* AName, const QString& ACaption,
                                  const QString& AHint, int AImage, QSize AMinimumSize) {
    auto* button = new QToolButton(ABar);
    button->setObjectName(QLatin1String(AName));
    button->setText(ACaption);
    button->setToolTip(AHint);
    button->setStatusTip(AHint);
    button->setIcon(MainToolIcon(AImage));
    button->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    button->setMinimumSize(AMinimumSize);
    button->setAutoRaise(true);
    ABar->addWidget(button);
    return button;
}
