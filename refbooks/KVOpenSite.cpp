#include "refbooks/KVOpenSite.h"

#include "core/KVWebAddress.h"
#include "shell/uMessage.h"

#include <QCoreApplication>

void OpenSite(const QString& AText) {
    if (AText.trimmed().isEmpty())
        return;
    if (!OpenWebAddress(AText))
        ShowMessageDlg(QCoreApplication::translate(
                           "OpenSite",
                           "Адрес сайта «%1» не открыт: открываются только адреса сайтов "
                           "(http, https, ftp) и электронной почты (mailto)")
                           .arg(AText.trimmed()),
                       mdkWarning, mdbOK);
}
