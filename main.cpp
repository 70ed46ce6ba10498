// The program's entry: checks that the database client library and its embedded engine can be
// loaded, prepares the application, makes the main window and runs the event loop.

#include "catalogue/KVCatalogue.h"
#include "exchange/KVExchange.h"
#include "platform/ib/IBDatabase.h"
#include "refbooks/KVReferenceBooks.h"
#include "reports/KVReports.h"
#include "resources/KVResources.h"
#include "shell/ClientLibrary.h"
#include "shell/KVApplication.h"
#include "shell/KVShellUserInterface.h"
#include "shell/VersionInfo.h"
#include "shell/ufrmMain.h"
#include "stock/KVStock.h"

#include <QMessageBox>

int main(int argc, char** argv) {
    TKVApplication app(argc, argv);

    const QString missing = MissingClientLibraryFile();
    if (!missing.isEmpty()) {
        QMessageBox::critical(
            nullptr, QStringLiteral("Error"),
            QStringLiteral("File %1 not found. Pleace, reinstall this program.").arg(missing));
        return 1;
    }

    const TVersionInfo& version = AppVersionInfo();
    QApplication::setWindowIcon(ResourceIcon(2000));
    QApplication::setApplicationName(version.viProjectName);
    QApplication::setApplicationDisplayName(version.viProjectName);
    QApplication::setApplicationVersion(QStringLiteral("%1.%2.%3")
                                            .arg(version.viMajorVersion)
                                            .arg(version.viMinorVersion)
                                            .arg(version.viBuildVersion));

    // What the data model shows (error boxes, help) goes through the shell from the start.
    TKVShellUserInterface userInterface;
    SetKVUserInterface(&userInterface);

    // The list windows that the main window's commands open.
    RegisterReferenceBookWindows();
    RegisterCatalogueWindows();
    RegisterStockWindows();
    RegisterReportWindows();
    // The package import and export dialogs.
    RegisterExchangeWindows();

    int result = 0;
    {
        TfrmMain window;
        window.show();
        result = QApplication::exec();
        // The window's destruction ends the data module first, which saves the options.
    }

    SetKVUserInterface(nullptr);
    IBClient::Shutdown();
    return result;
}
