#include "bench/BenchCommon.h"

#include "platform/ib/IBQuery.h"
#include "schema/MainSchema.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <algorithm>
#include <cmath>
#include <cstdio>

void GenerateBenchDataBase(const QString& AFileName, const TBenchDBSize& ASize) {
    CreateMainDataBase(AFileName, 1011, QStringLiteral("База для замеров"));
    TIBDatabase db;
    db.SetDatabaseName(AFileName);
    db.Open();
    TIBTransaction tr(&db);
    TIBQuery q(&db, &tr);
    TIBTransactionScope scope(tr);
    const TDateTime now = Now();

    q.SetSQL(QStringLiteral("INSERT INTO T_CLASS (DBID, ID, PARENTDBID, PARENTID, S_NAME, "
                            "S_DESCRIPTION, ICONID, V_FLAG, C_TIMESTAMP) VALUES (1011, :ID, "
                            ":PDBID, :PID, :NAME, :DESCR, -1, 0, :T)"));
    for (int i = 1; i <= ASize.Classes; ++i) {
        q.ParamByName("ID").SetAsInteger(i);
        if (i > 10) {
            q.ParamByName("PDBID").SetAsInteger(1011);
            q.ParamByName("PID").SetAsInteger(1 + i % 10);
        } else {
            q.ParamByName("PDBID").Clear();
            q.ParamByName("PID").Clear();
        }
        q.ParamByName("NAME").SetAsString(QStringLiteral("Класс элементов №%1").arg(i));
        q.ParamByName("DESCR").SetAsString(QStringLiteral("Описание класса %1").arg(i));
        q.ParamByName("T").SetAsDateTime(now);
        q.ExecSQL();
    }
    q.SetSQL(QStringLiteral("INSERT INTO T_MAKER (DBID, ID, S_NAME, S_URL, V_FLAG, C_TIMESTAMP) "
                            "VALUES (1011, :ID, :NAME, :URL, 0, :T)"));
    for (int i = 1; i <= ASize.Makers; ++i) {
        q.ParamByName("ID").SetAsInteger(i);
        q.ParamByName("NAME").SetAsString(QStringLiteral("Завод «Электрон-%1»").arg(i));
        q.ParamByName("URL").SetAsString(QStringLiteral("https://maker%1.example").arg(i));
        q.ParamByName("T").SetAsDateTime(now);
        q.ExecSQL();
    }
    q.SetSQL(QStringLiteral("INSERT INTO T_CASE (DBID, ID, S_TYPENAME, V_PINCOUNT, V_MOUNTTYPE, "
                            "V_FLAG, C_TIMESTAMP) VALUES (1011, :ID, :NAME, :PINS, :MT, 0, :T)"));
    for (int i = 1; i <= ASize.Cases; ++i) {
        q.ParamByName("ID").SetAsInteger(i);
        q.ParamByName("NAME").SetAsString(QStringLiteral("КТ-%1").arg(i));
        q.ParamByName("PINS").SetAsInteger(2 + i % 64);
        q.ParamByName("MT").SetAsInteger(1 + i % 4);
        q.ParamByName("T").SetAsDateTime(now);
        q.ExecSQL();
    }
    q.SetSQL(QStringLiteral(
        "INSERT INTO T_ELEMENT_TYPE (DBID, ID, CLASSDBID, CLASSID, CASEDBID, CASEID, MAKERDBID, "
        "MAKERID, S_TYPENAME, S_MARKING, S_DESCRIPTION, S_DATASHEET, V_FLAG, C_TIMESTAMP, "
        "U_TIMESTAMP) VALUES (1011, :ID, 1011, :CLS, 1011, :CS, 1011, :MK, :NAME, :MARK, :DESCR, "
        ":DS, 0, :T, :T)"));
    for (int i = 1; i <= ASize.ElementTypes; ++i) {
        q.ParamByName("ID").SetAsInteger(i);
        q.ParamByName("CLS").SetAsInteger(1 + i % ASize.Classes);
        q.ParamByName("CS").SetAsInteger(1 + i % ASize.Cases);
        q.ParamByName("MK").SetAsInteger(1 + i % ASize.Makers);
        q.ParamByName("NAME").SetAsString(QStringLiteral("КР%1ЕН%2").arg(140 + i % 900).arg(i));
        q.ParamByName("MARK").SetAsString(QStringLiteral("M%1").arg(i, 6, 10, QLatin1Char('0')));
        q.ParamByName("DESCR").SetAsString(
            QStringLiteral("Микросхема серии %1, корпус КТ-%2, температура от -60 до +125 °C")
                .arg(i % 900)
                .arg(1 + i % ASize.Cases));
        q.ParamByName("DS").SetAsString(QStringLiteral("https://docs.example/%1.pdf").arg(i));
        q.ParamByName("T").SetAsDateTime(now - i / 1000.0);
        q.ExecSQL();
        if (i % 20000 == 0)
            std::fprintf(stderr, "  %d element types\n", i);
    }
    if (ASize.BaseParams > 0) {
        q.SetSQL(QStringLiteral(
            "INSERT INTO T_BASE_PARAM (DBID, ID, CLASSDBID, CLASSID, S_NAME, S_DESCRIPTION, "
            "V_SELVALTYPE, V_FLAG, C_TIMESTAMP) VALUES (1011, :ID, 1011, 1, :NAME, :DESCR, 0, 0, "
            ":T)"));
        for (int i = 1; i <= ASize.BaseParams; ++i) {
            q.ParamByName("ID").SetAsInteger(i);
            q.ParamByName("NAME").SetAsString(QStringLiteral("Параметр %1").arg(i));
            q.ParamByName("DESCR").SetAsString(QStringLiteral("Описание параметра %1").arg(i));
            q.ParamByName("T").SetAsDateTime(now);
            q.ExecSQL();
        }
        // One value of every base parameter for every type of the class, made by the engine:
        // typical values 0 to 99.9 spread over the types.
        q.SetSQL(QStringLiteral(
            "INSERT INTO T_PARAM (DBID, ID, ELEMENTTYPEDBID, ELEMENTTYPEID, BASEPARAMDBID, "
            "BASEPARAMID, S_NAME, V_TYPEVAL, V_FLAG, C_TIMESTAMP, U_TIMESTAMP) SELECT 1011, "
            "(TET.ID - 1) * :N + TBP.ID, 1011, TET.ID, 1011, TBP.ID, TBP.S_NAME, "
            "MOD(TET.ID * TBP.ID * 7919, 1000) / 10.0, 0, :T, :T FROM T_ELEMENT_TYPE TET CROSS "
            "JOIN T_BASE_PARAM TBP WHERE TET.CLASSDBID = 1011 AND TET.CLASSID = 1 AND "
            "TBP.CLASSDBID = 1011 AND TBP.CLASSID = 1"));
        q.ParamByName("N").SetAsInteger(ASize.BaseParams);
        q.ParamByName("T").SetAsDateTime(now);
        q.ExecSQL();
    }
    // Units: every text differs, so that filters and sorts have work to do; most have a factor.
    q.SetSQL(QStringLiteral("INSERT INTO T_UNIT (DBID, ID, S_PREFIX, S_NAMEDEF, S_NAME, "
                            "S_DESCRIPTION, V_FACTOR, V_FLAG, C_TIMESTAMP) VALUES (1011, :ID, "
                            ":PREFIX, :NAMEDEF, :NAME, :DESCR, :FACTOR, 0, :T)"));
    for (int i = 1; i <= ASize.Units; ++i) {
        q.ParamByName("ID").SetAsInteger(i);
        q.ParamByName("PREFIX").SetAsString(QStringLiteral("ед%1").arg(i));
        q.ParamByName("NAMEDEF").SetAsString(QStringLiteral("u%1").arg(i * 7919 % 100003));
        q.ParamByName("NAME").SetAsString(QStringLiteral("Единица измерения №%1").arg(i));
        q.ParamByName("DESCR").SetAsString(
            QStringLiteral("Производная единица %1-го порядка, группа %2").arg(i % 13).arg(i % 97));
        if (i % 7 == 0)
            q.ParamByName("FACTOR").Clear();
        else
            q.ParamByName("FACTOR").SetAsDouble(std::pow(10.0, i % 13 - 6) * (1 + i % 9));
        q.ParamByName("T").SetAsDateTime(now - i / 1000.0);
        q.ExecSQL();
        if (i % 20000 == 0)
            std::fprintf(stderr, "  %d units\n", i);
    }
    scope.Commit();
    db.Close();
}

