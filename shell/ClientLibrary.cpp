#include "shell/ClientLibrary.h"

#include "platform/ib/IBDatabase.h"

#include <QLibrary>
#include <QRegularExpression>
#include <QStringList>

#include <firebird/Interface.h>

namespace {

// The engine of the client library this program is built for, when the configuration names
// none.
const QString kDefaultEngine = QStringLiteral("Engine12");

// The embedded engine among the providers of the client's configuration ("Remote, Engine12,
// Loopback" by default).
QString ConfiguredEngine(Firebird::IConfigManager* AConfig) {
    Firebird::IFirebirdConf* conf = AConfig->getFirebirdConf();
    if (!conf)
        return kDefaultEngine;
    const char* providers = conf->asString(conf->getKey("Providers"));
    const QString list = providers ? QString::fromLocal8Bit(providers) : QString();
    conf->release();
    for (const QString& item :
         list.split(QRegularExpression(QStringLiteral("[,;\\s]+")), Qt::SkipEmptyParts))
        if (item.startsWith(QStringLiteral("Engine"), Qt::CaseInsensitive))
            return item;
    return kDefaultEngine;
}

} // namespace

QString ClientLibraryFile() {
    return QStringLiteral("libfbclient.so.2");
}

QString EngineLibraryFile() {
    Firebird::IConfigManager* config = IBClient::Master()->getConfigManager();
    const char* folder = config->getDirectory(Firebird::IConfigManager::DIR_PLUGINS);
    const QString pluginFolder = folder ? QString::fromLocal8Bit(folder) : QString();
    return pluginFolder + QStringLiteral("/lib") + ConfiguredEngine(config) + QStringLiteral(".so");
}

QString MissingClientLibraryFile() {
    QLibrary client(ClientLibraryFile());
    if (!client.load())
        return ClientLibraryFile();
    const QString engineFile = EngineLibraryFile();
    QLibrary engine(engineFile);
    if (!engine.load())
        return engineFile;
    return QString();
}
