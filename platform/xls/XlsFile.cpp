#include "platform/xls/XlsFile.h"

#include <algorithm>
#include <cmath>
#include <gsf/gsf-utils.h>

namespace {
// Excel's limits: columns up to 255 characters wide, rows up to 409.5 points high.
constexpr int kMaxColumnUnits = 255 * 256;
constexpr int kMaxRowTwips = 8190;
} // namespace

int XlsPixelsToColumnUnits(int APixels) {
    return int(std::lround(std::clamp(APixels * 256.0 / 7.0, 0.0, double(kMaxColumnUnits))));
}

int XlsColumnUnitsToPixels(int AUnits) {
    return int(std::lround(AUnits * 7.0 / 256.0));
}

int XlsPixelsToTwips(int APixels) {
    return std::clamp(APixels, 0, kMaxRowTwips / 15) * 15;
}

int XlsTwipsToPixels(int ATwips) {
    return int(std::lround(ATwips / 15.0));
}

void XlsInitGsf() {
    static const bool done = [] {
        gsf_init();
        // A damaged compound file makes libgsf's OLE2 reader log failed checks on its way to
        // refusing the file; the workbook reader reports the damage itself.
        g_log_set_handler("libgsf:msole", GLogLevelFlags(G_LOG_LEVEL_CRITICAL | G_LOG_LEVEL_WARNING),
                          [](const gchar*, GLogLevelFlags, const gchar*, gpointer) {}, nullptr);
        return true;
    }();
    (void)done;
}
