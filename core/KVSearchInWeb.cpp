#include "core/KVSearchInWeb.h"

#include "core/KVCommon.h"
#include "core/KVListWalk.h"
#include "core/udmMain.h"
#include "platform/sys/IniFile.h"

#include <QStringList>

#include <memory>

namespace {

const QString kSection = QStringLiteral("SearchInWebPattern");

QString NameKey(int AIndex) {
    return QStringLiteral("SIWName%1").arg(AIndex);
}

QString PatternKey(int AIndex) {
    return QStringLiteral("SIWPtt%1").arg(AIndex);
}

} // namespace

void TKVSearchInWebPttList::Next() {
    KVListNext(FSIWPttList);
}

bool TKVSearchInWebPttList::GetRecord(TKVSearchInWebPtt& APattern) const {
    return KVListGetRecord(FSIWPttList, APattern);
}

void TKVSearchInWebPttList::AddData(const QString& AName, const QString& APattern) {
    FSIWPttList.Add(std::make_unique<TKVSearchInWebPtt>(
        TKVSearchInWebPtt{KVCutText(AName, NameLength), KVCutText(APattern, PatternLength)}));
}

void TKVSearchInWebPttList::LoadFromINIFile(const QString& AFileName) {
    Clear();
    const TIniFile ini(AFileName);
    for (int n = 0;; ++n) {
        const QString name = ini.ReadString(kSection, NameKey(n), QString());
        if (name.isEmpty())
            break;
        AddData(name, ini.ReadString(kSection, PatternKey(n), QString()));
    }
}

void TKVSearchInWebPttList::SaveToINIFile(const QString& AFileName) const {
    if (dmMain && dmMain->AppDriveReadOnly())
        return;
    TIniFile ini(AFileName);
    ini.EraseSection(kSection);
    for (int n = 0; n < Count(); ++n) {
        const TKVSearchInWebPtt* pattern = FSIWPttList.GetItemDataByIndex(n);
        ini.WriteString(kSection, NameKey(n), pattern->siwName);
        ini.WriteString(kSection, PatternKey(n), pattern->siwPattern);
    }
    ini.UpdateFile();
}

QString TKVSearchInWebPttList::GetTextList() const {
    QStringList names;
    for (int n = 0; n < Count(); ++n)
        names << FSIWPttList.GetItemDataByIndex(n)->siwName;
    return names.join(QStringLiteral("\r\n"));
}

QString TKVSearchInWebPttList::GetUrlByIndex(int AIndex, const QString& AName) const {
    if (AIndex < 0 || AIndex >= Count())
        return QString();
    QString url = FSIWPttList.GetItemDataByIndex(AIndex)->siwPattern;
    const QString placeholder = QStringLiteral("%NAME%");
    const qsizetype at = url.indexOf(placeholder, 0, Qt::CaseInsensitive);
    if (at >= 0)
        url.replace(at, placeholder.size(), AName);
    return url;
}
