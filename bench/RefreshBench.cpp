// The whole refresh of a big board, stage by stage, against the floor that
// Qt SQL sets: a bare loop reading every column of both queries once, timed
// in the same run so that the ratio holds on a busy machine.
//
//   assi_refresh_bench [rows ...]     (default 1000 10000 100000)
//
// Each size runs in a process of its own (the program calls itself), so the
// resident memory it prints is that size's alone. For each size it builds a
// SQLite database with that many pending requests and that many open orders
// in the week, then prints the median of each stage, the ratio of the whole
// refresh to the floor, the UI thread's pause (binding and first paint), and
// the resident memory after 1, 2 and 20 refreshes of the window with the
// peak over them (VmHWM), where the board shown and the one being built live
// side by side.
#include "BenchDatabase.h"
#include "ResidentMemory.h"
#include "app/Assi.h"
#include "data/BoardLoader.h"
#include "data/DemoSite.h"
#include "data/PendingRequests.h"
#include "data/SqlDialect.h"
#include "data/WeekBoard.h"
#include "database/DatabaseConnection.h"
#include "feed/ThreadedBoardFeed.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QProcess>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QTemporaryDir>
#include <algorithm>
#include <atomic>
#include <cstdio>
#include <vector>

using namespace Qt::StringLiterals;

namespace {

const QDate benchToday(2026, 12, 9);
constexpr int windowRefreshes = 20;
constexpr int stageRuns = 5;

double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values.empty() ? 0 : values[values.size() / 2];
}

double msSince(const QElapsedTimer& timer) {
    return double(timer.nsecsElapsed()) / 1e6;
}

// The floor: every column of every row read once, as cheaply as Qt SQL allows.
double bareQueryMs(const QString& sql) {
    QElapsedTimer timer;
    timer.start();
    QSqlQuery query(QSqlDatabase::database(u"assi-bench-floor"_s));
    query.setForwardOnly(true);
    if (!query.exec(sql))
        std::exit(1);
    const int columns = query.record().count();
    qsizetype sink = 0;
    while (query.next()) {
        for (int c = 0; c < columns; ++c)
            sink += query.value(c).toString().size();
    }
    if (sink < 0)
        std::exit(1);
    return msSince(timer);
}

// Times the database thread's load of each refresh.
class TimedSource : public assi::BoardSource {
public:
    TimedSource(const QString& folder, std::atomic<qint64>& lastLoadNs)
        : m_loader(folder, folder), m_lastLoadNs(lastLoadNs) {}
    assi::BoardData load(const QDate& today) override {
        QElapsedTimer timer;
        timer.start();
        assi::BoardData data = m_loader.load(today);
        m_lastLoadNs = timer.nsecsElapsed();
        return data;
    }

private:
    assi::BoardLoader m_loader;
    std::atomic<qint64>& m_lastLoadNs;
};

struct WindowTimes {
    std::vector<double> whole, load, bind, paint, pause, floor, ratio;
    long rssBefore = 0, peakBefore = 0;
    long rssAfterFirst = 0, rssAfterSecond = 0, rssAfterLast = 0, peakAfterLast = 0;
};

// Each refresh is followed by the floor, so that each ratio compares two
// moments of the same load on a shared machine.
WindowTimes timeWindow(const QString& folder, const QString& settingsFile,
                       const QStringList& floorSql) {
    std::atomic<qint64> lastLoadNs{0};
    assi::ThreadedBoardFeed feed([&] { return std::make_unique<TimedSource>(folder, lastLoadNs); });
    QElapsedTimer sinceLoaded;
    // Connected before the window's own slot, so it runs first.
    QObject::connect(&feed, &assi::BoardFeed::loaded, [&] { sinceLoaded.start(); });
    assi::Assi window(&feed, settingsFile, benchToday);
    window.resize(1920, 1080);
    window.show();

    WindowTimes times;
    times.rssBefore = assi::bench::residentKilobytes();
    times.peakBefore = assi::bench::peakResidentKilobytes();
    bool started = false;
    for (int i = 1; i <= windowRefreshes; ++i) {
        QEventLoop loop;
        bool ok = false;
        double bindMs = 0;
        double paintMs = 0;
        auto connection =
            QObject::connect(&window, &assi::Assi::refreshFinished, &loop, [&](bool succeeded) {
                // Whatever the grids put off to the event loop is binding
                // too; the paint it asked for is made here, at once, before
                // any other event could come between.
                QCoreApplication::sendPostedEvents(nullptr, QEvent::MetaCall);
                bindMs = msSince(sinceLoaded);
                QElapsedTimer step;
                step.start();
                QCoreApplication::sendPostedEvents(&window, QEvent::UpdateRequest);
                paintMs = msSince(step);
                ok = succeeded;
                loop.quit();
            });
        QElapsedTimer whole;
        whole.start();
        if (started)
            window.RefreshBoard();
        else
            window.Form_Load();
        started = true;
        loop.exec();
        QObject::disconnect(connection);
        const double wholeMs = msSince(whole);
        if (!ok) {
            std::fprintf(stderr, "refresh %d failed: %s\n", i, qPrintable(window.lastError()));
            std::exit(1);
        }
        if (i == 1)
            times.rssAfterFirst = assi::bench::residentKilobytes();
        if (i == 2)
            times.rssAfterSecond = assi::bench::residentKilobytes();
        if (i > 1) { // the first one also starts the thread and connects
            double floorMs = 0;
            for (const QString& sql : floorSql)
                floorMs += bareQueryMs(sql);
            times.floor.push_back(floorMs);
            times.ratio.push_back(wholeMs / floorMs);
            times.whole.push_back(wholeMs);
            times.load.push_back(double(lastLoadNs.load()) / 1e6);
            times.bind.push_back(bindMs);
            times.paint.push_back(paintMs);
            times.pause.push_back(bindMs + paintMs);
        }
    }
    times.rssAfterLast = assi::bench::residentKilobytes();
    times.peakAfterLast = assi::bench::peakResidentKilobytes();
    return times;
}

