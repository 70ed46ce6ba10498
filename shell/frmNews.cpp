#include "shell/frmNews.h"

#include "core/udmMain.h"
#include "resources/KVResources.h"
#include "shell/frmAbout.h"
#include "shell/uHelpContext.h"
#include "shell/ufrmMain.h"

#include <QAction>
#include <QContextMenuEvent>
#include <QGridLayout>
#include <QLabel>
#include <QLocale>
#include <QMdiSubWindow>
#include <QMenu>

namespace {

// The help picture of the main tool images.
constexpr int kHelpImage = 46;

} // namespace

TfrmNews::TfrmNews(QWidget* AParent) : TKVMDIChild(AParent) {
    setObjectName(QStringLiteral("frmNews"));
    setWindowTitle(tr("Новости"));
    setWindowIcon(ResourceIcon(2234));
    setAutoFillBackground(true);
    setBackgroundRole(QPalette::Base);
    resize(392, 123);
    setMinimumSize(392, 123);

    FNewsTitle_Label = new QLabel(tr("Новостей нет"), this);
    FNewsTitle_Label->setObjectName(QStringLiteral("NewsTitle_Label"));
    QFont title = font();
    title.setPointSize(title.pointSize() + 2);
    title.setBold(true);
    FNewsTitle_Label->setFont(title);

    FNewsDate_Label = new QLabel(this);
    FNewsDate_Label->setObjectName(QStringLiteral("NewsDate_Label"));
    FNewsDate_Label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    QFont date = font();
    date.setPointSize(date.pointSize() - 1);
    FNewsDate_Label->setFont(date);
    QPalette caption = FNewsDate_Label->palette();
    caption.setColor(QPalette::WindowText, palette().color(QPalette::Active, QPalette::Highlight));
    FNewsDate_Label->setPalette(caption);

    FNewsText_Label = new QLabel(tr("Новости с сайта программы не загружены."), this);
    FNewsText_Label->setObjectName(QStringLiteral("NewsText_Label"));
    FNewsText_Label->setWordWrap(true);
    FNewsText_Label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    FNewsText_Label->setMinimumSize(376, 56);

    // Looks like a link but leads nowhere yet.
    FNewsNext_Label = new TKVLinkLabel(tr("Следующая новость"), this);
    FNewsNext_Label->setObjectName(QStringLiteral("NewsNext_Label"));
    FNewsNext_Label->setEnabled(false);

    auto* layout = new QGridLayout(this);
    layout->setContentsMargins(8, 8, 8, 8);
    layout->addWidget(FNewsTitle_Label, 0, 0);
    layout->addWidget(FNewsDate_Label, 0, 1);
    layout->addWidget(FNewsText_Label, 1, 0, 1, 2);
    layout->addWidget(FNewsNext_Label, 2, 1, Qt::AlignRight);
    layout->setRowStretch(1, 1);
    layout->setColumnStretch(0, 1);

    FNews_PopupMenu = new QMenu(this);
    FNews_PopupMenu->setObjectName(QStringLiteral("News_PopupMenu"));
    FpmiHelpContext = new QAction(tr("Помощь"), this);
    FpmiHelpContext->setObjectName(QStringLiteral("pmiHelpContext"));
    if (dmMain)
        FpmiHelpContext->setIcon(dmMain->MainToolImgList.Icon(kHelpImage));
    connect(FpmiHelpContext, &QAction::triggered, this,
            [] { ShowHelpTopic(QStringLiteral("News")); });
    FNews_PopupMenu->addAction(FpmiHelpContext);
}

bool TfrmNews::LoadLastNews() {
    if (!dmMain)
        return false;
    TKVNewsItem item;
    const quint16 token = dmMain->GetLastNewsToken();
    if (token == 0 || !dmMain->GetNewsByToken(token, item))
        return false;
    FNewsTitle_Label->setText(item.niTitle);
    FNewsText_Label->setText(item.niText);
    const QDate date = QDateTimeFromDateTime(item.niDate).date();
    FNewsDate_Label->setText(item.niDate == 0 ? QString()
                                              : QLocale().toString(date, QLocale::ShortFormat));
    // The item just shown is the last news the user has seen.
    dmMain->SetLastShowNewsToken(token);
    LastNewsId = token;
    return true;
}

void TfrmNews::showEvent(QShowEvent* AEvent) {
    TKVMDIChild::showEvent(AEvent);
    if (FShown)
        return;
    FShown = true;
    LoadLastNews();
}

void TfrmNews::contextMenuEvent(QContextMenuEvent* AEvent) {
    FNews_PopupMenu->popup(AEvent->globalPos());
}

TfrmNews* OpenNewsWindow() {
    if (!frmMain)
        return nullptr;
    auto* window = new TfrmNews;
    window->ShowMDIChild();
    if (QMdiSubWindow* sub = window->SubWindow())
        sub->setWindowIcon(window->windowIcon());
    return window;
}
