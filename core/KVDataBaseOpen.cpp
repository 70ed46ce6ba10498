#include "core/KVDataBaseOpen.h"

#include "core/KVUserInterface.h"
#include "platform/ib/IBDataBaseFile.h"

#include <QDir>
#include <cerrno>
#include <cstring>
#include <ibase.h>

namespace {

const QString kRestore = QStringLiteral("Восстановите базу из резервной копии.");

QString OtherVersionText(const QString& AFile, const QString& AVersion) {
    return QStringLiteral("Файл «%1» — база данных другой версии Firebird%2, а программа "
                          "открывает базы Firebird 3 (структура ODS 12).\n"
                          "Переведите базу в формат Firebird 3: сделайте её копию (gbak) в той "
                          "версии Firebird, в которой она создана, и восстановите копию в "
                          "Firebird 3.")
        .arg(AFile, AVersion);
}

} // namespace

void CheckDataBaseFile(const QString& AFileName) {
    const TIBFileCheck check = IBCheckDataBaseFile(AFileName);
    const QString file = QDir::toNativeSeparators(AFileName);
    switch (check.FVerdict) {
    case fvDataBase:
        return;
    case fvUnreadable:
        if (check.FSystemError == EACCES || check.FSystemError == EPERM)
            throw EDataBaseFileError(
                QStringLiteral("Нет прав на чтение файла базы данных «%1».\n"
                               "Попросите администратора компьютера открыть вам доступ к файлу "
                               "или скопируйте базу в свою папку.")
                    .arg(file));
        throw EDataBaseFileError(QStringLiteral("Не удалось прочитать файл базы данных «%1» "
                                                "(ошибка системы %2: %3).\n"
                                                "Проверьте, доступен ли диск с этим файлом, и "
                                                "подключитесь снова.")
                                     .arg(file)
                                     .arg(check.FSystemError)
                                     .arg(QString::fromLocal8Bit(std::strerror(check.FSystemError))));
    case fvEmpty:
        throw EDataBaseFileError(QStringLiteral("Файл «%1» пуст: в нём нет базы данных.\n"
                                                "Выберите другой файл или восстановите базу из "
                                                "резервной копии.")
                                     .arg(file));
    case fvNotADataBase:
        throw EDataBaseFileError(QStringLiteral("Файл «%1» не является базой данных.\n"
                                                "Выберите файл базы данных программы (обычно с "
                                                "расширением .fdb).")
                                     .arg(file));
    case fvOtherVersion:
        throw EDataBaseFileError(OtherVersionText(
            file, QStringLiteral(" (структура ODS %1.%2)").arg(check.FODSMajor).arg(check.FODSMinor)));
    case fvTruncated:
        throw EDataBaseFileError(QStringLiteral("Файл базы данных «%1» обрезан: в нём %2 байт, а "
                                                "база занимает не меньше %3 байт.\n"
                                                "Вероятно, файл скопирован не до конца. "
                                                "Скопируйте базу заново или восстановите её из "
                                                "резервной копии.")
                                     .arg(file)
                                     .arg(check.FSize)
                                     .arg(check.FExpectedSize));
    case fvDamaged:
        throw EDataBaseFileError(QStringLiteral("Файл базы данных «%1» повреждён: за его "
                                                "заголовком нет страниц базы данных.\n%2")
                                     .arg(file, kRestore));
    }
}

QString DataBaseOpenErrorText(const EIBError& AError, const QString& AFileName) {
    const QString file = QDir::toNativeSeparators(AFileName);
    const auto has = [&](ISC_STATUS ACode) { return AError.HasIBErrorCode(int(ACode)); };
    if (has(isc_no_priv) || has(isc_io_access_err))
        return QStringLiteral("Нет прав на запись в файл базы данных «%1», а программа открывает "
                              "базу только с правом записи.\n"
                              "Разрешите запись в этот файл (снимите с него защиту от записи) "
                              "или скопируйте базу в папку, где у вас есть право записи, и "
                              "подключитесь снова.")
            .arg(file);
    if (has(isc_already_opened) || has(isc_lock_timeout))
        return QStringLiteral("Файл базы данных «%1» занят другой программой: его уже открыла "
                              "другая копия этой программы или другая программа, работающая с "
                              "базами Firebird.\n"
                              "Закройте базу в той программе и подключитесь снова.")
            .arg(file);
    if (has(isc_badodsver) || has(isc_wrong_ods))
        return OtherVersionText(file, QString());
    if (has(isc_shutdown))
        return QStringLiteral("База данных «%1» закрыта для подключений: её перевели в режим "
                              "обслуживания.\n"
                              "Верните базу в рабочий режим (gfix -online) и подключитесь снова.")
            .arg(file);
    if (has(isc_db_corrupt) || has(isc_bug_check) || has(isc_bad_checksum) ||
        has(isc_page_type_err) || has(isc_io_read_err) || has(isc_bad_db_format))
        return QStringLiteral("Файл базы данных «%1» повреждён, и открыть базу нельзя.\n%2 Или "
                              "проверьте и исправьте её утилитой gfix.")
            .arg(file, kRestore);
    if (has(isc_io_open_err))
        return QStringLiteral("Не удалось открыть файл базы данных «%1».\n"
                              "Проверьте, что файл на месте и доступен, и подключитесь снова.")
            .arg(file);
    return QStringLiteral("Не удалось подключиться к базе данных «%1».\n"
                          "Что ответил сервер баз данных, сказано в подробностях.")
        .arg(file);
}

void ShowDataBaseOpenError(const Exception& AError, const QString& AFileName, bool AOwnedByApp) {
    if (const auto* engine = dynamic_cast<const EIBError*>(&AError)) {
        KVUserInterface().ShowSystemErrorDetails(engine->ClassName(),
                                                 DataBaseOpenErrorText(*engine, AFileName),
                                                 engine->Message(), AOwnedByApp);
        return;
    }
    KVUserInterface().ShowSystemError(AError.ClassName(), AError.Message(), AOwnedByApp);
}
