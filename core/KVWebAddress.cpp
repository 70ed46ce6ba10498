#include "core/KVWebAddress.h"

#include <QDesktopServices>
#include <QRegularExpression>

#include <utility>

namespace {

TOpenUrlHook& OpenUrlHook() {
    static TOpenUrlHook hook = [](const QUrl& AUrl) { QDesktopServices::openUrl(AUrl); };
    return hook;
}

} // namespace

std::optional<QUrl> WebAddressUrl(const QString& AText) {
    QString text = AText.trimmed();
    if (text.isEmpty())
        return std::nullopt;
    // A path of this computer, absolute or from the home folder, or a network path.
    if (text.startsWith(u'/') || text.startsWith(u'\\') || text.startsWith(u'~'))
        return std::nullopt;
    // "name:" starts a scheme unless a port follows it ("maker.ru:8080/...", a site without
    // a scheme). A drive letter ("C:\...") reads as a scheme and is refused with the others.
    static const QRegularExpression scheme(QStringLiteral("^[A-Za-z][A-Za-z0-9+.\\-]*:(?!\\d)"));
    if (!scheme.match(text).hasMatch())
        text.prepend(QStringLiteral("http://"));
    const QUrl url(text, QUrl::TolerantMode);
    if (!url.isValid())
        return std::nullopt;
    const QString name = url.scheme().toLower();
    if (name == u"http" || name == u"https" || name == u"ftp") {
        if (url.host().isEmpty())
            return std::nullopt;
        return url;
    }
    if (name == u"mailto") {
        if (url.path().trimmed().isEmpty())
            return std::nullopt;
        return url;
    }
    return std::nullopt;
}

void HandUrlToDesktop(const QUrl& AUrl) {
    if (OpenUrlHook())
        OpenUrlHook()(AUrl);
}

bool OpenWebAddress(const QString& AText) {
    const std::optional<QUrl> url = WebAddressUrl(AText);
    if (!url)
        return false;
    HandUrlToDesktop(*url);
    return true;
}

TOpenUrlHookScope::TOpenUrlHookScope(TOpenUrlHook AHook)
    : FPrevious(std::exchange(OpenUrlHook(), std::move(AHook))) {}

TOpenUrlHookScope::~TOpenUrlHookScope() {
    OpenUrlHook() = std::move(FPrevious);
}