QString EnsureBenchUnitDataBase(const QString& AFolder, int AUnits) {
    QDir().mkpath(AFolder);
    const QString file = QDir(AFolder).filePath(QStringLiteral("bench-units-%1.fdb").arg(AUnits));
    if (!QFileInfo::exists(file)) {
        std::fprintf(stderr, "Making %s ...\n", qPrintable(file));
        TBenchDBSize size;
        size.ElementTypes = 0;
        size.Classes = 0;
        size.Makers = 0;
        size.Cases = 0;
        size.Units = AUnits;
        GenerateBenchDataBase(file, size);
    }
    return file;
}

QString EnsureBenchParamDataBase(const QString& AFolder, int AElementTypes) {
    QDir().mkpath(AFolder);
    const QString file =
        QDir(AFolder).filePath(QStringLiteral("bench-params-%1.fdb").arg(AElementTypes));
    if (!QFileInfo::exists(file)) {
        std::fprintf(stderr, "Making %s ...\n", qPrintable(file));
        TBenchDBSize size;
        size.ElementTypes = AElementTypes;
        size.Classes = 1;
        size.BaseParams = 10;
        GenerateBenchDataBase(file, size);
    }
    return file;
}

QString EnsureBenchDataBase(const QString& AFolder, const TBenchDBSize& ASize) {
    QDir().mkpath(AFolder);
    const QString file =
        QDir(AFolder).filePath(QStringLiteral("bench-%1.fdb").arg(ASize.ElementTypes));
    if (!QFileInfo::exists(file)) {
        std::fprintf(stderr, "Making %s ...\n", qPrintable(file));
        GenerateBenchDataBase(file, ASize);
    }
    return file;
}

