// kv-benchdb: makes a large main database for benchmarks.
//
//   kv-benchdb [--element-types N] [--units N] FILE

#include "bench/BenchCommon.h"
#include "platform/ib/IBDatabase.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <cstdio>

int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    QCommandLineParser parser;
    parser.addHelpOption();
    const QCommandLineOption count(QStringLiteral("element-types"),
                                   QStringLiteral("Number of element types (100000)."),
                                   QStringLiteral("N"), QStringLiteral("100000"));
    parser.addOption(count);
    const QCommandLineOption units(QStringLiteral("units"),
                                   QStringLiteral("Number of units of measure (0)."),
                                   QStringLiteral("N"), QStringLiteral("0"));
    parser.addOption(units);
    parser.addPositionalArgument(QStringLiteral("file"), QStringLiteral("The file to make."));
    parser.process(app);
    if (parser.positionalArguments().size() != 1) {
        std::fputs(qPrintable(parser.helpText()), stderr);
        return 2;
    }
    TBenchDBSize size;
    size.ElementTypes = parser.value(count).toInt();
    size.Units = parser.value(units).toInt();
    int rc = 0;
    try {
        GenerateBenchDataBase(parser.positionalArguments().first(), size);
    } catch (const Exception& e) {
        std::fprintf(stderr, "%s\n", e.what());
        rc = 1;
    }
    IBClient::Shutdown();
    return rc;
}
