// Times the drawing of a 1,000-ball grid array (40 columns by 25 rows, every ball a pin with a
// name and a pin type) against one fill of an 800 x 800 area of the same image, in turn (A B A B
// ..., 11 pairs, each side repeated to take a measurable time).
//
//   bench_casedrawing
//
// Prints the median times and last a line "ratio case-drawing: X", the median over the pairs of
// the drawing's time over the fill's.

#include "bench/BenchCommon.h"
#include "catalogue/uCaseVis.h"

#include <QElapsedTimer>
#include <QGuiApplication>
#include <QPainter>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

constexpr int kPairs = 11;
constexpr int kDrawings = 20;
constexpr int kFills = 200;

// Milliseconds per run of AWork, over ATimes runs.
template <class TWork> double TimePerRun(int ATimes, TWork&& AWork) {
    QElapsedTimer timer;
    timer.start();
    for (int i = 0; i < ATimes; ++i)
        AWork();
    return static_cast<double>(timer.nsecsElapsed()) / 1e6 / ATimes;
}

} // namespace

int main(int argc, char* argv[]) {
    UseOffscreenPlatformByDefault();
    QGuiApplication app(argc, argv);
    TCaseVis vis;
    vis.SetVisualParam(cvtGridArray, 40, 25, 0);
    vis.SetNamesInfo(QStringLiteral("BGA1000"), QStringLiteral("XC1000"));
    for (int n = 1; n <= 1000; ++n)
        vis.AddPin(static_cast<quint16>(n), QStringLiteral("IO%1").arg(n), QString(),
                   static_cast<TKVPinType>(n % 18));
    vis.ExecPinNameLengthTyped();

    QImage image;
    bool drawn = vis.DrawCase(image);
    volatile int sink = 0;
    std::vector<double> draws, fills, ratios;
    for (int pair = 0; pair < kPairs; ++pair) {
        const double draw = TimePerRun(kDrawings, [&] { drawn = vis.DrawCase(image) && drawn; });
        const double fill = TimePerRun(kFills, [&] {
            QPainter painter(&image);
            painter.fillRect(0, 0, 800, 800, QColor(255, 255, 255));
            sink = sink + 1;
        });
        draws.push_back(draw);
        fills.push_back(fill);
        ratios.push_back(draw / fill);
    }
    std::printf("image %dx%d, drawn %d\n", image.width(), image.height(), drawn ? 1 : 0);
    std::printf("drawing: %.3f ms, 800x800 fill: %.3f ms\n", Median(draws), Median(fills));
    std::printf("ratio case-drawing: %.2f\n", Median(ratios));
    return drawn ? 0 : 1;
}
