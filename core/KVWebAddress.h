#pragma once

// Web addresses of makers and suppliers. They come from the database, typed by the user or
// brought in with other people's packages, so the program hands the desktop only addresses of
// web sites and mail: the schemes http, https, ftp and mailto. A text without a scheme is taken
// as a web site ("www.maker.ru" opens http://www.maker.ru). A local file, a program, or any
// other scheme (file:, javascript:, ...) is never handed over, so that a stored address cannot
// start anything on this computer.

#include <QUrl>

#include <functional>
#include <optional>

// The address to open for AText (spaces around it are ignored); nullopt when the text is empty
// or is not an address that may be opened.
std::optional<QUrl> WebAddressUrl(const QString& AText);

// Hands the address of AText to the desktop through the open hook; false when the text is
// empty or the address may not be opened. Whether the desktop could open it is not reported.
bool OpenWebAddress(const QString& AText);

// Hands AUrl to the desktop through the open hook, unchecked: the caller has checked it.
void HandUrlToDesktop(const QUrl& AUrl);

// What hands an address to the desktop: QDesktopServices::openUrl unless replaced.
using TOpenUrlHook = std::function<void(const QUrl&)>;

// Replaces the open hook for its lifetime (tests record the addresses instead of starting a
// browser) and puts the previous one back when it ends.
class TOpenUrlHookScope {
public:
    explicit TOpenUrlHookScope(TOpenUrlHook AHook);
    ~TOpenUrlHookScope();
    TOpenUrlHookScope(const TOpenUrlHookScope&) = delete;
    TOpenUrlHookScope& operator=(const TOpenUrlHookScope&) = delete;

private:
    TOpenUrlHook FPrevious;
};
