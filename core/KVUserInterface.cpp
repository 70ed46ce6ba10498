#include "core/KVUserInterface.h"

#include <QtGlobal>

namespace {

class TFallbackUserInterface : public TKVUserInterface {
public:
    void ShowSystemError(const QString& ACaption, const QString& AText, bool) override {
        qWarning("%s: %s", qPrintable(ACaption), qPrintable(AText));
    }
    void ShowHelpTopic(const QString&) override {}
    bool InputText(const QString&, QString&, int, bool) override { return false; }
};

TFallbackUserInterface gFallback;
TKVUserInterface* gInterface = nullptr;

} // namespace

TKVUserInterface& KVUserInterface() {
    return gInterface ? *gInterface : gFallback;
}

void SetKVUserInterface(TKVUserInterface* AInterface) {
    gInterface = AInterface;
}
