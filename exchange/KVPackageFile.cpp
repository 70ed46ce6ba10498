#include "exchange/KVPackageFile.h"

#include "core/KVDataBaseOpen.h"
#include "exchange/KVPackageTables.h"
#include "platform/ib/IBQuery.h"

namespace {

const QString kCRLF = QStringLiteral("\r\n");

QString QuotedInfoLine(const QString& AHead, const QString& AText) {
    return QStringLiteral("%1; \" %2 \"").arg(AHead, AText);
}

// "DBID: %d; \" %s \"; Exported: %s"
QString PackageLine(quint32 ADBId, const QString& ADescription, TDateTime AExportDateTime) {
    return QuotedInfoLine(QStringLiteral("DBID: %1").arg(ADBId), ADescription) +
           QStringLiteral("; Exported: %1").arg(DateTimeToStr(AExportDateTime));
}

QString SysUpdateLine(quint32 AVersion, const QString& AText) {
    return QuotedInfoLine(SysUpdateVersionStr(AVersion), AText);
}

quint32 CountRows(TIBTransaction& ATransaction, const QString& ATable) {
    TIBQuery q(ATransaction.DefaultDatabase(), &ATransaction);
    q.SetSQL(QStringLiteral("SELECT COUNT(ID) FROM %1;").arg(ATable));
    q.Open();
    return q.Eof() ? 0 : static_cast<quint32>(q.Fields(0).AsInt64());
}

} // namespace

QString PackageErrorText(int AErrorCode, int AMajor, int AMinor, int ABuild) {
    switch (AErrorCode) {
    case pecNone:
        return QString();
    case pecUnsupportedVersion:
        return QStringLiteral("Ошибка: Пакет версии БД %1.%2.%3 не поддерживается;")
            .arg(AMajor)
            .arg(AMinor)
            .arg(ABuild);
    case pecHeaderUnreadable:
        return QStringLiteral("Ошибка: Не удалось прочитать служебные данные пакета;");
    default:
        return QStringLiteral("Ошибка: Неизвестная структура пакета;");
    }
}

QString SysUpdateVersionStr(quint32 AVersion) {
    return QStringLiteral("%1.%2")
        .arg(SysUpdateVersionMajor(AVersion))
        .arg(SysUpdateVersionMinor(AVersion));
}

void CreatePackageFile(TIBDatabase& ADataBase, const QString& AFileName) {
    ClosePackageFile(ADataBase);
    ADataBase.SetDatabaseName(AFileName);
    ADataBase.Params().clear();
    ADataBase.CreateDatabase();
    ADataBase.Close();
}

void OpenPackageFile(TIBDatabase& ADataBase, const QString& AFileName, const QString& AUserName) {
    ClosePackageFile(ADataBase);
    CheckDataBaseFile(AFileName);
    ADataBase.SetDatabaseName(AFileName);
    ADataBase.Params().clear();
    ADataBase.Params() << QStringLiteral("user_name=") + AUserName;
    ADataBase.Open();
}

bool ClosePackageFile(TIBDatabase& ADataBase, TKVExchangeMonitor* AMonitor) {
    try {
        ADataBase.Close();
        return true;
    } catch (const Exception& e) {
        if (AMonitor)
            AMonitor->AddLogMsg(ExceptionLogMsg(e));
        return false;
    }
}

void CreatePackageTables(TIBTransaction& ATransaction) {
    TIBTransactionScope scope(ATransaction);
    TIBQuery q(ATransaction.DefaultDatabase(), &ATransaction);
    q.SetParamCheck(false);
    for (int t = 0; t < ptCount; ++t) {
        q.SetSQL(PackageTableDesc(static_cast<TKVPackageTable>(t)).CreateSQL);
        q.ExecSQL();
    }
    scope.Commit();
}

bool IsPackageDataBase(TIBDatabase& ADataBase) {
    return IsPackageTableList(ADataBase.GetTableNames());
}

