#include "exchange/KVPackageDelete.h"

#include "core/KVTransaction.h"
#include "core/udmMain.h"
#include "platform/ib/IBQuery.h"

#include <algorithm>

namespace {

TKVPackageUseCheck Check(const char* AGroup, const char* AUserKind, const char* AUsedKind,
                         const char* ASQL) {
    return {QString::fromUtf8(AGroup), QString::fromUtf8(AUserKind), QString::fromUtf8(AUsedKind),
            QString::fromUtf8(ASQL)};
}

std::vector<TKVPackageUseCheck> MakeUseChecks() {
    return {
        // Classes of another owner under a class of the package.
        Check("Класс", "Класс", "Класс",
              "SELECT TC.S_NAME AS USERNAME, TC2.S_NAME AS USEDNAME FROM T_CLASS TC LEFT JOIN "
              "T_CLASS TC2 ON TC.PARENTDBID = TC2.DBID AND TC.PARENTID = TC2.ID WHERE "
              "TC.PARENTDBID = :VAR_DBID AND TC.DBID <> :VAR_DBID;"),
        // Element types of another owner in a class, of a maker or in a case of the package.
        Check("Тип элемента", "Тип элемента", "Класс",
              "SELECT TET.S_TYPENAME AS USERNAME, TC.S_NAME AS USEDNAME FROM T_ELEMENT_TYPE TET "
              "LEFT JOIN T_CLASS TC ON TET.CLASSDBID = TC.DBID AND TET.CLASSID = TC.ID WHERE "
              "TET.CLASSDBID = :VAR_DBID AND TET.DBID <> :VAR_DBID;"),
        Check("Тип элемента", "Тип элемента", "Производитель",
              "SELECT TET.S_TYPENAME AS USERNAME, TM.S_NAME AS USEDNAME FROM T_ELEMENT_TYPE TET "
              "LEFT JOIN T_MAKER TM ON TET.MAKERDBID = TM.DBID AND TET.MAKERID = TM.ID WHERE "
              "TET.MAKERDBID = :VAR_DBID AND TET.DBID <> :VAR_DBID;"),
        Check("Тип элемента", "Тип элемента", "Корпус",
              "SELECT TET.S_TYPENAME AS USERNAME, TCS.S_TYPENAME AS USEDNAME FROM T_ELEMENT_TYPE "
              "TET LEFT JOIN T_CASE TCS ON TET.CASEDBID = TCS.DBID AND TET.CASEID = TCS.ID WHERE "
              "TET.CASEDBID = :VAR_DBID AND TET.DBID <> :VAR_DBID;"),
        // Stock records of an element type of the package, or counted in one of its units
        // (a record without an element type under its own name).
        Check("Элемент в наличии", "Элемент в наличии", "Тип элемента",
              "SELECT TET.S_TYPENAME AS USERNAME, TET.S_TYPENAME AS USEDNAME FROM T_ELEMENT_AVAIL "
              "TEA LEFT JOIN T_ELEMENT_TYPE TET ON TEA.ELEMENTTYPEDBID = TET.DBID AND "
              "TEA.ELEMENTTYPEID = TET.ID WHERE TEA.ELEMENTTYPEDBID = :VAR_DBID;"),
        Check("Элемент в наличии", "Элемент в наличии", "Единица измерения",
              "SELECT COALESCE(TET.S_TYPENAME, TEA.S_TYPENAME) AS USERNAME, TU.S_NAME AS USEDNAME "
              "FROM T_ELEMENT_AVAIL TEA LEFT JOIN T_UNIT TU ON (TEA.UNITNOMDBID = TU.DBID AND "
              "TEA.UNITNOMID = TU.ID) OR (TEA.UNITCOUNTDBID = TU.DBID AND TEA.UNITCOUNTID = "
              "TU.ID) LEFT JOIN T_ELEMENT_TYPE TET ON TEA.ELEMENTTYPEDBID = TET.DBID AND "
              "TEA.ELEMENTTYPEID = TET.ID WHERE (TEA.UNITNOMDBID = :VAR_DBID OR TEA.UNITCOUNTDBID "
              "= :VAR_DBID);"),
        Check("Элемент проекта", "Элемент проекта", "Тип элемента",
              "SELECT TET.S_TYPENAME AS USERNAME, TET.S_TYPENAME AS USEDNAME FROM T_PROJECT_ITEM "
              "TPI LEFT JOIN T_ELEMENT_TYPE TET ON TPI.ELEMENTTYPEDBID = TET.DBID AND "
              "TPI.ELEMENTTYPEID = TET.ID WHERE TPI.ELEMENTTYPEDBID = :VAR_DBID;"),
        // Base parameters of another owner with a unit or in a class of the package.
        Check("Базовый параметр", "Базовый параметр", "Единица измерения",
              "SELECT TBP.S_NAME AS USERNAME, TU.S_NAME AS USEDNAME FROM T_BASE_PARAM TBP LEFT "
              "JOIN T_UNIT TU ON TBP.UNITDBID = TU.DBID AND TBP.UNITID = TU.ID WHERE TBP.UNITDBID "
              "= :VAR_DBID AND TBP.DBID <> :VAR_DBID;"),
        Check("Базовый параметр", "Базовый параметр", "Класс",
              "SELECT TBP.S_NAME AS USERNAME, TC.S_NAME AS USEDNAME FROM T_BASE_PARAM TBP LEFT "
              "JOIN T_CLASS TC ON TBP.CLASSDBID = TC.DBID AND TBP.CLASSID = TC.ID WHERE "
              "TBP.CLASSDBID = :VAR_DBID AND TBP.DBID <> :VAR_DBID;"),
        // Parameter values of another owner with a unit, of an element type or bound to a base
        // parameter of the package.
        Check("Параметр", "Параметр", "Единица измерения",
              "SELECT TPR.S_NAME AS USERNAME, TU.S_NAME AS USEDNAME FROM T_PARAM TPR LEFT JOIN "
              "T_UNIT TU ON TPR.UNITDBID = TU.DBID AND TPR.UNITID = TU.ID WHERE TPR.UNITDBID = "
              ":VAR_DBID AND TPR.DBID <> :VAR_DBID;"),
        Check("Параметр", "Параметр", "Тип элемента",
              "SELECT TPR.S_NAME AS USERNAME, TET.S_TYPENAME AS USEDNAME FROM T_PARAM TPR LEFT "
              "JOIN T_ELEMENT_TYPE TET ON TPR.ELEMENTTYPEDBID = TET.DBID AND TPR.ELEMENTTYPEID = "
              "TET.ID WHERE TPR.ELEMENTTYPEDBID = :VAR_DBID AND TPR.DBID <> :VAR_DBID;"),
        Check("Параметр", "Параметр", "Базовый параметр",
              "SELECT TPR.S_NAME AS USERNAME, TBP.S_NAME AS USEDNAME FROM T_PARAM TPR LEFT JOIN "
              "T_BASE_PARAM TBP ON TPR.BASEPARAMDBID = TBP.DBID AND TPR.BASEPARAMID = TBP.ID "
              "WHERE TPR.BASEPARAMDBID = :VAR_DBID AND TPR.DBID <> :VAR_DBID;"),
        // Pins and analogs of another owner on element types of the package (an analog under
        // the name of its other element type).
        Check("Вывод", "Вывод", "Тип элемента",
              "SELECT TPN.S_NAME AS USERNAME, TET.S_TYPENAME AS USEDNAME FROM T_PIN TPN LEFT JOIN "
              "T_ELEMENT_TYPE TET ON TPN.ELEMENTTYPEDBID = TET.DBID AND TPN.ELEMENTTYPEID = "
              "TET.ID WHERE TPN.ELEMENTTYPEDBID = :VAR_DBID AND TPN.DBID <> :VAR_DBID;"),
        Check("Аналог элемента", "Аналог элемента", "Тип элемента",
              "SELECT TA.S_TYPENAME AS USERNAME, TP.S_TYPENAME AS USEDNAME FROM T_ELEMENT_ANALOG "
              "TEAN LEFT JOIN T_ELEMENT_TYPE TP ON TEAN.PELEMENTTYPEDBID = TP.DBID AND "
              "TEAN.PELEMENTTYPEID = TP.ID LEFT JOIN T_ELEMENT_TYPE TA ON TEAN.AELEMENTTYPEDBID = "
              "TA.DBID AND TEAN.AELEMENTTYPEID = TA.ID WHERE TEAN.PELEMENTTYPEDBID = :VAR_DBID "
              "AND TEAN.DBID <> :VAR_DBID;"),
        Check("Аналог элемента", "Аналог элемента", "Тип элемента",
              "SELECT TP.S_TYPENAME AS USERNAME, TA.S_TYPENAME AS USEDNAME FROM T_ELEMENT_ANALOG "
              "TEAN LEFT JOIN T_ELEMENT_TYPE TP ON TEAN.PELEMENTTYPEDBID = TP.DBID AND "
              "TEAN.PELEMENTTYPEID = TP.ID LEFT JOIN T_ELEMENT_TYPE TA ON TEAN.AELEMENTTYPEDBID = "
              "TA.DBID AND TEAN.AELEMENTTYPEID = TA.ID WHERE TEAN.AELEMENTTYPEDBID = :VAR_DBID "
              "AND TEAN.DBID <> :VAR_DBID;"),
        // The user's supplier prices of element types of the package, under the supplier.
        Check("Поставщик по типу элемента", "Поставщик по типу элемента", "Тип элемента",
              "SELECT TS.S_NAME AS USERNAME, TET.S_TYPENAME AS USEDNAME FROM T_ELEMENT_SUPPLIER "
              "TES LEFT JOIN T_SUPPLIER TS ON TES.SUPPLIERID = TS.ID LEFT JOIN T_ELEMENT_TYPE TET "
              "ON TES.ELEMENTTYPEDBID = TET.DBID AND TES.ELEMENTTYPEID = TET.ID WHERE "
              "TES.ELEMENTTYPEDBID = :VAR_DBID;"),
        // Search profiles in a class, and conditions on a base parameter, of the package.
        Check("Профиль поиска", "Профиль поиска", "Класс",
              "SELECT TP.S_NAME AS USERNAME, TC.S_NAME AS USEDNAME FROM T_PSP TP LEFT JOIN "
              "T_CLASS TC ON TP.CLASSDBID = TC.DBID AND TP.CLASSID = TC.ID WHERE TP.CLASSDBID = "
              ":VAR_DBID;"),
        Check("Профиль поиска", "Профиль поиска", "Базовый параметр",
              "SELECT TP.S_NAME AS USERNAME, TBP.S_NAME AS USEDNAME FROM T_PSP_ITEM TPI LEFT JOIN "
              "T_PSP TP ON TPI.PSPID = TP.ID LEFT JOIN T_BASE_PARAM TBP ON TPI.BASEPARAMDBID = "
              "TBP.DBID AND TPI.BASEPARAMID = TBP.ID WHERE TPI.BASEPARAMDBID = :VAR_DBID;"),
        // Favourite element types of the package (element types are the only favourites with
        // a DBID).
        Check("Избранное", "Избранное", "Тип элемента",
              "SELECT TET.S_TYPENAME AS USERNAME, TET.S_TYPENAME AS USEDNAME FROM T_FAVORITES TF "
              "LEFT JOIN T_ELEMENT_TYPE TET ON TF.OBJ_DBID = TET.DBID AND TF.OBJ_ID = TET.ID "
              "WHERE TF.OBJ_DBID = :VAR_DBID;"),
    };
}

} // namespace

