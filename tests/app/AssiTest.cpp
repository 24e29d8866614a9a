#include "app/Assi.h"

#include "BoardFixture.h"
#include "app/BoardPaging.h"
#include "core/BoardError.h"
#include "data/PendingRequests.h"
#include "data/WeekBoard.h"

#include <QFrame>
#include <QLabel>
#include <QTest>
#include <gtest/gtest.h>
#include <sys/stat.h>

using namespace assi;
using namespace Qt::StringLiterals;

using namespace assi::test;

TEST(Assi, StartUpRefreshesOnceAndStartsTheClock) {
    Board b;
    b.window.Form_Load();
    EXPECT_EQ(b.window.RefreshTicks(), 5);
    EXPECT_EQ(b.feed.loads, 1);
    EXPECT_EQ(b.feed.lastToday, QDate(2026, 12, 7));
    EXPECT_TRUE(b.window.Relogio().isActive());
    EXPECT_EQ(b.window.Relogio().interval(), 60000);
    b.feed.deliver(goodData(u"x"_s));
    EXPECT_EQ(firstValue(b.window.Grelha_1(), u"Cliente"_s), u"x-a"_s);
    EXPECT_EQ(firstValue(b.window.Grelha_11(), u"Cliente"_s), u"x-b"_s);
    EXPECT_EQ(firstValue(b.window.Grelha_2(), u"Dia_1"_s), u"x"_s);
    EXPECT_EQ(footerStatus(b.window), u"Atualizado às 09:00"_s);
    EXPECT_EQ(footerClock(b.window), u"segunda-feira, 7 de dezembro de 2026 · 09:00"_s);
}

TEST(Assi, AStartUpWithoutARefreshPeriodCannotRun) {
    for (const QByteArray& settings :
         {settingsWith("QuantosMinutos=\n"), settingsWith("QuantosMinutos=cinco\n"),
          settingsWith("QuantosMinutos=40000\n"), settingsWith(""), QByteArray()}) {
        Board b(settings);
        if (settings.isEmpty())
            QFile::remove(b.path);
        try {
            b.window.Form_Load();
            ADD_FAILURE() << "no error for " << settings.constData();
        } catch (const BoardError& e) {
            EXPECT_TRUE(e.message().contains(u"QuantosMinutos"_s)) << e.message().toStdString();
            EXPECT_TRUE(e.message().contains(b.path)) << e.message().toStdString();
        }
        EXPECT_EQ(b.feed.loads, 0);
    }
}

