// The frame of the shown window is read from what the window painted, with
// a change still due painted first, and never painted a second time.
#include "app/ShownFrame.h"

#include <QPainter>
#include <QTest>
#include <QWidget>
#include <gtest/gtest.h>

using namespace assi;

namespace {

// Paints itself in one colour and counts its paints.
class Swatch : public QWidget {
public:
    QColor colour = Qt::darkGreen;
    int paints = 0;

protected:
    void paintEvent(QPaintEvent*) override {
        ++paints;
        QPainter(this).fillRect(rect(), colour);
    }
};

} // namespace

TEST(ShownFrame, ReadsWhatTheWindowPaintedAndPaintsOnlyWhatIsDue) {
    const struct {
        const char* name;
        bool shown;
        bool changeDue;
        int paints; // made by reading the frame
    } cases[] = {
        {"shown, nothing due", true, false, 0},
        {"shown, a change due", true, true, 1},
        {"not shown", false, true, 1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Swatch window;
        window.resize(120, 80);
        if (c.shown) {
            window.show();
            ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
            ASSERT_TRUE(QTest::qWaitFor([&] { return window.paints > 0; }));
        }
        if (c.changeDue) {
            window.colour = Qt::darkRed;
            window.update();
        }
        const int before = window.paints;
        const QImage frame = shownFrame(window);
        EXPECT_EQ(window.paints - before, c.paints);
        ASSERT_EQ(frame.size(), window.size() * window.devicePixelRatio());
        EXPECT_EQ(frame.pixelColor(60, 40), window.colour);
        // The frame is a copy: the next paint leaves it as it was.
        const QColor shown = window.colour;
        window.colour = Qt::darkBlue;
        window.repaint();
        EXPECT_EQ(frame.pixelColor(60, 40), shown);
    }
}