const std::vector<TKVPackageUseCheck>& PackageUseChecks() {
    static const std::vector<TKVPackageUseCheck> checks = MakeUseChecks();
    return checks;
}

const std::vector<TKVPackageDeleteStep>& PackageDeleteSteps() {
    static const std::vector<TKVPackageDeleteStep> steps = [] {
        // Rows that use others go before the rows they use.
        std::vector<TKVPackageDeleteStep> s;
        for (const TKVPackageTable table : {ptParam, ptPin, ptElementAnalog, ptBaseParam,
                                            ptElementType, ptClass, ptCase, ptMaker, ptUnit})
            s.push_back({PackageTableDesc(table).ObjectName, table, QString()});
        s.push_back({QString(), ptCount,
                     QStringLiteral("DELETE FROM SYS_VAR WHERE V_INTEGER = :VAR_DBID AND "
                                    "S_PARAM = 'PACKAGEIMPORTED';")});
        s.push_back({QStringLiteral("Local Config Object"), ptCount,
                     QStringLiteral("DELETE FROM CFG_LOCAL WHERE OBJ_DBID = :VAR_DBID;")});
        return s;
    }();
    return steps;
}

QString ProposedDeletePackageLogFileName(quint32 ADBId) {
    return QStringLiteral("dp%1").arg(ADBId);
}

