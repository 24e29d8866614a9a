#include "gridview/GridCaptionBar.h"

#include "gridview/Grid.h"

#include <QImage>
#include <QTest>
#include <QTreeView>
#include <gtest/gtest.h>

using namespace assi;
using namespace Qt::StringLiterals;

namespace {

const QString Note = u"+3 ao fim de semana"_s;
constexpr int BarWidth = 1000;

// One background colour, so that whatever differs from a blank bar is text.
QImage paintBar(const QString& title, const QString& note, const QString& page) {
    GridCaptionBar bar;
    GridCellLook look;
    look.back = look.gridLine = QColor(0x00, 0x70, 0x30);
    look.fore = Qt::white;
    look.font = QFont(u"DejaVu Sans"_s, 12, QFont::Bold);
    look.alignment = Qt::AlignCenter;
    bar.setLook(look);
    bar.setText(title);
    bar.setNote(note);
    bar.setPageText(page);
    bar.resize(BarWidth, bar.preferredHeight());
    return bar.grab().toImage();
}

// The first and last columns where the two images differ; {-1, -1} when none.
std::pair<int, int> differingColumns(const QImage& a, const QImage& b) {
    std::pair<int, int> columns{-1, -1};
    for (int x = 0; x < a.width(); ++x) {
        for (int y = 0; y < a.height(); ++y) {
            if (a.pixel(x, y) == b.pixel(x, y))
                continue;
            columns = {columns.first < 0 ? x : columns.first, x};
            break;
        }
    }
    return columns;
}

} // namespace

TEST(GridCaptionBar, TheNoteStandsBeforeThePageNumberAndNoTitleCoversIt) {
    const QString fitting = u"Ordens de serviço da semana"_s;
    const QString tooLong = QStringList(6, fitting).join(u' ');
    for (const QString& page : {u"1/2"_s, QString()}) {
        for (const QString& title : {fitting, tooLong}) {
            SCOPED_TRACE((page + u' ' + title).toStdString());
            const QImage pageOnly = paintBar({}, {}, page);
            const QImage right = paintBar({}, Note, page);
            const auto note = differingColumns(right, pageOnly);
            ASSERT_GT(note.first, BarWidth / 2) << "at the right end";
            if (!page.isEmpty()) {
                EXPECT_LT(note.second, differingColumns(pageOnly, paintBar({}, {}, {})).first);
            }

            const auto titleInk = differingColumns(paintBar(title, Note, page), right);
            ASSERT_GE(titleInk.first, 0) << "the title shows";
            EXPECT_LT(titleInk.second, note.first) << "and stays clear of the note";
            if (title == fitting) {
                EXPECT_NEAR((titleInk.first + titleInk.second) / 2, BarWidth / 2, 3)
                    << "a title that fits stays centred";
            }
        }
    }
}

TEST(GridCaptionBar, ANoteRepaintsTheCaptionAloneAndLeavesNothingWhenCleared) {
    Grid grid;
    grid.setCaption(u"Ordens de serviço da semana"_s);
    grid.resize(BarWidth, 300);
    grid.show();
    QCoreApplication::processEvents();
    auto* caption = grid.findChild<GridCaptionBar*>(u"caption"_s);
    auto* rows = grid.findChild<QTreeView*>(u"rows"_s);
    ASSERT_TRUE(caption && rows);
    const QImage before = caption->grab().toImage();

    struct PaintCounter : QObject {
        int paints = 0;
        bool eventFilter(QObject*, QEvent* event) override {
            paints += event->type() == QEvent::Paint;
            return false;
        }
    } captionPaints, rowPaints;
    caption->installEventFilter(&captionPaints);
    rows->viewport()->installEventFilter(&rowPaints);
    grid.setCaptionNote(Note);
    ASSERT_TRUE(QTest::qWaitFor([&] { return captionPaints.paints > 0; }));
    EXPECT_EQ(rowPaints.paints, 0);
    EXPECT_EQ(grid.captionNote(), Note);
    EXPECT_NE(caption->grab().toImage(), before);

    grid.setCaptionNote(QString());
    EXPECT_EQ(caption->grab().toImage(), before);
}
