#include "exchange/KVPackageExport.h"

#include "core/udmMain.h"
#include "exchange/KVPackageFile.h"
#include "exchange/KVPackageTables.h"
#include "platform/ib/IBQuery.h"

#include <QFile>

#include <optional>

namespace {

QString ProposedName(const char* APrefix, quint32 ADBId, const QDateTime& ATime) {
    const QDate date = ATime.date();
    const QTime time = ATime.time();
    return QStringLiteral("%1%2_%3%4%5_%6%7")
        .arg(QLatin1String(APrefix))
        .arg(ADBId)
        .arg(IntToStrZeroPad(date.day(), 2), IntToStrZeroPad(date.month(), 2),
             IntToStrZeroPad(date.year(), 4), IntToStrZeroPad(time.hour(), 2),
             IntToStrZeroPad(time.minute(), 2));
}

QString ObjectsToExportMsg(const QString& AObjectName, int ACount) {
    return QStringLiteral("Объектов \" %1 \" для экспорта: %2;").arg(AObjectName).arg(ACount);
}

QString ObjectsInClassToExportMsg(const QString& AObjectName, const TKVExportItemIndexData& AClass,
                                  int ACount) {
    return QStringLiteral("Объектов \" %1 \" в \" Класс \" [%2; %3] для экспорта: %4;")
        .arg(AObjectName)
        .arg(AClass.DBId)
        .arg(AClass.Id)
        .arg(ACount);
}

QString ExportedMsg(const QString& AObjectName, int ACount) {
    return QStringLiteral("Всего экспортировано объектов \" %1 \": %2;")
        .arg(AObjectName)
        .arg(ACount);
}

void BindKey(TIBQuery& AQuery, const char* ADBIdParam, quint32 ADBId, const char* AIdParam,
             quint32 AId) {
    AQuery.ParamByName(QLatin1String(ADBIdParam)).SetAsInteger(static_cast<qint32>(ADBId));
    AQuery.ParamByName(QLatin1String(AIdParam)).SetAsInteger(static_cast<qint32>(AId));
}

} // namespace

QString ProposedPackageFileName(quint32 ADBId, const QDateTime& ATime) {
    return ProposedName("PackDB", ADBId, ATime);
}

QString ProposedExportLogFileName(quint32 ADBId, const QDateTime& ATime) {
    return ProposedName("LogDB", ADBId, ATime);
}

TKVPackageExporter::TKVPackageExporter(TdmMain& ADataModule, TKVExchangeMonitor& AMonitor)
    : FDataModule(ADataModule), FMonitor(AMonitor) {}

void TKVPackageExporter::LogError(const Exception& AException) {
    FMonitor.AddLogMsg(ExceptionLogMsg(AException));
    FResult = false;
}

template <class TWork> bool TKVPackageExporter::RunStep(const QString& AObjectName, TWork&& AWork) {
    FMonitor.SetStepLabel(QStringLiteral("Экспорт объектов \" %1 \"...").arg(AObjectName));
    FMonitor.InitProgress(0, 0);
    try {
        TKVTransactionPair pair(FDataModule.ExchangeIBTransaction, FDataModule.MainIBTransaction);
        AWork();
        pair.Commit();
        return true;
    } catch (const Exception& e) {
        LogError(e);
        return false;
    }
}

// Inserts rows read from the open database into one table of the package through one prepared
// statement.
class TKVPackageExporter::TRowCopier {
public:
    TRowCopier(TdmMain& ADataModule, const TKVPackageTableDesc& ADesc)
        : FDesc(ADesc),
          FInsert(&ADataModule.ExchangeIBDatabase, &ADataModule.ExchangeIBTransaction) {
        FInsert.SetSQL(ADesc.InsertSQL(false));
        FInsert.Prepare();
        FWriter.emplace(ADesc, FInsert, pdExport);
    }

    // Inserts every row of the open query ASelect, which selects the table's columns in their
    // order; AAfterRow sees each row written. The count written.
    int Copy(TIBQuery& ASelect, const std::function<void(const TKVPackageRow&)>& AAfterRow = {}) {
        const TKVPackageRowReader reader(FDesc, ASelect);
        int written = 0;
        for (; !ASelect.Eof(); ASelect.Next()) {
            reader.Read(FRow);
            FWriter->Bind(FRow);
            FInsert.ExecSQL();
            ++written;
            if (AAfterRow)
                AAfterRow(FRow);
        }
        return written;
    }

private:
    const TKVPackageTableDesc& FDesc;
    TIBQuery FInsert;
    std::optional<TKVPackageRowWriter> FWriter;
    TKVPackageRow FRow;
};