void WritePackageHeader(TIBTransaction& ATransaction, quint32 ADBId, const QString& ADescription,
                        TDateTime AExportDateTime, TKVDataBase& AFrom) {
    TIBQuery q(ATransaction.DefaultDatabase(), &ATransaction);
    q.SetSQL(QStringLiteral("INSERT INTO SYS_VAR (ID, S_PARAM, V_INTEGER, V_FLOAT, V_STRING, "
                            "V_TIMESTAMP) VALUES (:VAR_ID, :VAR_S_PARAM, :VAR_V_INTEGER, NULL, "
                            ":VAR_V_STRING, :VAR_V_TIMESTAMP)"));
    int id = 0;
    // AString and ATime are NULL when not given.
    const auto insert = [&](const QString& AParam, qint64 AInteger, const QString* AString,
                            const TDateTime* ATime) {
        q.ParamByName(QStringLiteral("VAR_ID")).SetAsInteger(++id);
        q.ParamByName(QStringLiteral("VAR_S_PARAM")).SetAsString(AParam);
        q.ParamByName(QStringLiteral("VAR_V_INTEGER")).SetAsInteger(static_cast<qint32>(AInteger));
        if (AString)
            q.ParamByName(QStringLiteral("VAR_V_STRING")).SetAsString(*AString);
        else
            q.ParamByName(QStringLiteral("VAR_V_STRING")).Clear();
        if (ATime)
            q.ParamByName(QStringLiteral("VAR_V_TIMESTAMP")).SetAsDateTime(*ATime);
        else
            q.ParamByName(QStringLiteral("VAR_V_TIMESTAMP")).Clear();
        q.ExecSQL();
    };
    insert(KVPackageHeader::PackageInfo, ADBId, &ADescription, &AExportDateTime);
    insert(KVPackageHeader::MajorVersion, KVDBMajorVersion, nullptr, nullptr);
    insert(KVPackageHeader::MinorVersion, KVDBMinorVersion, nullptr, nullptr);
    insert(KVPackageHeader::BuildVersion, KVDBBuildVersion, nullptr, nullptr);
    if (!AFrom.PackageImportedEmpty()) {
        AFrom.PackageImportedFirst();
        TKVDataBasePackageImported package;
        while (!AFrom.PackageImportedEof() && AFrom.PackageImportedGetRecord(package)) {
            insert(KVPackageHeader::DBRelation, package.PackageDBId, &package.Description,
                   package.ExportDateTime > 0 ? &package.ExportDateTime : nullptr);
            AFrom.PackageImportedNext();
        }
    }
    if (!AFrom.DBSysUpdateEmpty()) {
        AFrom.DBSysUpdateFirst();
        TKVDataBaseSysUpdate update;
        while (!AFrom.DBSysUpdateEof() && AFrom.DBSysUpdateGetRecord(update)) {
            insert(KVPackageHeader::DBSysUpdateRelation,
                   TKVDataBase::DBSysUpdateVersionsToInt(update.SysUpdMajorVersion,
                                                         update.SysUpdMinorVersion),
                   &update.SysUpdVersionStr, nullptr);
            AFrom.DBSysUpdateNext();
        }
    }
}

int TKVPackageHeader::ErrorCode() const {
    int code = pecHeaderUnreadable;
    if (VersionsRead())
        code = !VersionSupported() ? pecUnsupportedVersion
                                   : (DateValid ? pecNone : pecHeaderUnreadable);
    if (!InfoRead)
        code = pecHeaderUnreadable;
    return code;
}

TKVPackageHeader ReadPackageHeader(TIBTransaction& ATransaction) {
    TKVPackageHeader h;
    TIBQuery q(ATransaction.DefaultDatabase(), &ATransaction);
    q.SetSQL(QStringLiteral("SELECT S_PARAM, V_INTEGER, V_STRING, V_TIMESTAMP FROM SYS_VAR;"));
    q.Open();
    TIBField& name = q.Fields(0);
    TIBField& integer = q.Fields(1);
    TIBField& text = q.Fields(2);
    TIBField& time = q.Fields(3);
    const auto is = [&name](const QString& AName) {
        return name.AsString().compare(AName, Qt::CaseInsensitive) == 0;
    };
    while (!q.Eof()) {
        if (is(KVPackageHeader::DBSysUpdateInfo)) {
            h.SysUpdate = true;
            h.DBId = 0;
            h.SysUpdateVersion = static_cast<quint32>(integer.AsInteger());
            h.Description = text.AsString();
            h.InfoRead = true;
            h.DateValid = true;
        } else if (is(KVPackageHeader::PackageInfo)) {
            if (!h.SysUpdate) {
                h.DBId = static_cast<quint32>(integer.AsInteger());
                h.Description = text.AsString();
                h.ExportDateTime = time.AsDateTime();
                h.InfoRead = true;
                h.DateValid = h.ExportDateTime > 0;
            }
        } else if (is(KVPackageHeader::MajorVersion)) {
            h.Major = integer.AsInteger();
            h.MajorRead = true;
        } else if (is(KVPackageHeader::MinorVersion)) {
            h.Minor = integer.AsInteger();
            h.MinorRead = true;
        } else if (is(KVPackageHeader::BuildVersion)) {
            h.Build = integer.AsInteger();
            h.BuildRead = true;
        } else if (is(KVPackageHeader::NoIncludeInfo)) {
            h.NoInclude = integer.AsInteger() > 0;
        }
        q.Next();
    }
    return h;
}

