// The main of every test program: one offscreen QApplication for the whole run, the Russian
// locale the program is written for, and UTC as the time zone, so that results do not depend
// on the machine.

#include "platform/ib/IBDatabase.h"

#include <QApplication>
#include <QLocale>
#include <ctime>
#include <gtest/gtest.h>

// The embedded database engine keeps memory until the process ends: leak reports would be its
// noise. Every other memory fault still fails the test.
extern "C" const char* __asan_default_options() { return "detect_leaks=0"; }

int main(int argc, char** argv) {
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    qputenv("TZ", "UTC");
    tzset();
    QLocale::setDefault(QLocale(QLocale::Russian, QLocale::Russia));
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    const int rc = RUN_ALL_TESTS();
    IBClient::Shutdown();
    return rc;
}
