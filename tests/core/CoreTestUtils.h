#pragma once

#include "platform/sys/SysUtils.h"

#include <QLocale>
#include <QString>

#include <ostream>

// Readable QString values in test failure messages.
inline void PrintTo(const QString& AText, std::ostream* AStream) {
    *AStream << '"' << AText.toStdString() << '"';
}

// The message of the Exception that AAction raises; "<no exception>" when it raises none.
template <typename TAction> QString ExceptionMessageOf(TAction&& AAction) {
    try {
        AAction();
    } catch (const Exception& e) {
        return e.ClassName() == QStringLiteral("Exception")
                   ? e.Message()
                   : QStringLiteral("<%1> %2").arg(e.ClassName(), e.Message());
    }
    return QStringLiteral("<no exception>");
}

// Sets the default locale for one test and restores the previous one after.
class TLocaleGuard {
public:
    explicit TLocaleGuard(const QLocale& ALocale) : FSaved(QLocale()) {
        QLocale::setDefault(ALocale);
    }
    ~TLocaleGuard() { QLocale::setDefault(FSaved); }
    TLocaleGuard(const TLocaleGuard&) = delete;
    TLocaleGuard& operator=(const TLocaleGuard&) = delete;

private:
    QLocale FSaved;
};