// Nobody is there to click a dialog away: the reason stays on the window and
// the start is tried again until the settings read (a share mounted late).
TEST(Assi, AnUnattendedStartWaitsOnTheWindowUntilTheSettingsRead) {
    Board b{QByteArray()};
    QFile::remove(b.path);
    const QString fifo = b.dir.filePath(u"fifo/OTK.zlv"_s);
    b.dir.mkdir(u"fifo"_s);
    ASSERT_EQ(mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    QString located = b.path;
    b.window.setSettingsLocator([&] { return located; });
    const auto* notice = b.window.findChild<QLabel*>(u"StartupNotice"_s);
    ASSERT_NE(notice, nullptr);

    const std::pair<QString, QStringList> failures[] = {
        {b.path, {b.path, u"[Geral] QuantosMinutos"_s}},
        {fifo, {fifo, u"não é um ficheiro comum"_s}},
    };
    for (const auto& [path, expected] : failures) {
        located = path;
        b.window.start();
        for (const QString& part : expected) {
            EXPECT_TRUE(b.window.startupProblem().contains(part))
                << b.window.startupProblem().toStdString();
            EXPECT_TRUE(notice->text().contains(part)) << notice->text().toStdString();
        }
        EXPECT_TRUE(notice->text().endsWith(u"Nova tentativa às 09:01."_s));
        EXPECT_FALSE(notice->isHidden());
        EXPECT_EQ(notice->geometry(), b.window.rect());
        EXPECT_EQ(b.feed.loads, 0);
        EXPECT_FALSE(b.window.Relogio().isActive());
    }

    located = b.path;
    b.dir.write(u"zelvio/OTK.zlv"_s, validSettings);
    b.window.start(); // what the retry timer does a minute later
    EXPECT_TRUE(b.window.startupProblem().isEmpty());
    EXPECT_TRUE(notice->isHidden());
    EXPECT_EQ(b.feed.loads, 1);
    EXPECT_TRUE(b.window.Relogio().isActive());
}

// Each refresh reads the file once: an edit shows at the next refresh, and a
// file gone bad fails the refresh visibly instead of blanking the looks.
TEST(Assi, EachRefreshTakesTheSettingsFileAsItIsThen) {
    Board b;
    b.window.Form_Load();
    b.feed.deliver(goodData(u"ok"_s));
    QByteArray retitled = validSettings;
    retitled.replace("Titulo=Pedidos de assistência pendentes", "Titulo=Pedidos em espera");
    b.dir.write(u"zelvio/OTK.zlv"_s, retitled);
    b.window.RefreshBoard();
    b.feed.deliver(goodData(u"new"_s));
    EXPECT_EQ(b.window.Grelha_1()->caption(), u"Pedidos em espera"_s);

    QFile::remove(b.path);
    b.dir.mkdir(u"zelvio/OTK.zlv"_s);
    b.window.RefreshBoard();
    b.feed.deliver(goodData(u"newer"_s));
    // No settings to be had: the last ones stay, the data is refreshed, and
    // the footer says what is wrong with the file.
    EXPECT_TRUE(b.window.statusText().contains(u"é uma pasta"_s))
        << b.window.statusText().toStdString();
    EXPECT_EQ(firstValue(b.window.Grelha_1(), u"Cliente"_s), u"newer-a"_s);
    EXPECT_EQ(b.window.Grelha_1()->caption(), u"Pedidos em espera"_s);
}

TEST(Assi, TicksRefreshEveryRefreshTicksMinutes) {
    struct Case {
        const char* minutes;
        int ticks;
        QList<int> refreshedAfter;
    };
    const Case cases[] = {
        {"5", 15, {5, 10, 15}}, {"1", 3, {1, 2, 3}},   {"0", 3, {1, 2, 3}},
        {"-3", 3, {1, 2, 3}},   {"2.5", 6, {2, 4, 6}}, // halves to even in the C locale: 2
    };
    for (const Case& c : cases) {
        Board b(settingsWith("QuantosMinutos=" + QByteArray(c.minutes) + "\n"));
        b.window.Form_Load();
        b.feed.deliver(goodData(u"start"_s));
        QList<int> refreshedAfter;
        for (int tick = 1; tick <= c.ticks; ++tick) {
            const int before = b.feed.loads;
            b.window.Relogio_Timer();
            if (b.feed.loads > before) {
                refreshedAfter << tick;
                b.feed.deliver(goodData(u"t"_s));
            }
        }
        EXPECT_EQ(refreshedAfter, c.refreshedAfter) << c.minutes;
    }
}

TEST(Assi, ATickDuringARunningRefreshStartsNoOther) {
    Board b(settingsWith("QuantosMinutos=1\n"));
    b.window.Form_Load();
    b.window.Relogio_Timer();
    b.window.Relogio_Timer();
    EXPECT_EQ(b.feed.loads, 1);
    EXPECT_EQ(b.window.TickCount(), 0);
    b.feed.deliver(goodData(u"x"_s));
    b.window.Relogio_Timer();
    EXPECT_EQ(b.feed.loads, 2);
}

TEST(Assi, AWeekWithoutOrdersKeepsThePreviousBoardAndLayout) {
    Board b;
    b.window.Form_Load();
    b.feed.deliver(goodData(u"first"_s));
    const QRect laidOut = b.window.Grelha_2()->geometry();
    b.window.Grelha_2()->setGeometry(1, 2, 30, 40); // anything the refresh would have to undo

    BoardData none = goodData(u"second"_s);
    none.ok = false;
    none.board = Recordset();
    b.window.RefreshBoard();
    b.feed.deliver(none);
    EXPECT_EQ(firstValue(b.window.Grelha_1(), u"Cliente"_s), u"second-a"_s);
    EXPECT_EQ(firstValue(b.window.Grelha_2(), u"Dia_1"_s), u"first"_s);
    EXPECT_EQ(b.window.Grelha_2()->geometry(), QRect(1, 2, 30, 40));
    EXPECT_TRUE(b.window.lastError().isEmpty());

    b.window.RefreshBoard();
    b.feed.deliver(goodData(u"third"_s));
    EXPECT_EQ(firstValue(b.window.Grelha_2(), u"Dia_1"_s), u"third"_s);
    EXPECT_EQ(b.window.Grelha_2()->geometry(), laidOut);
}

TEST(Assi, AFailedRefreshStopsAtItsStepAndTheNextTickRecovers) {
    struct Case {
        const char* name;
        std::function<void(BoardData&)> spoil;
        bool requestsRebound;
    };
    const Case cases[] = {
        {"requests",
         [](BoardData& d) {
             d.requestsError = u"Não foi possível ligar à base de dados (servidor db1): não"_s;
         },
         false},
        {"week",
         [](BoardData& d) {
             d.weekError = u"A consulta à base de dados falhou: Tabela em falta"_s;
         },
         true},
    };
    for (const Case& c : cases) {
        Board b;
        b.window.Form_Load();
        b.feed.deliver(goodData(u"ok"_s));
        b.window.Frame1()->setVisible(true);

        b.now = b.now.addSecs(60);
        b.window.RefreshBoard();
        BoardData bad = goodData(u"new"_s);
        c.spoil(bad);
        b.feed.deliver(bad);
        SCOPED_TRACE(c.name);
        EXPECT_FALSE(b.window.Frame1()->isVisible()); // hidden before the failing step
        EXPECT_EQ(firstValue(b.window.Grelha_1(), u"Cliente"_s),
                  c.requestsRebound ? u"new-a"_s : u"ok-a"_s);
        EXPECT_EQ(firstValue(b.window.Grelha_2(), u"Dia_1"_s), u"ok"_s);
        EXPECT_FALSE(b.window.lastError().isEmpty());
        EXPECT_TRUE(footerStatus(b.window).contains(u" desde as 09:01 · nova tentativa às 09:02"_s))
            << footerStatus(b.window).toStdString();
        EXPECT_TRUE(b.window.footer()->toolTip().contains(b.window.lastError()));
        EXPECT_TRUE(footerLooksRed(b.window));

        // RefreshTicks is 5, but a failure is retried at the very next tick.
        b.window.Relogio_Timer();
        EXPECT_EQ(b.feed.loads, 3);
        b.feed.deliver(goodData(u"healed"_s));
        EXPECT_TRUE(b.window.lastError().isEmpty());
        EXPECT_EQ(firstValue(b.window.Grelha_2(), u"Dia_1"_s), u"healed"_s);
        EXPECT_EQ(footerStatus(b.window), u"Atualizado às 09:01"_s);
        EXPECT_FALSE(footerLooksRed(b.window));
    }
}

TEST(Assi, EscClosesFromAnyControlAndOtherKeysDoNothing) {
    for (const char* target : {"Grelha_1", "Grelha_2", "Grelha_11", "Assi"}) {
        Board b;
        b.window.Form_Load();
        b.feed.deliver(goodData(u"x"_s));
        b.window.show();
        QWidget* w = QString::fromLatin1(target) == u"Assi"_s
                         ? static_cast<QWidget*>(&b.window)
                         : b.window.findChild<QWidget*>(QString::fromLatin1(target));
        ASSERT_NE(w, nullptr) << target;
        // A focused grid takes its keys in the view inside it.
        if (w->focusProxy())
            w = w->focusProxy();
        for (Qt::Key key : {Qt::Key_Return, Qt::Key_A, Qt::Key_Space})
            QTest::keyClick(w, key);
        EXPECT_TRUE(b.window.isVisible()) << target;
        QTest::keyClick(w, Qt::Key_Escape);
        EXPECT_FALSE(b.window.isVisible()) << target;
    }
}

// The footer grows with the window, and the grids keep to the room above it.
TEST(Assi, FooterAndGridsFollowEveryResize) {
    struct Case {
        QSize size;
        int textPixels;
        QRect footer, grelha2, grelha1, grelha11;
    };
    const Case cases[] = {
        {{1330, 829},
         21,
         {0, 798, 1330, 31},
         {8, 8, 1314, 516},
         {8, 524, 649, 258},
         {673, 524, 649, 258}},
        {{1920, 1080},
         27,
         {0, 1040, 1920, 40},
         {8, 8, 1904, 677},
         {8, 685, 944, 339},
         {968, 685, 944, 339}},
        {{3840, 2160},
         54,
         {0, 2079, 3840, 81},
         {8, 8, 3824, 1370},
         {8, 1378, 1904, 685},
         {1928, 1378, 1904, 685}},
        // Too low for 2.5%: the text keeps the size the old status line had.
        {{800, 400},
         11,
         {0, 384, 800, 16},
         {8, 8, 784, 240},
         {8, 248, 384, 120},
         {408, 248, 384, 120}},
    };
    Board b;
    b.window.Form_Load();
    b.feed.deliver(goodData(u"x"_s));
    b.window.show();
    for (const Case& c : cases) {
        b.window.resize(c.size);
        SCOPED_TRACE(testing::Message() << c.size.width() << "x" << c.size.height());
        const FooterBand* footer = b.window.footer();
        EXPECT_EQ(footer->font().pixelSize(), c.textPixels);
        EXPECT_EQ(footer->geometry(), c.footer);
        EXPECT_EQ(b.window.Grelha_2()->geometry(), c.grelha2);
        EXPECT_EQ(b.window.Grelha_1()->geometry(), c.grelha1);
        EXPECT_EQ(b.window.Grelha_11()->geometry(), c.grelha11);
        // The lower band ends the old bottom margin above the footer.
        EXPECT_EQ(footer->y() - b.window.Grelha_11()->geometry().bottom() - 1, 16);
        EXPECT_EQ(footer->shownText(),
                  u"segunda-feira, 7 de dezembro de 2026 · 09:00 — Atualizado às 09:00"_s);
    }
    b.window.resize(1, 1);
    EXPECT_EQ(b.window.Grelha_1()->geometry().size(), QSize(0, 0));
    b.window.resize(1920, 1080);
    EXPECT_EQ(b.window.Grelha_11()->geometry(), cases[1].grelha11);
}

// Nobody restarts a wall board: the first tick after midnight asks for the
// new day's week, and the footer's date moves on with it.
TEST(Assi, ABoardLeftRunningOverMidnightTurnsToTheNewDay) {
    Board b(validSettings, QDate());
    b.now = QDateTime(QDate(2026, 12, 7), QTime(23, 58));
    b.window.Form_Load();
    EXPECT_EQ(b.feed.lastToday, QDate(2026, 12, 7));
    b.feed.deliver(goodData(u"monday"_s));

    b.now = b.now.addSecs(60);
    b.window.Relogio_Timer();
    EXPECT_EQ(b.feed.loads, 1);
    EXPECT_EQ(footerClock(b.window), u"segunda-feira, 7 de dezembro de 2026 · 23:59"_s);

    b.now = QDateTime(QDate(2026, 12, 8), QTime(0, 0));
    b.window.Relogio_Timer();
    EXPECT_EQ(b.feed.loads, 2);
    EXPECT_EQ(b.feed.lastToday, QDate(2026, 12, 8));
    BoardData tuesday = goodData(u"tuesday"_s);
    tuesday.DiasSemana = {u"TERÇA"_s, u"QUARTA"_s, u"QUINTA"_s, u"SEXTA"_s, u"SEGUNDA"_s, {}, {}};
    b.feed.deliver(tuesday);
    EXPECT_EQ(captionOf(b.window.Grelha_2(), u"Dia_1"_s), u"TERÇA"_s);
    EXPECT_EQ(firstValue(b.window.Grelha_2(), u"Dia_1"_s), u"tuesday"_s);
    EXPECT_EQ(footerClock(b.window), u"terça-feira, 8 de dezembro de 2026 · 00:00"_s);
    EXPECT_EQ(footerStatus(b.window), u"Atualizado às 00:00"_s);

    // Then the usual period again, counted from that refresh.
    for (int minute = 1; minute <= 4; ++minute) {
        b.now = b.now.addSecs(60);
        b.window.Relogio_Timer();
    }
    EXPECT_EQ(b.feed.loads, 2);
}

// The clock ticks on the wall clock's minute, so the footer's time turns when
// every other clock's does; a start just before a minute does not tick twice in it.
TEST(Assi, TheClockTicksOnTheMinute) {
    const std::pair<QTime, int> cases[] = {
        {QTime(9, 0), 60000},
        {QTime(9, 0, 30), 30000},
        {QTime(9, 0, 59, 500), 60500},
    };
    for (const auto& [time, interval] : cases) {
        Board b;
        b.now = QDateTime(QDate(2026, 12, 7), time);
        b.window.Form_Load();
        EXPECT_EQ(b.window.Relogio().interval(), interval) << time.toString().toStdString();
    }
}

TEST(Assi, AWrongSegundosPorPaginaLeavesThePagesStillAndSaysSoInRed) {
    QByteArray settings = validSettings;
    settings.replace("SegundosPorPagina=10\n", "SegundosPorPagina=-10\n");
    Board b(settings);
    b.window.Form_Load();
    b.feed.deliver(goodData(u"x"_s));
    EXPECT_FALSE(b.window.Grelha_1()->isPaged());
    EXPECT_EQ(b.window.paging().secondsPerPage(), 0);
    EXPECT_TRUE(b.window.statusText().contains(
        u"Definição inválida em [Geral] SegundosPorPagina: \"-10\" está fora do intervalo"_s))
        << b.window.statusText().toStdString();
    EXPECT_TRUE(b.window.statusText().contains(QDir::toNativeSeparators(b.path)));

    // Put right, it takes effect at the next refresh.
    b.dir.write(u"zelvio/OTK.zlv"_s, validSettings);
    b.window.RefreshBoard();
    b.feed.deliver(goodData(u"y"_s));
    EXPECT_TRUE(b.window.Grelha_1()->isPaged());
    EXPECT_EQ(b.window.paging().secondsPerPage(), 10);
    EXPECT_EQ(b.window.statusText(), u"Atualizado às 09:00"_s);
}

TEST(Assi, APageTurnHidesThePanelOnlyWhenItsOwnGridTurns) {
    struct Case {
        const char* grid;
        bool panelStays;
    };
    for (const Case c : {Case{"Grelha_11", true}, Case{"Grelha_1", false}}) {
        SCOPED_TRACE(c.grid);
        Board b;
        b.window.Form_Load();
        BoardData data = goodData(u"x"_s);
        QStringList many;
        for (int i = 0; i < 60; ++i)
            many << u"cliente %1"_s.arg(i);
        data.first = requests(many);
        b.feed.deliver(data);
        b.window.show();
        QCoreApplication::processEvents();
        ASSERT_GT(b.window.Grelha_1()->pageCount(), 1);
        ASSERT_EQ(b.window.Grelha_11()->pageCount(), 1);

        b.window.findChild<Grid*>(QString::fromLatin1(c.grid))->setCurrentCell(1, 1);
        ASSERT_TRUE(b.window.Frame1()->isVisible());
        b.window.Grelha_1()->showNextPage();
        EXPECT_EQ(b.window.Grelha_1()->currentPage(), 1);
        EXPECT_EQ(b.window.Frame1()->isVisible(), c.panelStays);
    }
}
