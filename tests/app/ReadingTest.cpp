// The board read from across the room: the demo on a 55" screen, from 3 m
// and 6 m, at 1080p and 4K.
#include "app/Assi.h"
#include "app/BoardFixture.h"
#include "common/TempDir.h"
#include "data/BoardLoader.h"
#include "data/DemoSite.h"
#include "gridview/Grid.h"

#include <QFile>
#include <algorithm>
#include <gtest/gtest.h>
#include <numeric>

using namespace assi;
using namespace Qt::StringLiterals;

namespace {

const QDate Today(2026, 12, 7);

// The records each page brings, turning the pages as the board turns them.
QList<int> recordsPerPage(Grid& grid) {
    QList<int> pages;
    for (int page = 0; page < grid.pageCount(); ++page) {
        grid.setCurrentPage(page);
        const int first = grid.pageFirstRow();
        int end = grid.displayedRowCount();
        if (page + 1 < grid.pageCount()) {
            grid.setCurrentPage(page + 1);
            end = grid.pageFirstRow();
        }
        int records = 0;
        for (int row = first; row < end; ++row)
            records += grid.isGroupHeaderRow(row) ? 0 : 1;
        pages << records;
    }
    grid.setCurrentPage(0);
    return pages;
}

// The fewest records a page brings, the last page (what is left) aside.
int fewestOnAFullPage(const QList<int>& pages) {
    return pages.size() < 2 ? pages.value(0) : *std::min_element(pages.begin(), pages.end() - 1);
}

int total(const QList<int>& pages) {
    return std::accumulate(pages.begin(), pages.end(), 0);
}

struct BoardPages {
    QList<int> first;
    QList<int> second;
    QList<int> week;
    double capPixels = 0;
    double capDegrees = 0;
};

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
        window->show();
        m_feed.deliver(data);
        for (Grid* grid : {window->Grelha_1(), window->Grelha_11(), window->Grelha_2()})
            grid->settle();
    }

    std::unique_ptr<Assi> window;

private:
    test::TempDir m_dir;
    test::FakeFeed m_feed;
};

BoardPages pagesAt(const QString& distance, QSize screen) {
    ReadingBoard board(distance, screen);
    const BoardReading& reading = board.window->reading();
    EXPECT_TRUE(reading.isActive());
    return {recordsPerPage(*board.window->Grelha_1()), recordsPerPage(*board.window->Grelha_11()),
            recordsPerPage(*board.window->Grelha_2()), reading.smallestCapScreenPixels(),
            reading.smallestCapDegrees().value_or(0)};
}

} // namespace

TEST(Reading, TheRoomGoesToRowsAndFinerScreensShowTheSamePages) {
    const BoardPages hd = pagesAt(u"3"_s, QSize(1920, 1080));
    EXPECT_GE(hd.capDegrees, 0.3);
    EXPECT_GE(fewestOnAFullPage(hd.first), 6);
    EXPECT_GE(fewestOnAFullPage(hd.second), 6);
    // The week's records are clients and technicians, two to an order.
    EXPECT_GE(fewestOnAFullPage(hd.week), 2 * 4);

    const BoardPages uhd = pagesAt(u"3"_s, QSize(3840, 2160));
    EXPECT_GE(uhd.capDegrees, 0.3);
    EXPECT_NEAR(uhd.capPixels, 2 * hd.capPixels, 2);
    EXPECT_EQ(uhd.first, hd.first);
    EXPECT_EQ(uhd.second, hd.second);
    EXPECT_EQ(uhd.week, hd.week);

    // Twice as far: twice the letters, more pages, and still every record.
    const BoardPages far = pagesAt(u"6"_s, QSize(1920, 1080));
    EXPECT_GE(far.capDegrees, 0.3);
    EXPECT_NEAR(far.capPixels, 2 * hd.capPixels, 2);
    EXPECT_GT(far.first.size(), hd.first.size());
    EXPECT_GT(far.week.size(), hd.week.size());
    EXPECT_EQ(total(far.first), total(hd.first));
    EXPECT_EQ(total(far.second), total(hd.second));
    EXPECT_EQ(total(far.week), total(hd.week));
}