double MedianMilliseconds(int ATimes, const std::function<void()>& AWork) {
    std::vector<double> times;
    for (int i = 0; i < ATimes; ++i) {
        QElapsedTimer timer;
        timer.start();
        AWork();
        times.push_back(static_cast<double>(timer.nsecsElapsed()) / 1e6);
    }
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

double TimeMilliseconds(const std::function<void()>& AWork) {
    QElapsedTimer timer;
    timer.start();
    AWork();
    return static_cast<double>(timer.nsecsElapsed()) / 1e6;
}

double Median(std::vector<double> AValues) {
    if (AValues.empty())
        return 0;
    std::sort(AValues.begin(), AValues.end());
    const size_t n = AValues.size();
    return n % 2 == 1 ? AValues[n / 2] : (AValues[n / 2 - 1] + AValues[n / 2]) / 2;
}

double TPairedTimes::MedianRatio() const {
    return Median(PairRatios(Work, Anchor));
}

std::vector<double> PairRatios(const std::vector<double>& AWork,
                               const std::vector<double>& AAnchor) {
    std::vector<double> ratios;
    for (size_t i = 0; i < AWork.size() && i < AAnchor.size(); ++i)
        if (AAnchor[i] > 0)
            ratios.push_back(AWork[i] / AAnchor[i]);
    return ratios;
}

const char* const kBenchElementTypeSelect =
    "SELECT TET.DBID, TET.ID, TET.CLASSDBID, TET.CLASSID, TET.CASEDBID, TET.CASEID, "
    "TET.MAKERDBID, TET.MAKERID, TET.S_TYPENAME, TET.S_MARKING, TET.S_DESCRIPTION, "
    "TET.C_TIMESTAMP, TET.U_TIMESTAMP, TET.R_TIMESTAMP, TC.ICONID AS CLASSICONID, TCS.S_TYPENAME "
    "AS CASENAME, TCS.V_MOUNTTYPE AS CASEMOUNTTYPE, TCS.V_CV_PTTTYPE AS CASE_CV_PTTTYPE, "
    "TM.S_NAME AS MAKERNAME, (SELECT 1 FROM RDB$DATABASE WHERE EXISTS(SELECT * FROM T_PIN TPN "
    "WHERE TPN.ELEMENTTYPEDBID = TET.DBID AND TPN.ELEMENTTYPEID = TET.ID)) AS PIN_EXISTS FROM "
    "T_ELEMENT_TYPE TET LEFT JOIN T_CLASS TC ON TC.DBID = TET.CLASSDBID AND TC.ID = TET.CLASSID "
    "LEFT JOIN T_CASE TCS ON TCS.DBID = TET.CASEDBID AND TCS.ID = TET.CASEID LEFT JOIN T_MAKER TM "
    "ON TM.DBID = TET.MAKERDBID AND TM.ID = TET.MAKERID";

TPairedTimes RunPairs(int APairs, const std::function<double()>& AWork,
                      const std::function<double()>& AAnchor) {
    TPairedTimes times;
    for (int i = 0; i < APairs; ++i) {
        const double anchor = AAnchor();
        times.Add(AWork(), anchor);
    }
    return times;
}

void PrintRatio(const char* AName, double AValue) {
    std::printf("ratio %s: %.3f\n", AName, AValue);
    std::fflush(stdout);
}

qint64 PeakResidentBytes() {
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray& line : status.readAll().split('\n'))
        if (line.startsWith("VmHWM:"))
            return line.mid(6).trimmed().split(' ').first().toLongLong() * 1024;
    return -1;
}

QString BenchDataFolder(int argc, char* argv[]) {
    return argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("bench-data");
}

void UseOffscreenPlatformByDefault() {
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
}