TKVPackageDeleter::TKVPackageDeleter(TdmMain& ADataModule, TKVExchangeMonitor& AMonitor)
    : FDataModule(ADataModule), FMonitor(AMonitor) {}

bool TKVPackageDeleter::AnalyzePackageData(quint32 ADBId) {
    if (!FDataModule.DBConnected() || ADBId == 0)
        return false;
    const std::vector<TKVPackageUseCheck>& checks = PackageUseChecks();
    FMonitor.InitProgress(0, static_cast<int>(checks.size()));
    FMonitor.AddLogMsg(QStringLiteral("Анализ пакета данных %1...").arg(ADBId));
    bool clean = true;
    const bool done = RunInTransaction(FDataModule.MainIBTransaction, epShowError, [&] {
        TIBQuery query(&FDataModule.MainIBDatabase, &FDataModule.MainIBTransaction);
        QString group;
        int position = 0;
        for (const TKVPackageUseCheck& check : checks) {
            if (check.Group != group) {
                group = check.Group;
                FMonitor.SetStepLabel(
                    QStringLiteral("Анализ объектов \" %1 \" пакета обновления...").arg(group));
            }
            query.SetSQL(check.SQL);
            query.ParamByName("VAR_DBID").SetAsInteger(static_cast<qint32>(ADBId));
            query.Open();
            TIBField& user = query.FieldByName("USERNAME");
            TIBField& used = query.FieldByName("USEDNAME");
            for (; !query.Eof(); query.Next()) {
                FMonitor.AddLogMsg(
                    QStringLiteral("Проблема: %1 \" %2 \" использует %3 \" %4 \" пакета данных;")
                        .arg(check.UserKind, user.AsString(), check.UsedKind, used.AsString()));
                clean = false;
            }
            query.Close();
            FMonitor.SetProgressPosition(++position);
        }
    });
    if (done)
        FMonitor.AddLogMsg(clean ? QStringLiteral("Пакет данных может быть удален;")
                                 : QStringLiteral("Удаление пакета данных невозможно;"));
    FMonitor.SetStepLabel(QString());
    FMonitor.InitProgress(0, 0);
    return done && clean;
}

