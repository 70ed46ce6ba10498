#include "exchange/KVPriceImport.h"

#include "core/KVTransaction.h"
#include "core/udmMain.h"
#include "exchange/KVPackageTables.h"
#include "exchange/KVWorkbookTemplate.h"
#include "platform/ib/IBQuery.h"
#include "platform/xls/XlsWorkbook.h"

#include <QDate>
#include <QHash>
#include <QLocale>
#include <QSet>

#include <cmath>

namespace {

// Columns of the price list.
constexpr int kNameColumn = 0;
constexpr int kPriceColumn = 1;
constexpr int kNoteColumn = 2;

// The current date and time as the log's first and last lines show them.
QString NowText() {
    return QLocale().toString(QDate::currentDate(), QLocale::ShortFormat) + QLatin1Char(' ') +
           TimeToStrKV(QTime::currentTime());
}

// The key under which a sheet's name and a catalogue's name meet.
QString NameKey(const QString& AName) {
    return AName.trimmed().toUpper();
}

} // namespace

QString CutElementTypeName(const QString& AText) {
    for (qsizetype i = 0; i < AText.size(); ++i) {
        const QChar c = AText.at(i);
        if (c == u' ' || c == u',' || c == u'.' || c == u';')
            return AText.left(i);
    }
    return AText;
}

void ClearElementTypeNames(TXlsSheet& ASheet, TKVExchangeMonitor* AMonitor) {
    const int rows = ASheet.RowCount();
    if (rows <= 1)
        return;
    if (AMonitor)
        AMonitor->InitProgress(0, rows);
    for (int r = 1; r < rows; ++r) {
        const QString text = ASheet.CellText(kNameColumn, r).trimmed();
        const QString name = CutElementTypeName(text);
        if (name != ASheet.CellText(kNameColumn, r))
            ASheet.SetCellText(kNameColumn, r, name);
        if (AMonitor)
            AMonitor->SetProgressPosition(r);
    }
    if (AMonitor)
        AMonitor->SetProgressPosition(0);
}

void MakePriceTemplate(TXlsWorkbook& ABook, const QString& ACurrencyName) {
    MakeWorkbookTemplate(ABook, {{QStringLiteral("Тип элемента"), 200},
                                 {QStringLiteral("Цена (%1)").arg(ACurrencyName), 60},
                                 {QStringLiteral("Примечание"), 300}});
}

bool ParsePriceText(const QString& AText, double& AValue) {
    QLocale locale;
    locale.setNumberOptions(locale.numberOptions() | QLocale::RejectGroupSeparator);
    bool ok = false;
    const double value = locale.toDouble(AText.trimmed(), &ok);
    if (!ok || !std::isfinite(value))
        return false;
    AValue = value;
    return true;
}

TKVPriceImporter::TKVPriceImporter(TdmMain& ADataModule, TKVExchangeMonitor& AMonitor)
    : FDataModule(ADataModule), FMonitor(AMonitor) {}

