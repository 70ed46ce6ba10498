#include "exchange/KVPackageImport.h"

#include "core/udmMain.h"
#include "platform/ib/IBQuery.h"

#include <QHash>

namespace {

// The tables whose success decides whether the tables that depend on them are merged.
bool HasFlag(TKVPackageTable ATable) {
    return ATable >= ptClass && ATable <= ptElementType;
}

void BindKey(TIBQuery& AQuery, quint32 ADBId, quint32 AId) {
    AQuery.ParamByName("VAR_DBID").SetAsInteger(static_cast<qint32>(ADBId));
    AQuery.ParamByName("VAR_ID").SetAsInteger(static_cast<qint32>(AId));
}

// A row with the key exists in the open database (the query is a table's ExistsSQL).
bool RowExists(TIBQuery& AExists, quint32 ADBId, quint32 AId) {
    BindKey(AExists, ADBId, AId);
    AExists.Open();
    const bool exists = !AExists.Eof();
    AExists.Close();
    return exists;
}

QString NotFoundMsg(const QString& AObjectName, quint32 ADBId, quint32 AId) {
    return QStringLiteral("Объект \" %1 \" [DBID: %2; ID: %3] не найден;")
        .arg(AObjectName)
        .arg(ADBId)
        .arg(AId);
}

} // namespace

QString ProposedImportLogFileName(TDateTime ATime) {
    const QDate date = ATime == 0 ? QDate() : QDateTimeFromDateTime(ATime).date();
    if (!date.isValid())
        return QStringLiteral("im000");
    return QStringLiteral("im%1%2%3").arg(date.day()).arg(date.month()).arg(date.year());
}

TKVPackageImporter::TKVPackageImporter(TdmMain& ADataModule, TKVExchangeMonitor& AMonitor)
    : FDataModule(ADataModule), FMonitor(AMonitor) {}

TKVPackageImporter::~TKVPackageImporter() = default;

bool TKVPackageImporter::IsPackageRowNewer(bool APackageCNotNull, bool APackageUNotNull,
                                           TDateTime ALocalC, TDateTime ALocalU,
                                           TDateTime APackageC, TDateTime APackageU) {
    return (APackageCNotNull && APackageC > ALocalC) || (APackageUNotNull && APackageU > ALocalU);
}

void TKVPackageImporter::LogError(const QString& AMsg) {
    FMonitor.AddLogMsg(AMsg);
    FResult = false;
}

void TKVPackageImporter::LogException(const Exception& AException) {
    LogError(ExceptionLogMsg(AException));
}

void TKVPackageImporter::SetFlag(TKVPackageTable ATable, bool AValue) {
    if (HasFlag(ATable))
        FFlags[static_cast<size_t>(ATable)] = AValue;
}

bool TKVPackageImporter::ImportData(const QString& AFileName, bool ATestImport) {
    FTestImport = ATestImport;
    FResult = true;
    FHeader = TKVPackageHeader();
    FVirtualList.Clear();
    FRecordedSysUpdates.clear();
    FTotal = 0;
    if (!FDataModule.DBConnected())
        return false;
    if (FTestImport)
        FMonitor.AddLogMsg(QStringLiteral("ВНИМАНИЕ! Импорт производится в тестовом режиме. "
                                          "Данные не будут записаны в БД!"));
    TIBDatabase& package = FDataModule.ExchangeIBDatabase;
    try {
        OpenPackageFile(package, AFileName, FDataModule.CurrentUser());
        FMonitor.AddLogMsg(QStringLiteral("Импорт данных из пакета \"%1\";").arg(AFileName));
        FMonitor.AddLogMsg(QStringLiteral("В БД \"%1\" (DBID %2; версия %3);")
                               .arg(FDataModule.CurrentDataBaseFileName())
                               .arg(FDataModule.CurrentDBId())
                               .arg(FDataModule.CurrentDBVersionStr()));
        if (ReadHeader() && (FHeader.SysUpdate || CheckRelations()))
            ImportTables();
        else
            FResult = false;
    } catch (const Exception& e) {
        LogException(e);
    }
    if (!ClosePackageFile(package, &FMonitor))
        FResult = false;
    FVirtualList.Clear();
    return FResult;
}

