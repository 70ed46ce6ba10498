#pragma once

// What the data model must show to the user or ask of the user. core/ links no widgets: the
// shell installs an implementation at start (message boxes, the help window, input dialogs),
// and tests install one that records what was asked and answers as the test wants.

#include "platform/sys/SysUtils.h"

#include <QString>

class TKVUserInterface {
public:
    virtual ~TKVUserInterface() = default;

    // The system message box with the error icon: caption ACaption, text AText. With
    // AOwnedByApp the box belongs to the application's main window, else to no window.
    virtual void ShowSystemError(const QString& ACaption, const QString& AText,
                                 bool AOwnedByApp) = 0;
    // The same box with ADetails (a text for whoever looks further, such as the database
    // engine's own words) behind a button of their own. By default the details follow the
    // text after a blank line.
    virtual void ShowSystemErrorDetails(const QString& ACaption, const QString& AText,
                                        const QString& ADetails, bool AOwnedByApp) {
        ShowSystemError(ACaption, AText + QStringLiteral("\n\n") + ADetails, AOwnedByApp);
    }
    // Opens the help topic with the keyword ATopic.
    virtual void ShowHelpTopic(const QString& ATopic) = 0;
    // A modal one-line input preset with AText; false when cancelled, else the typed text
    // is left in AText. APassword hides what is typed.
    virtual bool InputText(const QString& ACaption, QString& AText, int AMaxLength,
                           bool APassword) = 0;
};

// The installed implementation. Until one is installed, a fallback writes errors to the
// log, opens nothing and cancels every input.
TKVUserInterface& KVUserInterface();
// Installs AInterface (not owned); nullptr restores the fallback.
void SetKVUserInterface(TKVUserInterface* AInterface);

// The standard report of an exception: the system error box, caption the exception's class
// name, text its message.
inline void ShowExceptionBox(const Exception& AException, bool AOwnedByApp = true) {
    KVUserInterface().ShowSystemError(AException.ClassName(), AException.Message(), AOwnedByApp);
}

// The report of a record a window was opened on that the database no longer holds, in the
// system error box: "Object DBID:%d, ID:%d not found in DataBase", or "Object ID:%d ..." for
// records keyed by ID alone (AHasDBId false).
inline void ShowObjectNotFound(quint32 ADBId, quint32 AId, bool AHasDBId = true) {
    KVUserInterface().ShowSystemError(
        QString(),
        AHasDBId ? QStringLiteral("Object DBID:%1, ID:%2 not found in DataBase").arg(ADBId).arg(AId)
                 : QStringLiteral("Object ID:%1 not found in DataBase").arg(AId),
        true);
}