bool TKVPackageExporter::ExportData(const QString& AFileName,
                                    const std::vector<TKVExportItemIndexData>& ASelection,
                                    TDateTime AExportDateTime) {
    FResult = true;
    if (!FDataModule.DBConnected())
        return false;
    TIBDatabase& package = FDataModule.ExchangeIBDatabase;
    bool created = false;
    try {
        CreatePackageFile(package, AFileName);
        created = true;
        FMonitor.AddLogMsg(QStringLiteral("Создание пакета \"%1\";").arg(AFileName));
    } catch (const Exception& e) {
        LogError(e);
    }
    if (created) {
        try {
            OpenPackageFile(package, AFileName, FDataModule.CurrentUser());
            FMonitor.AddLogMsg(QStringLiteral("Экспорт данных в пакет из БД \"%1\" (DBID %2; "
                                              "версия %3);")
                                   .arg(FDataModule.CurrentDataBaseFileName())
                                   .arg(FDataModule.CurrentDBId())
                                   .arg(FDataModule.CurrentDBVersionStr()));
            bool tables = false;
            try {
                CreatePackageTables(FDataModule.ExchangeIBTransaction);
                tables = true;
            } catch (const Exception& e) {
                LogError(e);
            }
            if (tables) {
                try {
                    TIBTransactionScope scope(FDataModule.ExchangeIBTransaction);
                    WritePackageHeader(FDataModule.ExchangeIBTransaction, FDataModule.CurrentDBId(),
                                       FDataModule.CurrentDBDescription(), AExportDateTime,
                                       FDataModule.DataBase());
                    scope.Commit();
                } catch (const Exception& e) {
                    LogError(e);
                }
            }
            ExportClasses(ASelection);
            for (const TKVPackageTable table : {ptCase, ptMaker, ptUnit})
                ExportOwnRows(table);
            ExportBaseParams(ASelection);
            const std::vector<TKVExportItemIndexData> elementTypes = ExportElementTypes(ASelection);
            if (!elementTypes.empty())
                for (const TKVPackageTable table : {ptParam, ptPin, ptElementAnalog})
                    ExportElementTypeRows(table, elementTypes);
        } catch (const Exception& e) {
            LogError(e);
        }
        FMonitor.InitProgress(0, 0);
        FMonitor.SetStepLabel(QString());
        if (!ClosePackageFile(package, &FMonitor))
            FResult = false;
        if (!FResult) {
            // A package that misses some of its rows must not pass for a good one.
            if (QFile::remove(AFileName))
                FMonitor.AddLogMsg(
                    QStringLiteral("Пакет \"%1\" удален, так как экспорт завершен с ошибками;")
                        .arg(AFileName));
        }
    }
    FMonitor.AddLogMsg(QStringLiteral("Экспорт данных завершен;"));
    return FResult;
}