TKVPackageInfo ReadPackageInfo(TIBDatabase& ADataBase, TIBTransaction& ATransaction,
                               const QString& AFileName, const QString& AUserName,
                               TKVExchangeMonitor& AMonitor) {
    TKVPackageInfo info;
    info.piPackageFile = AFileName;
    info.piErrorCode = pecUnknownStructure;
    try {
        OpenPackageFile(ADataBase, AFileName, AUserName);
        try {
            TIBTransactionScope scope(ATransaction);
            if (IsPackageDataBase(ADataBase)) {
                const TKVPackageHeader h = ReadPackageHeader(ATransaction);
                info.piPackageDBID = h.DBId;
                info.piPackageDescription = h.Description;
                info.piDBMajorVersion = h.Major;
                info.piDBMinorVersion = h.Minor;
                info.piDBBuildVersion = h.Build;
                info.piDBSysUpdate = h.SysUpdate;
                info.piDBSysUpdateVersion = static_cast<qint32>(h.SysUpdateVersion);
                info.piDBSysNoIncludeInfo = h.NoInclude;
                info.piPackageExportDateTime = h.ExportDateTime;
                info.piErrorCode = h.ErrorCode();
            }
            if (info.piErrorCode == pecNone) {
                TIBQuery q(&ADataBase, &ATransaction);
                QStringList include;
                if (info.piDBSysUpdate) {
                    q.SetSQL(QStringLiteral("SELECT S_PARAM, V_INTEGER, V_STRING FROM SYS_VAR "
                                            "WHERE UPPER(S_PARAM) = :VAR_S_PARAM;"));
                    q.ParamByName(QStringLiteral("VAR_S_PARAM"))
                        .SetAsString(KVPackageHeader::DBSysUpdateInclude);
                    for (q.Open(); !q.Eof(); q.Next())
                        include << SysUpdateLine(static_cast<quint32>(q.Fields(1).AsInteger()),
                                                 q.Fields(2).AsString());
                    q.Close();
                } else {
                    include << PackageLine(info.piPackageDBID, info.piPackageDescription,
                                           info.piPackageExportDateTime);
                }
                info.piIncludeInfo = include.join(kCRLF);

                if (!info.piDBSysUpdate) {
                    QStringList relations;
                    q.SetSQL(QStringLiteral(
                        "SELECT S_PARAM, V_INTEGER, V_STRING, V_TIMESTAMP FROM SYS_VAR;"));
                    for (q.Open(); !q.Eof(); q.Next()) {
                        const QString name = q.Fields(0).AsString();
                        const auto version = static_cast<quint32>(q.Fields(1).AsInteger());
                        if (name.compare(KVPackageHeader::DBRelation, Qt::CaseInsensitive) == 0)
                            relations << PackageLine(version, q.Fields(2).AsString(),
                                                     q.Fields(3).AsDateTime());
                        else if (name.compare(KVPackageHeader::DBSysUpdateRelation,
                                              Qt::CaseInsensitive) == 0)
                            relations << SysUpdateLine(version, q.Fields(2).AsString());
                    }
                    q.Close();
                    info.piRelationInfo = relations.join(kCRLF);
                }

                info.piClassesCount = CountRows(ATransaction, QStringLiteral("T_CLASS"));
                info.piCasesCount = CountRows(ATransaction, QStringLiteral("T_CASE"));
                info.piMakersCount = CountRows(ATransaction, QStringLiteral("T_MAKER"));
                info.piUnitsCount = CountRows(ATransaction, QStringLiteral("T_UNIT"));
                info.piBaseParamsCount = CountRows(ATransaction, QStringLiteral("T_BASE_PARAM"));
                info.piElementTypesCount =
                    CountRows(ATransaction, QStringLiteral("T_ELEMENT_TYPE"));
                info.piParamsCount = CountRows(ATransaction, QStringLiteral("T_PARAM"));
                info.piPinsCount = CountRows(ATransaction, QStringLiteral("T_PIN"));
                info.piElementAnalogsCount =
                    CountRows(ATransaction, QStringLiteral("T_ELEMENT_ANALOG"));
            }
            scope.Commit();
        } catch (const Exception& e) {
            AMonitor.AddLogMsg(ExceptionLogMsg(e));
        }
    } catch (const Exception& e) {
        AMonitor.AddLogMsg(ExceptionLogMsg(e));
    }
    ClosePackageFile(ADataBase, &AMonitor);
    return info;
}