bool TKVPackageImporter::ReadHeader() {
    const QString unreadable = PackageErrorText(pecHeaderUnreadable, 0, 0, 0);
    try {
        TIBTransactionScope scope(FDataModule.ExchangeIBTransaction);
        if (!IsPackageDataBase(FDataModule.ExchangeIBDatabase)) {
            LogError(PackageErrorText(pecUnknownStructure, 0, 0, 0));
            return false;
        }
        FHeader = ReadPackageHeader(FDataModule.ExchangeIBTransaction);
        const TKVPackageHeader& h = FHeader;
        if (!h.VersionsRead())
            LogError(unreadable);
        else if (!h.VersionSupported())
            LogError(PackageErrorText(pecUnsupportedVersion, h.Major, h.Minor, h.Build));
        else if (!h.DateValid)
            LogError(unreadable);
        else if (h.SysUpdate)
            FMonitor.AddLogMsg(QStringLiteral("Системное обновление данных версии %1.%2 для БД "
                                              "версии %3.%4.%5 \"%6\";")
                                   .arg(SysUpdateVersionMajor(h.SysUpdateVersion))
                                   .arg(SysUpdateVersionMinor(h.SysUpdateVersion))
                                   .arg(h.Major)
                                   .arg(h.Minor)
                                   .arg(h.Build)
                                   .arg(h.Description));
        else
            FMonitor.AddLogMsg(
                QStringLiteral("Пакет DBID %1 для БД версии %2.%3.%4 \"%5\" экспортирован %6;")
                    .arg(h.DBId)
                    .arg(h.Major)
                    .arg(h.Minor)
                    .arg(h.Build)
                    .arg(h.Description, DateTimeToStr(h.ExportDateTime)));
        if (!h.InfoRead)
            LogError(unreadable);
        scope.Commit();
    } catch (const Exception& e) {
        LogException(e);
        return false;
    }
    return FHeader.ErrorCode() == pecNone;
}

bool TKVPackageImporter::CheckRelations() {
    bool present = true;
    TIBTransaction& tr = FDataModule.ExchangeIBTransaction;
    TKVDataBase& db = FDataModule.DataBase();
    try {
        TIBTransactionScope scope(tr);
        TIBQuery q(&FDataModule.ExchangeIBDatabase, &tr);
        q.SetSQL(QStringLiteral(
            "SELECT S_PARAM, V_INTEGER FROM SYS_VAR WHERE UPPER(S_PARAM) = :VAR_S_PARAM;"));
        q.ParamByName("VAR_S_PARAM").SetAsString(KVPackageHeader::DBSysUpdateRelation);
        for (q.Open(); !q.Eof(); q.Next()) {
            const auto version = static_cast<quint32>(q.Fields(1).AsInteger());
            if (!db.ExistsDBSysUpdate(version)) {
                LogError(QStringLiteral("Ошибка: В БД отсутствуют данные системного обновления "
                                        "версии %1.%2;")
                             .arg(SysUpdateVersionMajor(version))
                             .arg(SysUpdateVersionMinor(version)));
                present = false;
            }
        }
        scope.Commit();
    } catch (const Exception& e) {
        LogException(e);
        present = false;
    }
    try {
        TIBTransactionScope scope(tr);
        TIBQuery q(&FDataModule.ExchangeIBDatabase, &tr);
        q.SetSQL(QStringLiteral("SELECT S_PARAM, V_INTEGER, V_TIMESTAMP FROM SYS_VAR WHERE "
                                "UPPER(S_PARAM) = :VAR_S_PARAM;"));
        q.ParamByName("VAR_S_PARAM").SetAsString(KVPackageHeader::DBRelation);
        for (q.Open(); !q.Eof(); q.Next()) {
            const auto dbid = static_cast<quint32>(q.Fields(1).AsInteger());
            const TDateTime exported = q.Fields(2).AsDateTime();
            if (!db.VerifPackageImported(dbid, exported)) {
                LogError(QStringLiteral("Ошибка: В БД отсутствуют данные пакета DBID %1 (%2);")
                             .arg(dbid)
                             .arg(DateTimeToStr(exported)));
                present = false;
            }
        }
        scope.Commit();
    } catch (const Exception& e) {
        LogException(e);
        present = false;
    }
    return present;
}

