// kv-createdb: makes a new, empty main database of the program's structure.
//
//   kv-createdb --dbid N [--description TEXT] FILE
//
// The file must not exist yet; an existing file is never overwritten.

#include "platform/ib/IBDatabase.h"
#include "schema/MainSchema.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QTextStream>

int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("kv-createdb"));
    QTextStream err(stderr);

    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Makes a new main database file of the component catalogue."));
    parser.addHelpOption();
    const QCommandLineOption dbidOption(QStringLiteral("dbid"),
                                        QStringLiteral("The DBID of the new database."),
                                        QStringLiteral("N"));
    const QCommandLineOption descriptionOption(
        QStringLiteral("description"), QStringLiteral("Its description."), QStringLiteral("TEXT"));
    parser.addOption(dbidOption);
    parser.addOption(descriptionOption);
    parser.addPositionalArgument(QStringLiteral("file"), QStringLiteral("The file to make."));
    parser.process(app);

    const QStringList files = parser.positionalArguments();
    if (files.size() != 1 || !parser.isSet(dbidOption)) {
        err << parser.helpText();
        return 2;
    }
    bool ok = false;
    const qulonglong dbid = parser.value(dbidOption).toULongLong(&ok);
    if (!ok || dbid > 0x7FFFFFFFull) {
        err << "The DBID must be a whole number from 0 to 2147483647.\n";
        return 2;
    }

    int rc = 0;
    try {
        CreateMainDataBase(files.first(), static_cast<quint32>(dbid),
                           parser.value(descriptionOption));
    } catch (const Exception& e) {
        err << e.Message() << "\n";
        rc = 1;
    }
    IBClient::Shutdown();
    return rc;
}
