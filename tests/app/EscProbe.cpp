// Opens the board on the folders given, presses Esc half a second later and
// ends as the program does. The responsiveness test runs it against a server
// that never answers.
#include "app/Application.h"
#include "app/Assi.h"
#include "data/BoardLoader.h"
#include "data/ConnectionStartup.h"
#include "feed/ThreadedBoardFeed.h"
#include "gridview/Grid.h"

#include <QApplication>
#include <QTest>
#include <QTimer>
#include <cstdio>

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    if (argc < 3)
        return 2;
    const QString baseDir = QString::fromLocal8Bit(argv[1]);
    const QString appDir = QString::fromLocal8Bit(argv[2]);

    const assi::ConnectionPlan plan = assi::planConnection(baseDir, appDir);
    assi::ThreadedBoardFeed feed(
        [&] { return std::make_unique<assi::BoardLoader>(baseDir, appDir); });
    assi::Assi window(&feed, plan.settingsFilePath, QDate());
    window.resize(800, 600);
    window.Form_Load();
    QTimer::singleShot(500, &window, [&] {
        std::printf("loading-at-esc=%d\n", feed.isBusy() ? 1 : 0);
        std::fflush(stdout);
        QTest::keyClick(window.Grelha_1(), Qt::Key_Escape);
    });
    return assi::execBoard(window, feed, false);
}