void TKVPackageImporter::ImportTables() {
    FFlags.fill(false);
    FImportPackageTime = Now();
    FMonitor.AddLogMsg(
        QStringLiteral("[%1] Импорт данных начат...").arg(DateTimeToStr(FImportPackageTime)));
    try {
        // The package is only read; the open database takes the whole phase or nothing.
        TKVTransactionPair pair(FDataModule.ExchangeIBTransaction, FDataModule.MainIBTransaction);
        TableStep(ptClass);
        TableStep(ptCase);
        TableStep(ptMaker);
        TableStep(ptUnit);
        for (const TKVPackageTable table : {ptClass, ptCase, ptMaker, ptUnit})
            if (Flag(table))
                ReferenceStep(table);
        if (Flag(ptClass) && Flag(ptUnit))
            TableStep(ptBaseParam);
        if (Flag(ptClass) && Flag(ptCase) && Flag(ptMaker))
            TableStep(ptElementType);
        if (Flag(ptBaseParam))
            ReferenceStep(ptBaseParam);
        if (Flag(ptElementType))
            ReferenceStep(ptElementType);
        if (Flag(ptUnit) && Flag(ptBaseParam) && Flag(ptElementType))
            TableStep(ptParam);
        if (Flag(ptElementType)) {
            TableStep(ptPin);
            TableStep(ptElementAnalog);
        }
        if (!FTestImport && FResult) {
            WriteEndRecords();
            if (FResult) {
                pair.Commit();
                ApplyEndRecordsToDataBase();
            }
        }
    } catch (const Exception& e) {
        LogException(e);
    }
    if (FResult)
        FMonitor.AddLogMsg(QStringLiteral("Всего импортировано записей: %1;").arg(FTotal));
    else
        FMonitor.AddLogMsg(
            QStringLiteral("Ошибка: Импорт данных отменен, изменения в БД не сохранены;"));
    FMonitor.AddLogMsg(QStringLiteral("[%1] Импорт данных завершен;").arg(DateTimeToStr(Now())));
    FMonitor.InitProgress(0, 0);
    FMonitor.SetStepLabel(QString());
}

