#include "shell/frmHelp.h"

#include "platform/help/HelpPages.h"

#include <QFileInfo>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QScreen>
#include <QToolButton>
#include <QVBoxLayout>

QVariant THelpTextBrowser::loadResource(int AType, const QUrl& AName) {
    QVariant data = QTextBrowser::loadResource(AType, AName);
    if (AType == QTextDocument::HtmlResource && data.toByteArray().isEmpty() &&
        data.toString().isEmpty())
        return TfrmHelp::MissingPageHtml(QFileInfo(AName.path()).completeBaseName());
    return data;
}

TfrmHelp::TfrmHelp(QWidget* AParent) : QWidget(AParent, Qt::Window) {
    setObjectName(QStringLiteral("frmHelp"));
    setAttribute(Qt::WA_DeleteOnClose);
    // The program ends with its main window, also while help is open.
    setAttribute(Qt::WA_QuitOnClose, false);

    FContentsButton = new QToolButton(this);
    FContentsButton->setObjectName(QStringLiteral("Contents_Button"));
    FContentsButton->setText(tr("Содержание"));
    FBackButton = new QToolButton(this);
    FBackButton->setObjectName(QStringLiteral("Back_Button"));
    FBackButton->setText(tr("Назад"));
    FBackButton->setEnabled(false);
    FForwardButton = new QToolButton(this);
    FForwardButton->setObjectName(QStringLiteral("Forward_Button"));
    FForwardButton->setText(tr("Вперёд"));
    FForwardButton->setEnabled(false);

    FBrowser = new THelpTextBrowser(this);
    FBrowser->setObjectName(QStringLiteral("Help_TextBrowser"));
    FBrowser->setOpenLinks(true);
    // Links that lead outside the help pages are not followed inside the window.
    FBrowser->setOpenExternalLinks(false);

    auto* tools = new QHBoxLayout;
    tools->setContentsMargins(0, 0, 0, 0);
    tools->addWidget(FContentsButton);
    tools->addWidget(FBackButton);
    tools->addWidget(FForwardButton);
    tools->addStretch(1);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->addLayout(tools);
    layout->addWidget(FBrowser, 1);

    connect(FContentsButton, &QToolButton::clicked, this, [this] { ShowTopic(HelpContentsTopic); });
    connect(FBackButton, &QToolButton::clicked, FBrowser, &QTextBrowser::backward);
    connect(FForwardButton, &QToolButton::clicked, FBrowser, &QTextBrowser::forward);
    connect(FBrowser, &QTextBrowser::backwardAvailable, FBackButton, &QToolButton::setEnabled);
    connect(FBrowser, &QTextBrowser::forwardAvailable, FForwardButton, &QToolButton::setEnabled);
    connect(FBrowser, &QTextBrowser::sourceChanged, this, [this] { UpdateCaption(); });

    resize(720, 560);
    if (QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
    UpdateCaption();
}

QString TfrmHelp::MissingPageHtml(const QString& ATopic) {
    return tr("<html><head><meta charset=\"utf-8\"><title>Раздел не найден</title></head><body>"
              "<h2>Раздел справки не найден</h2>"
              "<p>Раздел справки «%1» отсутствует.</p>"
              "<p>Откройте <a href=\"qrc:/help/index.htm\">содержание справки</a> и выберите "
              "нужный раздел.</p></body></html>")
        .arg(ATopic.toHtmlEscaped());
}

void TfrmHelp::ShowTopic(const QString& ATopic) {
    InitHelpPages();
    if (HelpTopicExists(ATopic)) {
        FBrowser->setSource(HelpTopicUrl(ATopic));
    } else {
        FBrowser->setHtml(MissingPageHtml(ATopic));
    }
    UpdateCaption();
}

QString TfrmHelp::CurrentTopic() const {
    const QUrl source = FBrowser->source();
    if (source.isEmpty())
        return QString();
    const QString topic = QFileInfo(source.path()).completeBaseName();
    return HelpTopicExists(topic) ? topic : QString();
}

void TfrmHelp::UpdateCaption() {
    const QString title = FBrowser->documentTitle();
    setWindowTitle(title.isEmpty() ? tr("Справка") : tr("Справка: %1").arg(title));
}
