#include "catalogue/KVDataSheet.h"

#include "core/KVWebAddress.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QMimeDatabase>
#include <QRegularExpression>

#include <optional>

namespace {

// Kinds of files that the desktop runs rather than shows.
bool IsProgram(const QFileInfo& AFile) {
    if (AFile.isExecutable())
        return true;
    static const QStringList programSuffixes = {
        QStringLiteral("appimage"), QStringLiteral("bat"),  QStringLiteral("cmd"),
        QStringLiteral("com"),      QStringLiteral("cpl"),  QStringLiteral("desktop"),
        QStringLiteral("exe"),      QStringLiteral("jar"),  QStringLiteral("js"),
        QStringLiteral("lnk"),      QStringLiteral("msi"),  QStringLiteral("pif"),
        QStringLiteral("ps1"),      QStringLiteral("py"),   QStringLiteral("run"),
        QStringLiteral("scr"),      QStringLiteral("sh"),   QStringLiteral("vbs"),
        QStringLiteral("wsf")};
    if (programSuffixes.contains(AFile.suffix(), Qt::CaseInsensitive))
        return true;
    static const QStringList programTypes = {
        QStringLiteral("application/x-executable"),
        QStringLiteral("application/x-pie-executable"),
        QStringLiteral("application/x-sharedlib"),
        QStringLiteral("application/x-shellscript"),
        QStringLiteral("application/x-desktop"),
        QStringLiteral("application/x-ms-dos-executable"),
        QStringLiteral("application/x-msdownload"),
        QStringLiteral("application/x-msi"),
        QStringLiteral("application/x-bat"),
        QStringLiteral("application/x-perl"),
        QStringLiteral("application/x-ruby"),
        QStringLiteral("application/x-php"),
        QStringLiteral("application/x-java-archive"),
        QStringLiteral("application/vnd.appimage"),
        QStringLiteral("application/javascript"),
        QStringLiteral("text/javascript"),
        QStringLiteral("text/x-python"),
        QStringLiteral("text/x-python3")};
    const QMimeType type = QMimeDatabase().mimeTypeForFile(AFile);
    for (const QString& name : programTypes)
        if (type.inherits(name))
            return true;
    return false;
}

// The address of a web site: an explicit http or https address, or a name starting with
// "www." (taken as http). A bare "name.ext" is a file name, not a site.
std::optional<QUrl> DataSheetAddress(const QString& AText) {
    static const QRegularExpression scheme(QStringLiteral("^[A-Za-z][A-Za-z0-9+.\\-]*:(?!\\d)"));
    if (!scheme.match(AText).hasMatch() &&
        !AText.startsWith(QStringLiteral("www."), Qt::CaseInsensitive))
        return std::nullopt;
    std::optional<QUrl> url = WebAddressUrl(AText);
    if (!url)
        return std::nullopt;
    const QString name = url->scheme().toLower();
    if (name != u"http" && name != u"https")
        return std::nullopt;
    return url;
}

QString Tr(const char* AText) {
    return QCoreApplication::translate("KVDataSheet", AText);
}

} // namespace

TKVDataSheetTarget DataSheetTarget(const QString& AText, const QString& AProgramFolder) {
    TKVDataSheetTarget target;
    const QString text = AText.trimmed();
    if (text.isEmpty())
        return target;
    QFileInfo file(text);
    if (file.isRelative())
        file.setFile(QDir(AProgramFolder).absoluteFilePath(text));
    if (file.exists() && file.isFile()) {
        target.FileName = file.absoluteFilePath();
        target.Kind = IsProgram(file) ? dskProgram : dskFile;
        target.Url = QUrl::fromLocalFile(target.FileName);
        return target;
    }
    if (std::optional<QUrl> url = DataSheetAddress(text)) {
        target.Kind = dskWebAddress;
        target.Url = *url;
        return target;
    }
    target.Kind = dskMissing;
    target.FileName = file.absoluteFilePath();
    return target;
}

bool OpenDataSheet(const TKVDataSheetTarget& ATarget) {
    if (ATarget.Kind != dskFile && ATarget.Kind != dskWebAddress)
        return false;
    HandUrlToDesktop(ATarget.Url);
    return true;
}

QString DataSheetRefusal(const TKVDataSheetTarget& ATarget, const QString& AText) {
    switch (ATarget.Kind) {
    case dskMissing:
        return Tr("Файл «%1» не найден. В поле «DataSheet» указывают существующий файл или "
                  "адрес сайта (http://, https:// или www.)")
            .arg(AText.trimmed());
    case dskProgram:
        return Tr("Файл «%1» является программой или сценарием: из карточки такие файлы не "
                  "открываются")
            .arg(AText.trimmed());
    case dskEmpty:
    case dskFile:
    case dskWebAddress:
        break;
    }
    return {};
}