void TKVPackageImporter::TableStep(TKVPackageTable ATable) {
    const TKVPackageTableDesc& desc = PackageTableDesc(ATable);
    FMonitor.SetStepLabel(QStringLiteral("Импорт объектов \" %1 \"...").arg(desc.ObjectName));
    SetFlag(ATable, true);
    try {
        if (FTableStepHook)
            FTableStepHook(ATable);
        TIBDatabase* mainDB = &FDataModule.MainIBDatabase;
        TIBTransaction* mainTr = &FDataModule.MainIBTransaction;
        TIBDatabase* packageDB = &FDataModule.ExchangeIBDatabase;
        TIBTransaction* packageTr = &FDataModule.ExchangeIBTransaction;

        TIBQuery generator(mainDB, mainTr);
        generator.SetSQL(desc.GeneratorSQL());
        generator.Open();
        const auto generatorValue =
            generator.Eof() ? quint32(0) : static_cast<quint32>(generator.Fields(0).AsInt64());
        generator.Close();

        const quint32 packageDBId = FHeader.DBId;
        TIBQuery select(packageDB, packageTr);
        select.SetSQL(desc.CountSQL());
        select.ParamByName("VAR_DBID").SetAsInteger(static_cast<qint32>(packageDBId));
        select.Open();
        const int count = select.Eof() ? 0 : select.Fields(0).AsInteger();
        select.Close();
        FMonitor.AddLogMsg(
            QStringLiteral("Объектов \" %1 \" для импорта: %2;").arg(desc.ObjectName).arg(count));
        FMonitor.InitProgress(0, count);
        if (count <= 0)
            return;

        TIBQuery presence(mainDB, mainTr);
        presence.SetSQL(desc.PresenceSQL());
        TIBQuery insert(mainDB, mainTr);
        insert.SetSQL(desc.InsertSQL(true));
        TIBQuery update(mainDB, mainTr);
        update.SetSQL(desc.UpdateSQL());
        TIBQuery parentExists(mainDB, mainTr);
        parentExists.SetSQL(PackageTableDesc(ptClass).ExistsSQL());
        const TKVPackageRowWriter inserter(desc, insert, pdImport);
        const TKVPackageRowWriter updater(desc, update, pdImport);
        const int created = desc.ColumnIndex(QStringLiteral("C_TIMESTAMP"));
        const int updated = desc.ColumnIndex(QStringLiteral("U_TIMESTAMP"));
        const int parentDBId = desc.ColumnIndex(QStringLiteral("PARENTDBID"));
        const int parentId = desc.ColumnIndex(QStringLiteral("PARENTID"));
        const quint32 ownDBId = FDataModule.CurrentDBId();
        int written = 0;
        int done = 0;

        const auto rowRule = [&](const TKVPackageRow& ARow) {
            const quint32 dbid = ARow[TKVPackageTableDesc::DBIdColumn].Key();
            const quint32 id = ARow[TKVPackageTableDesc::IdColumn].Key();
            if (dbid == ownDBId && id > generatorValue) {
                LogError(QStringLiteral("Объект \" %1 \" [DBID: %2; ID: %3] не может быть "
                                        "импортирован в текущую БД;")
                             .arg(desc.ObjectName)
                             .arg(dbid)
                             .arg(id));
                SetFlag(ATable, false);
                return;
            }
            BindKey(presence, dbid, id);
            presence.Open();
            const bool present = !presence.Eof();
            const TDateTime localC = present ? presence.Fields(0).AsDateTime() : 0;
            const TDateTime localU = present ? presence.Fields(1).AsDateTime() : 0;
            presence.Close();
            const TKVPackageValue& c = ARow[size_t(created)];
            const TKVPackageValue& u = ARow[size_t(updated)];
            const bool newer =
                present && IsPackageRowNewer(!c.Null, !u.Null, localC, localU, c.Float, u.Float);

            if (ATable == ptClass && (!present || newer) &&
                !(ARow[size_t(parentDBId)].Null && ARow[size_t(parentId)].Null)) {
                const quint32 pDBId = ARow[size_t(parentDBId)].Key();
                const quint32 pId = ARow[size_t(parentId)].Key();
                if (!RowExists(parentExists, pDBId, pId) &&
                    !(FTestImport && FVirtualList.ExistsVirtualItem(itClass, pDBId, pId))) {
                    LogError(NotFoundMsg(desc.ObjectName, pDBId, pId));
                    SetFlag(ptClass, false);
                    return;
                }
            }
            for (const TKVPackageReference& r : desc.References) {
                if (!r.Required)
                    continue;
                const TKVPackageValue& refDBId = ARow[size_t(r.DBIdColumn)];
                const TKVPackageValue& refId = ARow[size_t(r.IdColumn)];
                if (refDBId.Null || refId.Null || static_cast<qint32>(refId.Int) <= 0) {
                    LogError(QStringLiteral("Обязательный базовый объект для записи [DBID: %1; "
                                            "ID: %2] не указан;")
                                 .arg(dbid)
                                 .arg(id));
                    if (ATable == ptBaseParam || ATable == ptElementType)
                        SetFlag(ATable, false);
                    return;
                }
            }
            if (present && !newer) {
                FMonitor.AddLogMsg(QStringLiteral("Объект \" %1 \" [DBID: %2; ID: %3] уже имеется;")
                                       .arg(desc.ObjectName)
                                       .arg(dbid)
                                       .arg(id));
                return;
            }
            if (FTestImport) {
                FVirtualList.AddVirtualItem(desc.ItemType, dbid, id);
            } else if (present) {
                updater.Bind(ARow, Now());
                update.ExecSQL();
            } else {
                inserter.Bind(ARow, Now());
                insert.ExecSQL();
            }
            ++written;
        };

        select.SetSQL(desc.SelectSQL(QStringLiteral("WHERE DBID = :VAR_DBID;")));
        select.ParamByName("VAR_DBID").SetAsInteger(static_cast<qint32>(packageDBId));
        select.Open();
        const TKVPackageRowReader reader(desc, select);
        TKVPackageRow row;
        if (ATable == ptClass) {
            std::vector<TKVPackageRow> rows;
            for (; !select.Eof(); select.Next()) {
                reader.Read(row);
                rows.push_back(row);
            }
            select.Close();
            for (const TKVPackageRow& classRow : ClassesParentsFirst(std::move(rows))) {
                rowRule(classRow);
                FMonitor.SetProgressPosition(++done);
            }
        } else {
            for (; !select.Eof(); select.Next()) {
                reader.Read(row);
                rowRule(row);
                FMonitor.SetProgressPosition(++done);
            }
            select.Close();
        }
        FTotal += written;
        FMonitor.AddLogMsg(QStringLiteral("Всего импортировано объектов \" %1 \": %2;")
                               .arg(desc.ObjectName)
                               .arg(written));
    } catch (const Exception& e) {
        LogException(e);
        SetFlag(ATable, false);
    }
}