void TKVPackageExporter::ExportClasses(const std::vector<TKVExportItemIndexData>& ASelection) {
    const TKVPackageTableDesc& desc = PackageTableDesc(ptClass);
    RunStep(desc.ObjectName, [&] {
        const quint32 ownDBId = FDataModule.CurrentDBId();
        TIBQuery parent(&FDataModule.MainIBDatabase, &FDataModule.MainIBTransaction);
        parent.SetSQL(QStringLiteral("SELECT FIRST 1 SKIP 0 DBID, ID, PARENTDBID, PARENTID FROM "
                                     "T_CLASS WHERE DBID = :VAR_DBID AND ID = :VAR_ID;"));
        // The chosen classes and their ancestors up to the first one of another DBID, each
        // once. An ancestor already held has had its own ancestors added, so the walk stops
        // there (which also ends it on a loop of parent links).
        TKVExportItemList keys;
        for (const TKVExportItemIndexData& item : ASelection) {
            BindKey(parent, "VAR_DBID", item.DBId, "VAR_ID", item.Id);
            parent.Open();
            if (parent.Eof())
                continue;
            quint32 parentDBId = static_cast<quint32>(parent.FieldByName("PARENTDBID").AsInteger());
            quint32 parentId = static_cast<quint32>(parent.FieldByName("PARENTID").AsInteger());
            parent.Close();
            if (keys.ExistsItemByPKey(item.DBId, item.Id))
                continue;
            keys.AddData(item.DBId, item.Id, itClass);
            while (parentId > 0 && parentDBId == ownDBId &&
                   !keys.ExistsItemByPKey(parentDBId, parentId)) {
                BindKey(parent, "VAR_DBID", parentDBId, "VAR_ID", parentId);
                parent.Open();
                if (parent.Eof())
                    break;
                keys.AddData(parentDBId, parentId, itClass);
                parentDBId = static_cast<quint32>(parent.FieldByName("PARENTDBID").AsInteger());
                parentId = static_cast<quint32>(parent.FieldByName("PARENTID").AsInteger());
                parent.Close();
            }
        }
        int passed = 0;
        if (!keys.Empty()) {
            FMonitor.AddLogMsg(ObjectsToExportMsg(desc.ObjectName, keys.Count()));
            FMonitor.InitProgress(0, keys.Count());
            TIBQuery select(&FDataModule.MainIBDatabase, &FDataModule.MainIBTransaction);
            select.SetSQL(QStringLiteral("SELECT FIRST 1 SKIP 0 %1 FROM T_CLASS WHERE DBID = "
                                         ":VAR_DBID AND ID = :VAR_ID;")
                              .arg(desc.ColumnList()));
            TRowCopier copier(FDataModule, desc);
            keys.First();
            TKVExportItemIndexData key;
            while (!keys.Eof() && keys.GetRecord(key)) {
                BindKey(select, "VAR_DBID", key.DBId, "VAR_ID", key.Id);
                select.Open();
                copier.Copy(select);
                select.Close();
                FMonitor.SetProgressPosition(++passed);
                keys.Next();
            }
        }
        FMonitor.AddLogMsg(ExportedMsg(desc.ObjectName, passed));
    });
}

TKVPackageExporter::TCopied
TKVPackageExporter::CountAndCopyRows(const TKVPackageTableDesc& ADesc, const QString& AWhere,
                                     const std::function<void(TIBQuery&)>& ABind,
                                     const std::function<QString(int)>& ACountMsg,
                                     const std::function<void(const TKVPackageRow&)>& ARowCopied) {
    TIBQuery select(&FDataModule.MainIBDatabase, &FDataModule.MainIBTransaction);
    select.SetSQL(QStringLiteral("SELECT COUNT(ID) FROM %1 %2").arg(ADesc.Name, AWhere));
    ABind(select);
    select.Open();
    TCopied copied;
    copied.Count = select.Eof() ? 0 : select.Fields(0).AsInteger();
    select.Close();
    FMonitor.AddLogMsg(ACountMsg(copied.Count));
    FMonitor.InitProgress(0, copied.Count);
    if (copied.Count <= 0)
        return copied;
    select.SetSQL(ADesc.SelectSQL(AWhere));
    ABind(select);
    select.Open();
    int done = 0;
    copied.Written = TRowCopier(FDataModule, ADesc).Copy(select, [&](const TKVPackageRow& ARow) {
        FMonitor.SetProgressPosition(++done);
        if (ARowCopied)
            ARowCopied(ARow);
    });
    return copied;
}

void TKVPackageExporter::ExportOwnRows(int ATable) {
    const TKVPackageTableDesc& desc = PackageTableDesc(static_cast<TKVPackageTable>(ATable));
    const auto ownDBId = static_cast<qint32>(FDataModule.CurrentDBId());
    RunStep(desc.ObjectName, [&] {
        const TCopied copied = CountAndCopyRows(
            desc, QStringLiteral("WHERE DBID = :VAR_DBID;"),
            [ownDBId](TIBQuery& AQuery) { AQuery.ParamByName("VAR_DBID").SetAsInteger(ownDBId); },
            [&desc](int ACount) { return ObjectsToExportMsg(desc.ObjectName, ACount); });
        if (copied.Count > 0)
            FMonitor.AddLogMsg(ExportedMsg(desc.ObjectName, copied.Written));
    });
}

