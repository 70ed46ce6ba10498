#include "shell/KVApplication.h"

#include "core/KVUserInterface.h"
#include "platform/sys/SysUtils.h"

#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

QTranslator* InstallQtTranslations() {
    auto* translator = new QTranslator(QCoreApplication::instance());
    if (translator->load(QLocale(QLocale::Russian, QLocale::Russia), QStringLiteral("qtbase"),
                         QStringLiteral("_"), QLibraryInfo::path(QLibraryInfo::TranslationsPath)) &&
        QCoreApplication::installTranslator(translator))
        return translator;
    delete translator;
    return nullptr;
}

TKVApplication::TKVApplication(int& AArgc, char** AArgv) : QApplication(AArgc, AArgv) {
    InstallQtTranslations();
}

bool TKVApplication::notify(QObject* AReceiver, QEvent* AEvent) {
    try {
        return QApplication::notify(AReceiver, AEvent);
    } catch (...) {
        ReportException(std::current_exception());
        return false;
    }
}

void TKVApplication::ReportException(std::exception_ptr AException) {
    try {
        std::rethrow_exception(AException);
    } catch (const Exception& e) {
        ShowExceptionBox(e);
    } catch (const std::exception& e) {
        KVUserInterface().ShowSystemError(QStringLiteral("Exception"),
                                          QString::fromLocal8Bit(e.what()), true);
    } catch (...) {
        KVUserInterface().ShowSystemError(QStringLiteral("Exception"),
                                          QStringLiteral("Unknown exception"), true);
    }
}
