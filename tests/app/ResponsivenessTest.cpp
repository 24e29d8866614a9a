#include "app/Assi.h"
#include "common/TempDir.h"
#include "data/BoardLoader.h"
#include "data/DemoSite.h"
#include "feed/ThreadedBoardFeed.h"
#include "gridview/Grid.h"

#include <QElapsedTimer>
#include <QLabel>
#include <QProcess>
#include <QSemaphore>
#include <QTcpServer>
#include <QTest>
#include <QThread>
#include <gtest/gtest.h>

using namespace assi;
using namespace Qt::StringLiterals;

namespace {

// A database that takes as long as the test wants: each load waits until
// released (or gives up after ten seconds, so a failing test cannot hang).
class HeldSource : public BoardSource {
public:
    HeldSource(QSemaphore& release, QAtomicInt& loads) : m_release(release), m_loads(loads) {}
    BoardData load(const QDate& today) override {
        m_loads.fetchAndAddOrdered(1);
        m_release.tryAcquire(1, 10000);
        BoardData d;
        d.today = today;
        d.requestsError = u"sem ligação"_s;
        return d;
    }

private:
    QSemaphore& m_release;
    QAtomicInt& m_loads;
};

// What the footer says of the data, read as a person reads it: off the band itself.
QString footerStatus(const Assi& window) {
    return window.findChild<QLabel*>(QStringLiteral("FooterStatus"))->text();
}

} // namespace

TEST(Responsiveness, TheWindowStaysAliveDuringASlowLoad) {
    test::TempDir dir;
    const QString settings = dir.filePath(u"OTK.zlv"_s);
    writeDemoSettings(settings, u"demo.sqlite"_s);
    QSemaphore release;
    QAtomicInt loads;
    QElapsedTimer leaving;
    {
        ThreadedBoardFeed feed([&] { return std::make_unique<HeldSource>(release, loads); });
        Assi window(&feed, settings, QDate(2026, 12, 7));
        QDateTime now(QDate(2026, 12, 7), QTime(9, 0));
        window.setClock([&now] { return now; });
        window.resize(800, 600);
        window.Form_Load();
        window.show();
        ASSERT_TRUE(QTest::qWaitFor([&] { return loads.loadAcquire() == 1; }, 2000));

        // Still loading a second and a half later: the window says so, and a
        // tick starts no second load.
        now = now.addMSecs(1500);
        QTest::qWait(1200);
        EXPECT_TRUE(window.isRefreshing());
        EXPECT_TRUE(footerStatus(window).startsWith(u"A atualizar…"_s))
            << footerStatus(window).toStdString();
        window.Relogio_Timer();
        QTest::qWait(50);
        EXPECT_EQ(loads.loadAcquire(), 1);

        // The load comes back: its failure shows, and the next tick tries again.
        release.release();
        ASSERT_TRUE(QTest::qWaitFor([&] { return !window.isRefreshing(); }, 3000));
        EXPECT_TRUE(
            footerStatus(window).startsWith(u"A atualização do quadro falhou desde as 09:00"_s))
            << footerStatus(window).toStdString();
        window.Relogio_Timer();
        ASSERT_TRUE(QTest::qWaitFor([&] { return loads.loadAcquire() == 2; }, 2000));

        // Esc in the middle of that load closes the window at once.
        QTest::keyClick(window.Grelha_1(), Qt::Key_Escape);
        EXPECT_FALSE(window.isVisible());

        leaving.start();
    }
    // Leaving the feed while its load runs must not wait for it.
    EXPECT_LT(leaving.elapsed(), 500);
    release.release(); // let the abandoned load finish before the test ends
    QTest::qWait(100);
}

TEST(Responsiveness, EscEndsTheProgramWhileTheServerNeverAnswers) {
    // The system completes the connections to a listening port; nobody here
    // ever answers them.
    QTcpServer server;
    ASSERT_TRUE(server.listen(QHostAddress::LocalHost));
    test::TempDir dir;
    dir.write(u"base/zelvio/OTK.zlv"_s,
              QStringLiteral("[Geral]\nQuantosMinutos=5\n[BaseDados]\nServidor=127.0.0.1,%1\n"
                             "BaseDados=servicos\nUtilizador=quadro\nSenha=segredo\n")
                  .arg(server.serverPort())
                  .toUtf8());
    dir.mkdir(u"app"_s);

    QProcess probe;
    probe.setProcessChannelMode(QProcess::MergedChannels);
    QElapsedTimer t;
    t.start();
    probe.start(QStringLiteral(ASSI_ESC_PROBE), {dir.filePath(u"base"_s), dir.filePath(u"app"_s)});
    ASSERT_TRUE(probe.waitForFinished(8000)) << "the program did not end after Esc";
    const qint64 elapsed = t.elapsed();
    const QString output = QString::fromLocal8Bit(probe.readAll());
    EXPECT_EQ(probe.exitStatus(), QProcess::NormalExit) << output.toStdString();
    EXPECT_EQ(probe.exitCode(), 0) << output.toStdString();
    // Esc was pressed while the login was still waiting on the silent server...
    EXPECT_TRUE(output.contains(u"loading-at-esc=1"_s)) << output.toStdString();
    // ...and the program ended well before the 15-second login timeout.
    EXPECT_LT(elapsed, 5000) << output.toStdString();
    EXPECT_FALSE(output.contains(u"segredo"_s));
}
