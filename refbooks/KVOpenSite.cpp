#include "refbooks/KVOpenSite.h"

#include "core/KVWebAddress.h"
#include "core/udmMain.h"
#include "shell/frmListItemSelect.h"
#include "shell/uMessage.h"

#include <QCoreApplication>
#include <QUrl>

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

void SearchNameInWeb(const QString& AName) {
    if (!dmMain)
        return;
    if (SelectListItem(QCoreApplication::translate("OpenSite", "Искать на сайте"),
                       dmMain->SearchInWebPttList.GetTextList(), -1, true) != mrOk)
        return;
    const QString name = QString::fromLatin1(QUrl::toPercentEncoding(AName));
    const QString url = dmMain->SearchInWebPttList.GetUrlByIndex(SelectedListItemIndex, name);
    if (!url.isEmpty())
        OpenSite(url);
}

void AddRecordToFavorites(TKVItemType AItemType, quint32 ADBId, quint32 AId) {
    if (!dmMain)
        return;
    if (dmMain->AddToFavorite(AItemType, ADBId, AId, QString(), 0))
        ShowMessageDlg(
            QCoreApplication::translate("OpenSite", "Запись была успешно добавлена в Избранное"),
            mdkInformation, mdbOK);
    else
        ShowMessageDlg(
            QCoreApplication::translate("OpenSite", "Не удалось добавить эту запись в Избранное"),
            mdkError, mdbOK);
}