void TKVPackageImporter::ReferenceStep(TKVPackageTable ATable) {
    const TKVPackageTableDesc& desc = PackageTableDesc(ATable);
    try {
        TIBQuery keys(&FDataModule.ExchangeIBDatabase, &FDataModule.ExchangeIBTransaction);
        keys.SetSQL(ReferringKeysSQL(ATable));
        TIBQuery exists(&FDataModule.MainIBDatabase, &FDataModule.MainIBTransaction);
        exists.SetSQL(desc.ExistsSQL());
        for (keys.Open(); !keys.Eof(); keys.Next()) {
            const auto dbid = static_cast<quint32>(keys.Fields(0).AsInteger());
            const auto id = static_cast<quint32>(keys.Fields(1).AsInteger());
            if (RowExists(exists, dbid, id) ||
                (FTestImport && FVirtualList.ExistsVirtualItem(desc.ItemType, dbid, id)))
                continue;
            LogError(NotFoundMsg(desc.ObjectName, dbid, id));
            SetFlag(ATable, false);
        }
        keys.Close();
    } catch (const Exception& e) {
        LogException(e);
    }
}

void TKVPackageImporter::WriteEndRecords() {
    try {
        TIBQuery record(&FDataModule.MainIBDatabase, &FDataModule.MainIBTransaction);
        record.SetSQL(QStringLiteral(
            "UPDATE OR INSERT INTO SYS_VAR (S_PARAM, V_INTEGER, V_FLOAT, V_STRING, V_TIMESTAMP) "
            "VALUES (:VAR_S_PARAM, :VAR_V_INTEGER, NULL, :VAR_V_STRING, :VAR_V_TIMESTAMP) "
            "MATCHING (S_PARAM, V_INTEGER);"));
        const auto write = [&record](const QString& AParam, quint32 AInteger, const QString& AText,
                                     TDateTime ATime) {
            record.ParamByName("VAR_S_PARAM").SetAsString(AParam);
            record.ParamByName("VAR_V_INTEGER").SetAsInteger(static_cast<qint32>(AInteger));
            record.ParamByName("VAR_V_STRING").SetAsString(AText);
            if (ATime != 0)
                record.ParamByName("VAR_V_TIMESTAMP").SetAsDateTime(ATime);
            else
                record.ParamByName("VAR_V_TIMESTAMP").Clear();
            record.ExecSQL();
        };
        if (!FHeader.SysUpdate) {
            write(KVPackageHeader::PackageImported, FHeader.DBId, FHeader.Description,
                  FHeader.ExportDateTime);
            return;
        }
        if (FHeader.NoInclude) {
            FMonitor.AddLogMsg(QStringLiteral("Внимание! Информация об этом пакете не будет "
                                              "включена в список обновлений!"));
            return;
        }
        TIBQuery include(&FDataModule.ExchangeIBDatabase, &FDataModule.ExchangeIBTransaction);
        include.SetSQL(QStringLiteral(
            "SELECT V_INTEGER, V_STRING FROM SYS_VAR WHERE S_PARAM = :VAR_S_PARAM;"));
        include.ParamByName("VAR_S_PARAM").SetAsString(KVPackageHeader::DBSysUpdateInclude);
        for (include.Open(); !include.Eof(); include.Next())
            FRecordedSysUpdates.emplace_back(static_cast<quint32>(include.Fields(0).AsInteger()),
                                             include.Fields(1).AsString());
        include.Close();
        FRecordedSysUpdates.emplace_back(FHeader.SysUpdateVersion, FHeader.Description);
        for (const auto& [version, text] : FRecordedSysUpdates)
            write(KVPackageHeader::DBSysUpdate, version, text, 0);
    } catch (const Exception& e) {
        LogException(e);
    }
}

void TKVPackageImporter::ApplyEndRecordsToDataBase() {
    TKVDataBase& db = FDataModule.DataBase();
    if (!FHeader.SysUpdate) {
        db.AddOrUpdatePackageImported(FHeader.DBId, FHeader.Description, FHeader.ExportDateTime);
        return;
    }
    for (const auto& [version, text] : FRecordedSysUpdates)
        db.AddOrUpdateDBSysUpdate(version, text);
}
