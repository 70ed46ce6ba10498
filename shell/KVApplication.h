#pragma once

// The program's application object. An exception that leaves an event handler is caught here,
// in the one place every event passes, and shown in the system error box (caption: the
// exception's class name, text: its message); the program goes on. No exception unwinds
// through Qt.

#include <QApplication>

#include <exception>

class TKVApplication : public QApplication {
    Q_OBJECT
public:
    TKVApplication(int& AArgc, char** AArgv);

    bool notify(QObject* AReceiver, QEvent* AEvent) override;

    // Shows the exception AException in the system error box owned by the main window.
    static void ReportException(std::exception_ptr AException);
};
