// The board read from across the room: the demo on a 55" screen, from 3 m
// and 6 m, at 1080p and 4K.
#include "app/Assi.h"
#include "app/BoardFixture.h"
#include "common/TempDir.h"
#include "data/BoardLoader.h"
#include "data/DemoSite.h"
#include "gridview/Grid.h"

#include <QFile>
#include <gtest/gtest.h>

using namespace assi;
using namespace Qt::StringLiterals;

namespace {

const QDate Today(2026, 12, 7);

struct Page {
    int records = 0; // new records the page brings
};

// Every page of `grid`, turned as the board turns them.
QList<Page> pagesOf(Grid& grid) {
    QList<Page> pages;
    for (int page = 0; page < grid.pageCount(); ++page) {
        grid.setCurrentPage(page);
        const int first = grid.pageFirstRow();
        int end = grid.displayedRowCount();
        if (page + 1 < grid.pageCount()) {
            grid.setCurrentPage(page + 1);
            end = grid.pageFirstRow();
        }
        Page p;
        for (int row = first; row < end; ++row)
            p.records += grid.isGroupHeaderRow(row) ? 0 : 1;
        pages << p;
    }
    grid.setCurrentPage(0);
    return pages;
}

int fewestRecords(Grid& grid) {
    int fewest = INT_MAX;
    for (const Page& p : pagesOf(grid))
        fewest = std::min(fewest, p.records);
    return fewest;
}

int records(Grid& grid) {
    int total = 0;
    for (const Page& p : pagesOf(grid))
        total += p.records;
    return total;
}

class ReadingBoard {
public:
    ReadingBoard(const QString& distance, QSize screen) {
        const DemoFiles demo = writeDemo(m_dir.path(), Today);
        // A second [Geral] would not be read: the keys go into the first.
        QFile file(demo.settingsFile);
        EXPECT_TRUE(file.open(QIODevice::ReadOnly));
        QString text = QString::fromUtf8(file.readAll());
        file.close();
        text.replace(u"[Geral]\n"_s,
                     u"[Geral]\nPolegadasEcra=55\nDistanciaLeitura=%1\n"_s.arg(distance));
        EXPECT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(text.toUtf8());
        file.close();

        BoardLoader loader(m_dir.path(), m_dir.path());
        const BoardData data = loader.load(Today);
        window = std::make_unique<Assi>(&m_feed, demo.settingsFile, Today);
        window->setClock([] { return QDateTime(Today, QTime(10, 0)); });
        window->resize(screen);
        window->setScreenSize(screen);
        window->Form_Load();
        m_feed.deliver(data);
        for (Grid* grid : {window->Grelha_1(), window->Grelha_11(), window->Grelha_2()})
            grid->settle();
    }

    std::unique_ptr<Assi> window;

private:
    test::TempDir m_dir;
    test::FakeFeed m_feed;
};

} // namespace

TEST(Reading, FromThreeMetresTheRoomGoesToRows) {
    for (const QSize screen : {QSize(1920, 1080), QSize(3840, 2160)}) {
        SCOPED_TRACE(screen.height());
        ReadingBoard board(u"3"_s, screen);
        const BoardReading& reading = board.window->reading();
        ASSERT_TRUE(reading.isActive());
        EXPECT_GE(*reading.smallestCapDegrees(), 0.3);
        EXPECT_GE(records(*board.window->Grelha_1()), 25);
        EXPECT_GE(fewestRecords(*board.window->Grelha_1()), 6);
        EXPECT_GE(fewestRecords(*board.window->Grelha_11()), 6);
        // Records are clients and technicians, two to an order.
        EXPECT_GE(fewestRecords(*board.window->Grelha_2()), 2 * 4);
    }
}