bool TKVPriceImporter::ImportPriceData(const TXlsSheet* ASheet, bool ATestImport) {
    FImportedCount = 0;
    FSkippedCount = 0;
    if (!FDataModule.DBConnected() || ASheet == nullptr || FSupplierId == 0)
        return true;
    FMonitor.AddLogMsg(QStringLiteral("[%1] Импорт данных начат...").arg(NowText()));
    if (ATestImport)
        FMonitor.AddLogMsg(QStringLiteral("ВНИМАНИЕ! Импорт производится в тестовом режиме. "
                                          "Данные не будут записаны в БД!"));
    const TXlsSheet& sheet = *ASheet;
    const int rowCount = sheet.RowCount();
    // The note column may be left out.
    const bool hasRows = sheet.ColumnCount() >= 2 && rowCount >= 2;
    bool done = true;
    if (hasRows) {
        FMonitor.InitProgress(0, rowCount);
        TIBDatabase* db = &FDataModule.MainIBDatabase;
        TIBTransaction* tr = &FDataModule.MainIBTransaction;
        done = RunInTransaction(*tr, epShowError, [&] {
            // Every element type under its name (the first of several with one name), and the
            // types that have a price at the supplier, each read once.
            QHash<QString, quint64> types;
            {
                TIBQuery select(db, tr);
                const bool byClass = FClassDBId != 0 || FClassId != 0;
                select.SetSQL(byClass ? QStringLiteral("SELECT DBID, ID, S_TYPENAME FROM "
                                                       "T_ELEMENT_TYPE WHERE CLASSDBID = "
                                                       ":VAR_CLASSDBID AND CLASSID = :VAR_CLASSID;")
                                      : QStringLiteral("SELECT DBID, ID, S_TYPENAME FROM "
                                                       "T_ELEMENT_TYPE;"));
                if (byClass) {
                    select.ParamByName("VAR_CLASSDBID").SetAsInteger(qint32(FClassDBId));
                    select.ParamByName("VAR_CLASSID").SetAsInteger(qint32(FClassId));
                }
                select.Open();
                TIBField& dbid = select.Fields(0);
                TIBField& id = select.Fields(1);
                TIBField& name = select.Fields(2);
                for (; !select.Eof(); select.Next()) {
                    const QString key = NameKey(name.AsString());
                    if (!types.contains(key))
                        types.insert(key, PackageKeyOf(quint32(dbid.AsInteger()),
                                                       quint32(id.AsInteger())));
                }
            }
            QSet<quint64> priced;
            {
                TIBQuery select(db, tr);
                select.SetSQL(QStringLiteral("SELECT ELEMENTTYPEDBID, ELEMENTTYPEID FROM "
                                             "T_ELEMENT_SUPPLIER WHERE SUPPLIERID = "
                                             ":VAR_SUPPLIERID;"));
                select.ParamByName("VAR_SUPPLIERID").SetAsInteger(qint32(FSupplierId));
                for (select.Open(); !select.Eof(); select.Next())
                    priced.insert(PackageKeyOf(quint32(select.Fields(0).AsInteger()),
                                               quint32(select.Fields(1).AsInteger())));
            }

            TIBQuery update(db, tr);
            update.SetSQL(QStringLiteral(
                "UPDATE T_ELEMENT_SUPPLIER SET V_PRICE = :VAR_V_PRICE, S_TEXT = :VAR_S_TEXT, "
                "V_FLAG = :VAR_V_FLAG, U_TIMESTAMP = :VAR_U_TIMESTAMP WHERE ELEMENTTYPEDBID = "
                ":VAR_ELEMENTTYPEDBID AND ELEMENTTYPEID = :VAR_ELEMENTTYPEID AND SUPPLIERID = "
                ":VAR_SUPPLIERID;"));
            TIBQuery insert(db, tr);
            insert.SetSQL(QStringLiteral(
                "INSERT INTO T_ELEMENT_SUPPLIER (ID, ELEMENTTYPEDBID, ELEMENTTYPEID, SUPPLIERID, "
                "V_PRICE, S_TEXT, V_FLAG, C_TIMESTAMP, U_TIMESTAMP) VALUES (NULL, "
                ":VAR_ELEMENTTYPEDBID, :VAR_ELEMENTTYPEID, :VAR_SUPPLIERID, :VAR_V_PRICE, "
                ":VAR_S_TEXT, :VAR_V_FLAG, :VAR_C_TIMESTAMP, NULL);"));

            for (int r = 1; r < rowCount; ++r) {
                FMonitor.SetProgressPosition(r);
                const QString name = NameKey(sheet.CellText(kNameColumn, r));
                if (name.isEmpty())
                    continue;
                const auto type = types.constFind(name);
                if (type == types.cend()) {
                    FMonitor.AddLogMsg(QStringLiteral("Тип элемента \" %1 \" не найден;").arg(name));
                    ++FSkippedCount;
                    continue;
                }
                const TXlsCell& priceCell = sheet.Cell(kPriceColumn, r);
                double price = priceCell.Number();
                if (priceCell.Kind() != xckNumber && !ParsePriceText(priceCell.Text(), price)) {
                    FMonitor.AddLogMsg(
                        QStringLiteral("Ошибка: не удалось опеределить значение в ячейке [%1; %2];")
                            .arg(r)
                            .arg(kPriceColumn));
                    ++FSkippedCount;
                    continue;
                }
                const QString note = sheet.CellText(kNoteColumn, r).trimmed();
                if (!ATestImport) {
                    // One statement per row: a row the database refuses changes nothing and
                    // the run goes on.
                    const bool exists = priced.contains(*type);
                    TIBQuery& write = exists ? update : insert;
                    try {
                        write.ParamByName("VAR_ELEMENTTYPEDBID")
                            .SetAsInteger(qint32(quint32(*type >> 32)));
                        write.ParamByName("VAR_ELEMENTTYPEID")
                            .SetAsInteger(qint32(quint32(*type & 0xFFFFFFFFu)));
                        write.ParamByName("VAR_SUPPLIERID").SetAsInteger(qint32(FSupplierId));
                        write.ParamByName("VAR_V_PRICE").SetAsDouble(price);
                        if (note.isEmpty())
                            write.ParamByName("VAR_S_TEXT").Clear();
                        else
                            write.ParamByName("VAR_S_TEXT").SetAsString(note);
                        write.ParamByName("VAR_V_FLAG").Clear();
                        write.ParamByName(exists ? "VAR_U_TIMESTAMP" : "VAR_C_TIMESTAMP")
                            .SetAsDateTime(Now());
                        write.ExecSQL();
                    } catch (const Exception& e) {
                        FMonitor.AddLogMsg(
                            QStringLiteral("Ошибка: строка %1 не импортирована;").arg(r));
                        FMonitor.AddLogMsg(ExceptionLogMsg(e));
                        ++FSkippedCount;
                        continue;
                    }
                    priced.insert(*type);
                }
                ++FImportedCount;
            }
        });
        FMonitor.SetProgressPosition(0);
        if (!done && !ATestImport)
            FImportedCount = 0; // nothing was committed
    }
    FMonitor.AddLogMsg(QStringLiteral("Всего импортировано записей: %1;").arg(FImportedCount));
    if (FSkippedCount > 0)
        FMonitor.AddLogMsg(QStringLiteral("Пропущено записей с ошибками: %1;").arg(FSkippedCount));
    FMonitor.AddLogMsg(QStringLiteral("[%1] Импорт данных завершен;").arg(NowText()));
    return done && FSkippedCount == 0;
}
