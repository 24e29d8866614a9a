// What keeping the running board's frame and state costs at each page turn,
// on the demo board at full HD and at 4K: the UI thread's pause (the window
// drawn into an image, the state gathered) and the writer thread's work (the
// PNG encoded, both files replaced), in wall and CPU milliseconds.
//
//   assi_frame_bench [turns]     (default 20)
//
// Prints the median of each over the turns, and the PNG's size; then, for
// the same frame, what the encoding alone costs at Qt's default compression
// against the fast one the board uses.
#include "app/Assi.h"
#include "app/BoardStateFiles.h"
#include "app/RunningBoard.h"
#include "app/ShownBoardLine.h"
#include "data/BoardLoader.h"
#include "data/DemoSite.h"
#include "feed/ThreadedBoardFeed.h"
#include "gridview/Grid.h"

#include <QApplication>
#include <QBuffer>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFileInfo>
#include <QImageWriter>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <ctime>
#include <vector>

using namespace Qt::StringLiterals;

namespace {

const QDate benchToday(2026, 12, 9);
// Qt's PNG qualities: its default (zlib's level 6), the board's (level 1),
// and none (level 0).
constexpr int DefaultQuality = -1;
constexpr int FastQuality = 85;
constexpr int StoredQuality = 100;

double cpuMs() {
    timespec t{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return double(t.tv_sec) * 1e3 + double(t.tv_nsec) / 1e6;
}

double msSince(const QElapsedTimer& timer) {
    return double(timer.nsecsElapsed()) / 1e6;
}

double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values.empty() ? 0 : values[values.size() / 2];
}

double encodeMs(const QImage& frame, int quality, qint64* bytes) {
    QElapsedTimer timer;
    timer.start();
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, "png");
    writer.setQuality(quality);
    writer.write(frame);
    *bytes = buffer.size();
    return msSince(timer);
}

void runSize(const QSize& size, int turns) {
    QTemporaryDir base;
    QTemporaryDir runtime;
    const assi::DemoFiles demo = assi::writeDemo(base.path(), benchToday);
    assi::ThreadedBoardFeed feed(
        [&] { return std::make_unique<assi::BoardLoader>(base.path(), QString()); });
    assi::Assi window(&feed, demo.settingsFile, benchToday);
    window.resize(size);
    window.show();
    {
        QEventLoop loop;
        QObject::connect(&window, &assi::Assi::refreshFinished, &loop, &QEventLoop::quit);
        window.Form_Load();
        loop.exec();
    }
    assi::BoardStateFiles files(runtime.path() + u"/assi"_s);
    std::vector<double> grabMs, stateMs, writeWallMs, writeCpuMs;
    QImage frame;
    for (int turn = 0; turn < turns; ++turn) {
        for (assi::Grid* grid : {window.Grelha_1(), window.Grelha_11(), window.Grelha_2()})
            grid->showNextPage();
        QCoreApplication::processEvents();

        QElapsedTimer timer;
        timer.start();
        frame = window.grab().toImage();
        grabMs.push_back(msSince(timer));
        timer.start();
        const QJsonObject state =
            assi::runningBoardState(window, assi::describeShownBoard(window), files.framePath());
        stateMs.push_back(msSince(timer));

        // The UI thread waits here only to time the writer, which runs alone.
        QEventLoop loop;
        QObject::connect(&files, &assi::BoardStateFiles::written, &loop, &QEventLoop::quit);
        const double cpuBefore = cpuMs();
        timer.start();
        files.write(frame, state);
        loop.exec();
        writeWallMs.push_back(msSince(timer));
        writeCpuMs.push_back(cpuMs() - cpuBefore);
    }
    qint64 defaultBytes = 0;
    qint64 fastBytes = 0;
    qint64 storedBytes = 0;
    const double defaultMs = encodeMs(frame, DefaultQuality, &defaultBytes);
    const double fastMs = encodeMs(frame, FastQuality, &fastBytes);
    const double storedMs = encodeMs(frame, StoredQuality, &storedBytes);
    std::printf("%dx%d (frame %dx%d, %s), %d page turns, medians:\n", size.width(), size.height(),
                frame.width(), frame.height(), frame.hasAlphaChannel() ? "with alpha" : "opaque",
                turns);
    std::printf("  UI thread: grab %.1f ms + state %.1f ms = pause %.1f ms\n", median(grabMs),
                median(stateMs), median(grabMs) + median(stateMs));
    std::printf("  writer thread: encode+write %.1f ms wall, %.1f ms CPU; quadro.png %lld KiB, "
                "estado.json %lld KiB\n",
                median(writeWallMs), median(writeCpuMs), QFileInfo(files.framePath()).size() / 1024,
                QFileInfo(files.statePath()).size() / 1024);
    std::printf("  PNG encoding alone: Qt default %.1f ms (%lld KiB), fast %.1f ms (%lld KiB), "
                "uncompressed %.1f ms (%lld KiB)\n",
                defaultMs, defaultBytes / 1024, fastMs, fastBytes / 1024, storedMs,
                storedBytes / 1024);
}

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const int turns = argc > 1 ? std::max(1, atoi(argv[1])) : 20;
    for (const QSize size : {QSize(1920, 1080), QSize(3840, 2160)})
        runSize(size, turns);
    return 0;
}
