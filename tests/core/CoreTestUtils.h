#pragma once

#include "platform/sys/SysUtils.h"

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