void TKVPackageExporter::ExportBaseParams(const std::vector<TKVExportItemIndexData>& ASelection) {
    const TKVPackageTableDesc& desc = PackageTableDesc(ptBaseParam);
    const auto ownDBId = static_cast<qint32>(FDataModule.CurrentDBId());
    int total = 0;
    for (const TKVExportItemIndexData& item : ASelection) {
        RunStep(desc.ObjectName, [&] {
            total += CountAndCopyRows(
                         desc,
                         QStringLiteral("WHERE DBID = :VAR_DBID AND CLASSDBID = :VAR_CLASSDBID "
                                        "AND CLASSID = :VAR_CLASSID;"),
                         [&](TIBQuery& AQuery) {
                             AQuery.ParamByName("VAR_DBID").SetAsInteger(ownDBId);
                             BindKey(AQuery, "VAR_CLASSDBID", item.DBId, "VAR_CLASSID", item.Id);
                         },
                         [&](int ACount) {
                             return ObjectsInClassToExportMsg(desc.ObjectName, item, ACount);
                         })
                         .Written;
        });
    }
    if (total > 0)
        FMonitor.AddLogMsg(ExportedMsg(desc.ObjectName, total));
}

std::vector<TKVExportItemIndexData>
TKVPackageExporter::ExportElementTypes(const std::vector<TKVExportItemIndexData>& ASelection) {
    const TKVPackageTableDesc& desc = PackageTableDesc(ptElementType);
    std::vector<TKVExportItemIndexData> keys;
    const auto keep = [&keys](const TKVPackageRow& ARow) {
        keys.push_back({ARow[TKVPackageTableDesc::DBIdColumn].Key(),
                        ARow[TKVPackageTableDesc::IdColumn].Key(), itElementType});
    };
    RunStep(desc.ObjectName, [&] {
        for (const TKVExportItemIndexData& item : ASelection)
            CountAndCopyRows(
                desc,
                QStringLiteral("WHERE CLASSDBID = :VAR_CLASSDBID AND CLASSID = :VAR_CLASSID;"),
                [&](TIBQuery& AQuery) {
                    BindKey(AQuery, "VAR_CLASSDBID", item.DBId, "VAR_CLASSID", item.Id);
                },
                [&](int ACount) {
                    return ObjectsInClassToExportMsg(desc.ObjectName, item, ACount);
                },
                keep);
        if (!keys.empty())
            FMonitor.AddLogMsg(ExportedMsg(desc.ObjectName, int(keys.size())));
    });
    return keys;
}

// The rows of one table that belong to the exported element types (for analogs: whose primary
// element type is one of them), read element type by element type through the index on that
// reference, so that the work grows with the rows exported, not with the table.
void TKVPackageExporter::ExportElementTypeRows(
    int ATable, const std::vector<TKVExportItemIndexData>& AElementTypes) {
    const TKVPackageTableDesc& desc = PackageTableDesc(static_cast<TKVPackageTable>(ATable));
    const TKVPackageReference& owner = desc.References.front();
    const QString where =
        QStringLiteral("WHERE %1 = :VAR_ELEMENTTYPEDBID AND %2 = :VAR_ELEMENTTYPEID;")
            .arg(QLatin1String(desc.Columns[size_t(owner.DBIdColumn)].Name),
                 QLatin1String(desc.Columns[size_t(owner.IdColumn)].Name));
    int written = 0;
    const bool done = RunStep(desc.ObjectName, [&] {
        FMonitor.InitProgress(0, int(AElementTypes.size()));
        TRowCopier copier(FDataModule, desc);
        TIBQuery select(&FDataModule.MainIBDatabase, &FDataModule.MainIBTransaction);
        select.SetSQL(desc.SelectSQL(where));
        int position = 0;
        for (const TKVExportItemIndexData& key : AElementTypes) {
            BindKey(select, "VAR_ELEMENTTYPEDBID", key.DBId, "VAR_ELEMENTTYPEID", key.Id);
            select.Open();
            written += copier.Copy(select);
            select.Close();
            FMonitor.SetProgressPosition(++position);
        }
    });
    if (done && written > 0)
        FMonitor.AddLogMsg(ExportedMsg(desc.ObjectName, written));
}
