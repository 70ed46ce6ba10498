// kv-createdb: makes a new main database of the program's structure, empty or with the demo
// catalogue.
//
//   kv-createdb --dbid N [--description TEXT] [--demo] FILE
//
// The file must not exist yet; an existing file is never overwritten. With --demo the new
// database is filled with the demo catalogue, whose rows belong to DBID 1000 (the demo
// database's own DBID); a file whose filling failed is removed.

#include "platform/ib/IBDatabase.h"
#include "schema/DemoData.h"
#include "schema/MainSchema.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QFile>
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
    const QCommandLineOption demoOption(
        QStringLiteral("demo"),
        QStringLiteral("Fill the new database with the demo catalogue (use with --dbid 1000)."));
    parser.addOption(dbidOption);
    parser.addOption(descriptionOption);
    parser.addOption(demoOption);
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
    bool created = false;
    try {
        CreateMainDataBase(files.first(), static_cast<quint32>(dbid),
                           parser.value(descriptionOption));
        created = true;
        if (parser.isSet(demoOption))
            FillDemoDataBase(files.first());
    } catch (const Exception& e) {
        err << e.Message() << "\n";
        rc = 1;
        // A half-filled demo database would be offered as if it were whole.
        if (created)
            QFile::remove(files.first());
    }
    IBClient::Shutdown();
    return rc;
}
