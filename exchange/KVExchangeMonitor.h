#pragma once

// What a long run of the data exchange (export, header reading, import) reports while it works:
// log lines, the step shown in the status label, and the progress bar. The dialogs show them;
// tests record them.

#include "platform/sys/SysUtils.h"

#include <QString>

class TKVExchangeMonitor {
public:
    virtual ~TKVExchangeMonitor() = default;
    // Appends one line to the log.
    virtual void AddLogMsg(const QString& AMsg) = 0;
    // Shows the step under way (empty: none).
    virtual void SetStepLabel(const QString& AText) { Q_UNUSED(AText); }
    // The progress bar runs from AMin to AMax and stands at AMin.
    virtual void InitProgress(int AMin, int AMax) {
        Q_UNUSED(AMin);
        Q_UNUSED(AMax);
    }
    virtual void SetProgressPosition(int APosition) { Q_UNUSED(APosition); }
};

// The log line of a caught exception: "Error <message> in class <class name>".
inline QString ExceptionLogMsg(const Exception& AException) {
    return QStringLiteral("Error %1 in class %2").arg(AException.Message(), AException.ClassName());
}
