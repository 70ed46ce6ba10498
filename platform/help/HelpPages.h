#pragma once

// The program's help pages: one HTML page per topic keyword, compiled into the program, and a
// contents page. The help window of the shell shows them.

#include <QString>
#include <QStringList>
#include <QUrl>

// Keyword of the contents page.
inline const QString HelpContentsTopic = QStringLiteral("index");

// Makes the compiled-in pages available; any number of calls, the first one counts.
void InitHelpPages();

// The topic keywords that the program's windows use, in alphabetical order.
const QStringList& HelpTopics();

// Resource path of the page of ATopic (":/help/ATopic.htm"), whether it exists or not; empty
// when ATopic cannot be a keyword (empty, or other characters than Latin letters, digits and
// '_').
QString HelpTopicResource(const QString& ATopic);
// The same as a URL for a text browser ("qrc:/help/ATopic.htm"); empty like the path.
QUrl HelpTopicUrl(const QString& ATopic);
// Whether ATopic has a page.
bool HelpTopicExists(const QString& ATopic);