std::vector<TKVPackageInfoRow> PackageGeneralRows(const TKVPackageInfo& AInfo) {
    std::vector<TKVPackageInfoRow> rows;
    rows.push_back({QStringLiteral("Файл пакета"), AInfo.piPackageFile});
    rows.push_back({QStringLiteral("Версия БД"), QStringLiteral("%1.%2.%3")
                                                     .arg(AInfo.piDBMajorVersion)
                                                     .arg(AInfo.piDBMinorVersion)
                                                     .arg(AInfo.piDBBuildVersion)});
    if (!AInfo.piDBSysUpdate) {
        rows.push_back(
            {QStringLiteral("Пакет обновления"), QStringLiteral("тематический/пользовательский")});
        rows.push_back({QStringLiteral("DBID"), QString::number(AInfo.piPackageDBID)});
        rows.push_back({QStringLiteral("Описание"), AInfo.piPackageDescription});
        return rows;
    }
    rows.push_back({QStringLiteral("Пакет обновления"), QStringLiteral("системный")});
    rows.push_back({QStringLiteral("Версия обновления"),
                    SysUpdateVersionStr(static_cast<quint32>(AInfo.piDBSysUpdateVersion))});
    rows.push_back({QStringLiteral("Дата экспорта"), DateTimeToStr(AInfo.piPackageExportDateTime)});
    rows.push_back({QStringLiteral("Описание"), AInfo.piPackageDescription});
    if (AInfo.piDBSysNoIncludeInfo)
        rows.push_back({QStringLiteral("Информация о пакете"),
                        QStringLiteral("не будет включена в список импорта!")});
    return rows;
}

std::vector<TKVPackageInfoRow> PackageCompositionRows(const TKVPackageInfo& AInfo) {
    const std::pair<const char*, quint32> counts[] = {
        {"Классы:", AInfo.piClassesCount},
        {"Корпуса:", AInfo.piCasesCount},
        {"Производители:", AInfo.piMakersCount},
        {"Единицы измерения:", AInfo.piUnitsCount},
        {"Базовые параметры:", AInfo.piBaseParamsCount},
        {"Типы элементов:", AInfo.piElementTypesCount},
        {"Параметры:", AInfo.piParamsCount},
        {"Выводы:", AInfo.piPinsCount},
        {"Аналоги элементов:", AInfo.piElementAnalogsCount}};
    std::vector<TKVPackageInfoRow> rows;
    for (const auto& [caption, count] : counts)
        rows.push_back({QString::fromUtf8(caption), QString::number(count)});
    return rows;
}

QStringList PackageInfoLines(const QString& AText) {
    return AText.isEmpty() ? QStringList() : AText.split(kCRLF);
}

QString PackageInfoClipboardText(const TKVPackageInfo& AInfo) {
    QStringList lines;
    lines << QStringLiteral("Общая информация\r\n\r\n");
    for (const TKVPackageInfoRow& row : PackageGeneralRows(AInfo))
        lines << (row.Value.isEmpty() ? row.Caption
                                      : row.Caption + QStringLiteral(":  ") + row.Value);
    lines << QStringLiteral("\r\n\r\nПакет содержит обновления:\r\n\r\n");
    lines << PackageInfoLines(AInfo.piIncludeInfo);
    lines << QStringLiteral("\r\n\r\nПакет требует наличие обновлений:\r\n\r\n");
    lines << PackageInfoLines(AInfo.piRelationInfo);
    lines << QStringLiteral("\r\n\r\nСостав пакета\r\n\r\n");
    for (const TKVPackageInfoRow& row : PackageCompositionRows(AInfo))
        lines << row.Caption + QLatin1Char(' ') + row.Value;
    QString text;
    for (const QString& line : lines)
        text += line + kCRLF;
    return text;
}
