#include "platform/help/HelpPages.h"

#include <QFile>
#include <QRegularExpression>

// Outside any namespace, as Qt's resource macro needs.
static void InitHelpResource() {
    Q_INIT_RESOURCE(kvhelp);
}

void InitHelpPages() {
    static const bool done = (InitHelpResource(), true);
    Q_UNUSED(done);
}

const QStringList& HelpTopics() {
    static const QStringList topics = {
        QStringLiteral("CardBaseParam"),
        QStringLiteral("CardCase"),
        QStringLiteral("CardClass"),
        QStringLiteral("CardElementAnalog"),
        QStringLiteral("CardElementAvail"),
        QStringLiteral("CardElementSupplier"),
        QStringLiteral("CardElementType"),
        QStringLiteral("CardElementTypeSummary"),
        QStringLiteral("CardMaker"),
        QStringLiteral("CardNote"),
        QStringLiteral("CardParam"),
        QStringLiteral("CardPin"),
        QStringLiteral("CardProject"),
        QStringLiteral("CardProjectItem"),
        QStringLiteral("CardStorage"),
        QStringLiteral("CardSupplier"),
        QStringLiteral("CardUnit"),
        QStringLiteral("CaseMountType"),
        QStringLiteral("CaseVisual"),
        QStringLiteral("Connect"),
        QStringLiteral("DBAlias"),
        QStringLiteral("DBInfo"),
        QStringLiteral("DBRemoteAccess"),
        QStringLiteral("DeletePackage"),
        QStringLiteral("ElementAvailNominalSearch"),
        QStringLiteral("ElementAvailRevDateSearch"),
        QStringLiteral("ElementFind"),
        QStringLiteral("ElementParamSearch"),
        QStringLiteral("ExportData"),
        QStringLiteral("ExportDataToFile"),
        QStringLiteral("Favorites"),
        QStringLiteral("IconDescEdit"),
        QStringLiteral("ImportData"),
        QStringLiteral("ImportPrice"),
        QStringLiteral("ImportProjectItem"),
        QStringLiteral("InputRepVal"),
        QStringLiteral("ItemInfo"),
        QStringLiteral("News"),
        QStringLiteral("OpenDataMode"),
        QStringLiteral("PackageInfo"),
        QStringLiteral("Plugins"),
        QStringLiteral("RBBaseParam"),
        QStringLiteral("RBCase"),
        QStringLiteral("RBClass"),
        QStringLiteral("RBElementAnalog"),
        QStringLiteral("RBElementAvail"),
        QStringLiteral("RBElementSupplier"),
        QStringLiteral("RBElementType"),
        QStringLiteral("RBMaker"),
        QStringLiteral("RBNote"),
        QStringLiteral("RBParam"),
        QStringLiteral("RBPin"),
        QStringLiteral("RBProject"),
        QStringLiteral("RBProjectItem"),
        QStringLiteral("RBStorage"),
        QStringLiteral("RBSupplier"),
        QStringLiteral("RBUnit"),
        QStringLiteral("Reports"),
        QStringLiteral("Setup"),
        QStringLiteral("TDBAConnect"),
        QStringLiteral("UserListEdit"),
        QStringLiteral("ValuePrecission"),
        QStringLiteral("Version"),
        QStringLiteral("WhatsNew"),
    };
    return topics;
}

QString HelpTopicResource(const QString& ATopic) {
    // A keyword names a page at the root of the help pages, never a path.
    static const QRegularExpression keyword(QStringLiteral("^[A-Za-z0-9_]+$"));
    if (!keyword.match(ATopic).hasMatch())
        return QString();
    return QStringLiteral(":/help/") + ATopic + QStringLiteral(".htm");
}

QUrl HelpTopicUrl(const QString& ATopic) {
    const QString path = HelpTopicResource(ATopic);
    return path.isEmpty() ? QUrl() : QUrl(QStringLiteral("qrc") + path);
}

bool HelpTopicExists(const QString& ATopic) {
    InitHelpPages();
    const QString path = HelpTopicResource(ATopic);
    return !path.isEmpty() && QFile::exists(path);
}
