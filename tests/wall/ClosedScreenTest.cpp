#include "wall/ClosedScreen.h"

#include "wall/BoardSchedule.h"
#include "wall/ScreenAwake.h"

#include <QLabel>
#include <cstdlib>
#include <gtest/gtest.h>

using namespace assi;
using namespace Qt::StringLiterals;

// Outside the hours the board says when it opens, under the clock, in the
// same dim type and never smaller than the board is read at; the two move
// every minute, together.
TEST(ClosedScreen, SaysUnderTheClockWhenTheBoardOpens) {
    struct Case {
        QSize board;
        int day; // of December 2026: the 7th is a Monday
        int minimumPixels;
        QString opening;
        int clockPixels;
        int openingPixels;
    };
    const Case cases[] = {
        {{1920, 1080}, 7, 0, u"Fechado · abre amanhã às 08:00"_s, 32, 24},
        {{1920, 1080}, 11, 40, u"Fechado · abre segunda-feira às 08:00"_s, 40, 40},
        {{3840, 2160}, 8, 56, u"Fechado · abre amanhã às 08:00"_s, 64, 56},
        {{400, 300}, 8, 0, u"Fechado · abre amanhã às 08:00"_s, 12, 12},
        // Too wide for the screen: the day goes under "Fechado".
        {{640, 480}, 12, 40, u"Fechado\nabre segunda-feira às 08:00"_s, 40, 40},
    };
    OpeningHours hours;
    hours.opensAt = 8 * 60;
    hours.closesAt = 19 * 60;
    hours.days = {true, true, true, true, true, false, false};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.opening.toStdString());
        QWidget board;
        board.resize(c.board);
        BoardSchedule schedule(&board, ScreenAwake::none());
        schedule.setHours(hours);
        schedule.closedScreen()->setMinimumTextPixels(c.minimumPixels);
        const QLabel& clock = *schedule.closedScreen()->clock();
        const QLabel& opening = *schedule.closedScreen()->opening();
        QSet<std::pair<int, int>> places;
        for (int minute = 0; minute < 10; ++minute) {
            schedule.update(QDateTime(QDate(2026, 12, c.day), QTime(22, minute)));
            EXPECT_EQ(opening.text().toStdString(), c.opening.toStdString());
            EXPECT_EQ(opening.y(), clock.geometry().bottom() + 1);
            EXPECT_LE(std::abs(opening.geometry().center().x() - clock.geometry().center().x()), 1);
            EXPECT_TRUE(board.rect().contains(clock.geometry() | opening.geometry()));
            places.insert({clock.x(), clock.y()});
        }
        EXPECT_GE(places.size(), 9);
        EXPECT_EQ(clock.font().pixelSize(), c.clockPixels);
        EXPECT_EQ(opening.font().pixelSize(), c.openingPixels);
        EXPECT_EQ(opening.palette().color(QPalette::WindowText),
                  clock.palette().color(QPalette::WindowText));
    }
}
