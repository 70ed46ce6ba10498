#include "shell/frmDebug.h"

#include "resources/KVResources.h"
#include "shell/ufrmMain.h"

#include <QMdiSubWindow>
#include <QPlainTextEdit>
#include <QVBoxLayout>

T_frmDebug::T_frmDebug(QWidget* AParent) : TKVMDIChild(AParent) {
    setObjectName(QStringLiteral("_frmDebug"));
    setWindowTitle(QStringLiteral("Debug"));
    setWindowIcon(ResourceIcon(2230));
    resize(492, 273);
    setMinimumSize(300, 180);

    FDebug_Memo = new QPlainTextEdit(this);
    FDebug_Memo->setObjectName(QStringLiteral("Debug_Memo"));
    FDebug_Memo->setReadOnly(true);
    FDebug_Memo->setLineWrapMode(QPlainTextEdit::NoWrap);
    FDebug_Memo->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    FDebug_Memo->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(FDebug_Memo);
}

T_frmDebug* OpenDebugWindow() {
    if (!frmMain)
        return nullptr;
    auto* window = new T_frmDebug;
    window->ShowMDIChild();
    if (QMdiSubWindow* sub = window->SubWindow())
        sub->setWindowIcon(window->windowIcon());
    return window;
}