int runOneSize(int rows) {
    QTemporaryDir dir;
    const assi::DemoFiles demo = assi::writeDemo(dir.path(), benchToday);
    assi::bench::addBenchRows(demo.databaseFile, rows, benchToday);

    const auto dialect = assi::SqlDialect::forEngine(assi::DatabaseEngine::Sqlite);
    const QString requestsSql = dialect->pendingRequestsSql();
    const QString ordersSql = dialect->weekOrdersSql(benchToday);
    {
        QSqlDatabase floorDb = QSqlDatabase::addDatabase(u"QSQLITE"_s, u"assi-bench-floor"_s);
        floorDb.setDatabaseName(demo.databaseFile);
        floorDb.setConnectOptions(u"QSQLITE_OPEN_READONLY"_s);
        floorDb.open();
    }

    // The window first, so its resident memory is the refreshes' own.
    const WindowTimes window = timeWindow(dir.path(), demo.settingsFile, {requestsSql, ordersSql});

    assi::DatabaseConnection connection;
    assi::ConnectionString cs;
    cs.engine = assi::DatabaseEngine::Sqlite;
    cs.driverName = u"QSQLITE"_s;
    cs.databaseName = demo.databaseFile;
    cs.connectOptions = u"QSQLITE_OPEN_READONLY"_s;
    connection.connect(cs);

    std::vector<double> floorRequests, floorOrders, requests, orders;
    for (int run = 0; run < stageRuns; ++run) {
        floorRequests.push_back(bareQueryMs(requestsSql));
        floorOrders.push_back(bareQueryMs(ordersSql));
        QElapsedTimer timer;
        timer.start();
        {
            assi::Recordset first, second;
            assi::LoadPendingRequests(connection, first, second);
            requests.push_back(msSince(timer));
        }
        timer.start();
        {
            assi::Recordset board;
            assi::WeekDayNames names{};
            bool ok = false;
            assi::LoadWeekBoard(connection, benchToday, board, names, ok);
            orders.push_back(msSince(timer));
        }
    }
    connection.close();
    QSqlDatabase::removeDatabase(u"assi-bench-floor"_s);

    std::printf("%d requests + %d orders\n", rows, rows);
    // The tables are built, dealt out and pivoted as the rows arrive, so
    // those stages show as what they add to the bare query.
    std::printf("  query (bare Qt SQL loop): requests %8.1f ms, orders %8.1f ms\n",
                median(floorRequests), median(floorOrders));
    std::printf("  requests: query, build and deal-out %8.1f ms (build and deal-out %+.1f ms;"
                " %.2f x floor)\n",
                median(requests), median(requests) - median(floorRequests),
                median(requests) / median(floorRequests));
    std::printf("  orders:   query, build and pivot    %8.1f ms (build and pivot %+.1f ms;"
                " %.2f x floor)\n",
                median(orders), median(orders) - median(floorOrders),
                median(orders) / median(floorOrders));
    std::printf("  window: load %8.1f ms, bind %8.1f ms, first paint %8.1f ms\n",
                median(window.load), median(window.bind), median(window.paint));
    std::printf("  UI thread's pause (bind and first paint) %8.1f ms\n", median(window.pause));
    std::printf("  whole refresh %8.1f ms, floor beside it %8.1f ms: %.2f x floor\n",
                median(window.whole), median(window.floor), median(window.ratio));
    std::printf("  resident memory before the window %ld kB (peak %ld kB)\n", window.rssBefore,
                window.peakBefore);
    std::printf("  resident memory after 1 refresh %ld kB, after 2 %ld kB, after %d %ld kB,"
                " peak %ld kB\n",
                window.rssAfterFirst, window.rssAfterSecond, windowRefreshes, window.rssAfterLast,
                window.peakAfterLast);
    std::fflush(stdout);
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QStringList sizes = app.arguments().mid(1);
    if (sizes.size() == 1)
        return runOneSize(sizes.first().toInt());
    if (sizes.isEmpty())
        sizes = {u"1000"_s, u"10000"_s, u"100000"_s};
    for (const QString& size : std::as_const(sizes)) {
        QProcess child;
        child.setProcessChannelMode(QProcess::ForwardedChannels);
        child.start(app.applicationFilePath(), {size});
        child.waitForFinished(-1);
        if (child.exitStatus() != QProcess::NormalExit || child.exitCode() != 0)
            return 1;
    }
    return 0;
}