int TKVPackageDeleter::DeleteClasses(quint32 ADBId) {
    const TKVPackageTableDesc& desc = PackageTableDesc(ptClass);
    std::vector<TKVPackageRow> rows;
    {
        TIBQuery select(&FDataModule.MainIBDatabase, &FDataModule.MainIBTransaction);
        select.SetSQL(desc.SelectSQL(QStringLiteral("WHERE DBID = :VAR_DBID;")));
        select.ParamByName("VAR_DBID").SetAsInteger(static_cast<qint32>(ADBId));
        select.Open();
        const TKVPackageRowReader reader(desc, select);
        for (; !select.Eof(); select.Next()) {
            rows.emplace_back();
            reader.Read(rows.back());
        }
    }
    // Children before their parents: the reverse of the order in which an import writes them.
    rows = ClassesParentsFirst(std::move(rows));
    TIBQuery remove(&FDataModule.MainIBDatabase, &FDataModule.MainIBTransaction);
    remove.SetSQL(QStringLiteral("DELETE FROM T_CLASS WHERE DBID = :VAR_DBID AND ID = :VAR_ID;"));
    int count = 0;
    for (auto it = rows.rbegin(); it != rows.rend(); ++it) {
        remove.ParamByName("VAR_DBID").SetAsInteger(static_cast<qint32>(ADBId));
        remove.ParamByName("VAR_ID").SetAsInteger(
            static_cast<qint32>((*it)[TKVPackageTableDesc::IdColumn].Key()));
        remove.ExecSQL();
        count += remove.RowsAffected();
    }
    return count;
}

bool TKVPackageDeleter::DeletePackageData(quint32 ADBId) {
    if (!AnalyzePackageData(ADBId))
        return false;
    const std::vector<TKVPackageDeleteStep>& steps = PackageDeleteSteps();
    FMonitor.AddLogMsg(QStringLiteral("Удаление пакета данных %1...").arg(ADBId));
    FMonitor.InitProgress(0, static_cast<int>(steps.size()));
    const bool done = RunInTransaction(FDataModule.MainIBTransaction, epShowError, [&] {
        TIBQuery query(&FDataModule.MainIBDatabase, &FDataModule.MainIBTransaction);
        for (int i = 0; i < static_cast<int>(steps.size()); ++i) {
            const TKVPackageDeleteStep& step = steps[static_cast<size_t>(i)];
            if (!step.Kind.isEmpty())
                FMonitor.SetStepLabel(
                    QStringLiteral("Удаление объектов \" %1 \" пакета обновления...")
                        .arg(step.Kind));
            if (FDeleteStepHook)
                FDeleteStepHook(i);
            int count = 0;
            if (step.Table == ptClass) {
                count = DeleteClasses(ADBId);
            } else {
                query.SetSQL(step.Table == ptCount ? step.SQL
                                                   : PackageTableDesc(step.Table).DeleteSQL());
                query.ParamByName("VAR_DBID").SetAsInteger(static_cast<qint32>(ADBId));
                query.ExecSQL();
                count = query.RowsAffected();
            }
            if (!step.Kind.isEmpty())
                FMonitor.AddLogMsg(
                    QStringLiteral("Объектов \" %1 \" удалено: %2;").arg(step.Kind).arg(count));
            FMonitor.SetProgressPosition(i + 1);
        }
    });
    if (done) {
        // The record of the import leaves the data module once the database no longer has it.
        FDataModule.DataBase().DeletePackageImported(ADBId);
        FMonitor.AddLogMsg(QStringLiteral("Пакет данных удален;"));
    }
    FMonitor.SetStepLabel(QString());
    FMonitor.InitProgress(0, 0);
    return done;
}
