#include "app/BoardLayout.h"

#include <gtest/gtest.h>

using namespace assi;

namespace {
QString text(const QRectF& r) {
    // Six significant digits, as a person reads them: 3880.333... shows as 3880.33.
    return QStringLiteral("%1,%2 %3x%4")
        .arg(r.left(), 0, 'g', 6)
        .arg(r.top(), 0, 'g', 6)
        .arg(r.width(), 0, 'g', 6)
        .arg(r.height(), 0, 'g', 6);
}
} // namespace

TEST(BoardLayout, PlacesTheGridsForEveryClientArea) {
    struct Case {
        double width, height;
        const char* grelha2;
        const char* grelha1;
        const char* grelha11;
    };
    const Case cases[] = {
        {19800, 12000, "120,120 19560x7760", "120,7880 9660x3880", "10020,7880 9660x3880"},
        // H rounds (7760.67 -> 7761); the lower height stays unrounded.
        {19800, 12001, "120,120 19560x7761", "120,7881 9660x3880.33", "10020,7881 9660x3880.33"},
        // W rounds halves to even: 19800.5 - 240 = 19560.5 -> 19560.
        {19800.5, 12000, "120,120 19560x7760", "120,7880 9660x3880", "10020,7880 9660x3880"},
        {19801.5, 12000, "120,120 19562x7760", "120,7880 9661x3880", "10021,7880 9661x3880"},
        // A 4K wall display: past anything 16-bit values could hold.
        {57600, 32400, "120,120 57360x21360", "120,21480 28560x10680", "28920,21480 28560x10680"},
        // Minimised: zero sizes, never negative ones.
        {0, 0, "120,120 0x0", "120,120 0x0", "360,120 0x0"},
        {300, 200, "120,120 60x0", "120,120 0x0", "360,120 0x0"},
    };
    for (const Case& c : cases) {
        const BoardLayout layout = computeBoardLayout(c.width, c.height);
        SCOPED_TRACE(testing::Message() << c.width << " x " << c.height);
        EXPECT_EQ(text(layout.grelha2).toStdString(), c.grelha2);
        EXPECT_EQ(text(layout.grelha1).toStdString(), c.grelha1);
        EXPECT_EQ(text(layout.grelha11).toStdString(), c.grelha11);
    }
}

TEST(BoardLayout, RequestGridsNeverOverlapAndKeepEqualMargins) {
    for (double width : {480.0, 1000.0, 19950.0, 28801.0, 57600.0}) {
        const BoardLayout l = computeBoardLayout(width, 12435);
        EXPECT_GE(l.grelha11.left(), l.grelha1.right() + 240 - 1e-9) << width;
        EXPECT_DOUBLE_EQ(width - l.grelha11.right(), 120) << width;
    }
}
