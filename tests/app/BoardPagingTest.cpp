#include "app/BoardPaging.h"

#include "gridview/Grid.h"

#include <QApplication>
#include <QKeyEvent>
#include <QTreeView>
#include <QWheelEvent>
#include <gtest/gtest.h>
#include <memory>

using namespace assi;
using namespace Qt::StringLiterals;

namespace {

Recordset clients(int count) {
    Recordset rs;
    rs.appendField(u"Cliente"_s, FieldType::Text);
    for (int i = 0; i < count; ++i) {
        rs.addNew();
        rs.setValue(0, u"Cliente %1"_s.arg(i));
        rs.update();
    }
    rs.moveFirst();
    return rs;
}

// A board of two grids: one with more rows than it shows, one whose rows fit.
struct PagedBoard {
    PagedBoard() {
        board.resize(400, 300);
        long_->setGeometry(0, 0, 200, 300);
        short_->setGeometry(200, 0, 200, 300);
        long_->setDataSource(clients(100));
        short_->setDataSource(clients(2));
        paging.setSecondsPerPage(10);
        board.show();
        QCoreApplication::processEvents();
    }
    QWidget* rowsOf(Grid* grid) { return grid->findChild<QTreeView*>(u"rows"_s)->viewport(); }

    qint64 steady = 0; // milliseconds
    QWidget board;
    Grid* long_ = new Grid(&board);
    Grid* short_ = new Grid(&board);
    BoardPaging paging{&board, {long_, short_}, [this] { return steady; }};
};

void sendInput(QWidget* target, const QString& input) {
    const QPointF centre = QRectF(target->rect()).center();
    if (input == u"key"_s) {
        QKeyEvent press(QEvent::KeyPress, Qt::Key_Down, Qt::NoModifier);
        QApplication::sendEvent(target, &press);
    } else if (input == u"click"_s) {
        QMouseEvent press(QEvent::MouseButtonPress, centre, target->mapToGlobal(centre),
                          Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(target, &press);
    } else {
        QWheelEvent wheel(centre, target->mapToGlobal(centre), {}, QPoint(0, -120), Qt::NoButton,
                          Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(target, &wheel);
    }
}

} // namespace

TEST(BoardPaging, TurnsTheOverflowingGridsTogetherAndLeavesTheOthers) {
    PagedBoard b;
    ASSERT_GT(b.long_->pageCount(), 2);
    EXPECT_EQ(b.short_->pageCount(), 1);
    EXPECT_TRUE(b.paging.timer().isActive());
    EXPECT_EQ(b.paging.timer().interval(), 10000);
    for (int turn = 1; turn <= b.long_->pageCount(); ++turn) {
        b.paging.showNextPages();
        EXPECT_EQ(b.long_->currentPage(), turn % b.long_->pageCount());
        EXPECT_EQ(b.short_->currentPage(), 0);
    }
    b.paging.setSecondsPerPage(0);
    EXPECT_FALSE(b.paging.timer().isActive());
    EXPECT_FALSE(b.long_->isPaged());
    EXPECT_EQ(b.long_->pageCount(), 1);
}

TEST(BoardPaging, AKeyAClickOrTheWheelOnTheBoardHoldsThePagesForAMinute) {
    for (const QString& input : {u"key"_s, u"click"_s, u"wheel"_s}) {
        SCOPED_TRACE(input.toStdString());
        PagedBoard b;
        QWidget outside;
        sendInput(&outside, input);
        EXPECT_FALSE(b.paging.isPaused()) << "only input on the board counts";

        sendInput(b.rowsOf(b.short_), input);
        EXPECT_TRUE(b.paging.isPaused());
        const int page = b.long_->currentPage();
        b.steady += (BoardPaging::PauseSeconds - 1) * 1000;
        b.paging.showNextPages();
        EXPECT_EQ(b.long_->currentPage(), page) << "held";
        b.steady += 1000;
        EXPECT_FALSE(b.paging.isPaused());
        b.paging.showNextPages();
        EXPECT_EQ(b.long_->currentPage(), (page + 1) % b.long_->pageCount());
    }
}
