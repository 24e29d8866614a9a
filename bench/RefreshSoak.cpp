// Months on a wall in a few seconds: runs the board's whole refresh (query on
// the database thread, looks, bindings, columns, layout) many times over on
// the demo database, and prints the time per refresh and the resident memory,
// which must stay flat.
//
//   assi_refresh_soak [refreshes]      (default 2000)
#include "ResidentMemory.h"
#include "app/Assi.h"
#include "data/BoardLoader.h"
#include "data/DemoSite.h"
#include "feed/ThreadedBoardFeed.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QTemporaryDir>
#include <cstdio>

namespace {

bool refreshOnce(assi::Assi& window) {
    QEventLoop loop;
    bool ok = false;
    QObject::connect(&window, &assi::Assi::refreshFinished, &loop, [&](bool succeeded) {
        ok = succeeded;
        loop.quit();
    });
    window.RefreshBoard();
    loop.exec();
    return ok;
}

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const int refreshes = argc > 1 ? std::max(200, std::atoi(argv[1])) : 2000;

    QTemporaryDir dir;
    const QDate today(2026, 12, 9);
    const assi::DemoFiles demo = assi::writeDemo(dir.path(), today);
    assi::ThreadedBoardFeed feed(
        [&] { return std::make_unique<assi::BoardLoader>(dir.path(), dir.path()); });
    assi::Assi window(&feed, demo.settingsFile, today);
    window.resize(1920, 1080);
    window.show();
    window.Form_Load();
    refreshOnce(window); // the start-up refresh is already running: wait for it

    long warmRss = 0;
    QElapsedTimer timer;
    for (int i = 1; i <= refreshes; ++i) {
        if (i == 100) {
            warmRss = assi::bench::residentKilobytes();
            timer.start();
        }
        if (!refreshOnce(window)) {
            std::fprintf(stderr, "refresh %d failed: %s\n", i, qPrintable(window.lastError()));
            return 1;
        }
    }
    const double perRefreshMs = double(timer.elapsed()) / (refreshes - 99);
    const long endRss = assi::bench::residentKilobytes();
    std::printf("refreshes: %d (60 requests, 39 orders each)\n", refreshes);
    std::printf("time per refresh: %.2f ms\n", perRefreshMs);
    std::printf("resident memory after 100: %ld kB, after %d: %ld kB (growth %ld kB)\n", warmRss,
                refreshes, endRss, endRss - warmRss);
    return 0;
}
