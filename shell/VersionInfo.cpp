#include "shell/VersionInfo.h"

const TVersionInfo& AppVersionInfo() {
    static const TVersionInfo info = [] {
        TVersionInfo v;
        v.viProjectName = QStringLiteral("Корвант");
        v.viAppName = QStringLiteral("korvant");
        v.viMajorVersion = 1;
        v.viMinorVersion = 0;
        v.viBuildVersion = 4;
        v.viBuildDescription = QStringLiteral("Betha");
        v.viCopyright = QStringLiteral("© 2026 Разработчики программы «Корвант»");
        v.viUrl = QStringLiteral("https://korvant.example");
#ifdef NDEBUG
        v.viDebug = false;
#else
        v.viDebug = true;
#endif
        return v;
    }();
    return info;
}
