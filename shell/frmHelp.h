#pragma once

// The program's help window: a non-modal top-level window that shows the help pages (links
// between pages work, back and forward like a browser). One window serves every topic; it is
// freed when closed.

#include <QTextBrowser>
#include <QWidget>

class QToolButton;

// The page viewer: a page that a link names but that does not exist shows the missing-page
// message in place of an empty view.
class THelpTextBrowser : public QTextBrowser {
    Q_OBJECT
public:
    using QTextBrowser::QTextBrowser;
    QVariant loadResource(int AType, const QUrl& AName) override;
};

class TfrmHelp : public QWidget {
    Q_OBJECT
public:
    explicit TfrmHelp(QWidget* AParent = nullptr);

    // Shows the page of ATopic, or the missing-page message when it has none.
    void ShowTopic(const QString& ATopic);
    // The topic shown last (what ShowTopic got, or the page a link led to); empty for the
    // missing-page message.
    QString CurrentTopic() const;

    QTextBrowser* Browser() const { return FBrowser; }

    // The HTML of the message for a topic without a page.
    static QString MissingPageHtml(const QString& ATopic);

private:
    void UpdateCaption();

    THelpTextBrowser* FBrowser = nullptr;
    QToolButton* FContentsButton = nullptr;
    QToolButton* FBackButton = nullptr;
    QToolButton* FForwardButton = nullptr;
};
