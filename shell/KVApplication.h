#pragma once

// The program's application object. An exception that leaves an event handler is caught here,
// in the one place every event passes, and shown in the system error box (caption: the
// exception's class name, text: its message); the program goes on. No exception unwinds
// through Qt. Qt's own dialogs and buttons (the file dialog, standard buttons, context menus
// of editors) speak Russian with the program: Qt's Russian translations are installed at start.

#include <QApplication>

#include <exception>

class QTranslator;

// Installs Qt's Russian translations of its own texts (qtbase_ru.qm of Qt's translations
// folder) in the application; returns the translator, owned by the application, or nullptr
// when the file is missing (Qt's texts then stay English).
QTranslator* InstallQtTranslations();

class TKVApplication : public QApplication {
    Q_OBJECT
public:
    TKVApplication(int& AArgc, char** AArgv);

    bool notify(QObject* AReceiver, QEvent* AEvent) override;

    // Shows the exception AException in the system error box owned by the main window.
    static void ReportException(std::exception_ptr AException);
};
