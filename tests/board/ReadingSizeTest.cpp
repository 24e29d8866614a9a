#include "board/ReadingSize.h"

#include <QImage>
#include <QPainter>
#include <gtest/gtest.h>

using namespace assi;
using namespace Qt::StringLiterals;

namespace {

// The rows a capital H drawn in `font` inks (a quarter covered or more).
int inkedCapRows(const QFont& font) {
    const int side = 3 * QFontMetrics(font).height();
    QImage image(side, side, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.setFont(font);
    painter.drawText(QPointF(side / 4.0, side * 0.75), u"H"_s);
    painter.end();
    int first = -1;
    int last = -1;
    for (int y = 0; y < side; ++y) {
        for (int x = 0; x < side; ++x) {
            if (qGray(image.pixel(x, y)) < 192) {
                first = first < 0 ? y : first;
                last = y;
                break;
            }
        }
    }
    return first < 0 ? 0 : last - first + 1;
}

QFont withPixelSize(QFont font, int pixels) {
    font.setPixelSize(pixels);
    return font;
}

// `font` with its size multiplied by `zoom`, as the grids apply a zoom.
QFont zoomed(QFont font, double zoom) {
    if (font.pointSizeF() > 0)
        font.setPointSizeF(font.pointSizeF() * zoom);
    else
        font.setPixelSize(qRound(font.pixelSize() * zoom));
    return font;
}

} // namespace

TEST(ReadingSize, TheScreensHeightComesFromTheSettingsThenABelievableReportThen96Dpi) {
    struct Case {
        const char* what;
        std::optional<double> inches;
        QSize pixels;
        QSizeF reported;
        double millimetres;
        ScreenSizeSource source;
    };
    using enum ScreenSizeSource;
    const QSize hd(1920, 1080);
    const double hdAt96 = 1080 / 96.0 * 25.4;
    const Case cases[] = {
        {"55 inches", 55.0, hd, {1210, 680}, 684.9, Settings},
        {"55 inches, turned", 55.0, {1080, 1920}, {}, 1217.6, Settings},
        {"a 55-inch television", {}, hd, {1210, 680}, 680, Screen},
        {"reported across a turned screen", {}, {1080, 1920}, {1210, 680}, 1210, Screen},
        {"no size", {}, hd, {0, 0}, hdAt96, Assumed},
        {"16x9", {}, hd, {16, 9}, hdAt96, Assumed},
        {"1600x900", {}, hd, {1600, 900}, hdAt96, Assumed},
        {"90x160, turned", {}, {1080, 1920}, {90, 160}, 1920 / 96.0 * 25.4, Assumed},
        {"40x30", {}, {1024, 768}, {40, 30}, 768 / 96.0 * 25.4, Assumed},
        {"4000 dpi", {}, hd, {12, 7}, hdAt96, Assumed},
        {"square for wide pixels", {}, hd, {600, 600}, hdAt96, Assumed},
        {"Xvfb's guess", {}, hd, {508, 286}, hdAt96, Assumed},
    };
    for (const Case& c : cases) {
        const ScreenHeight height = screenHeightFor(c.inches, c.pixels, c.reported);
        EXPECT_NEAR(height.millimetres, c.millimetres, 0.05) << c.what;
        EXPECT_EQ(screenSizeSourceName(height.source), screenSizeSourceName(c.source)) << c.what;
    }
}

TEST(ReadingSize, ACapitalSubtendsTheLeastAngleAtTheReadingDistance) {
    // Metres, millimetres per pixel, pixels: 15.708 mm at 3 m.
    const double cases[][3] = {{3.0, 1.0, 15.708}, {3.0, 0.634, 24.776}, {50.0, 0.634, 412.9}};
    for (const auto& [metres, pixelSize, capPixels] : cases) {
        const double pixels = minimumCapPixels(metres, pixelSize);
        EXPECT_NEAR(pixels, capPixels, 0.001 * capPixels) << metres << " m";
        EXPECT_NEAR(capDegrees(pixels, pixelSize, metres), MinimumCapDegrees, 1e-9);
        EXPECT_NEAR(capDegrees(2 * pixels, pixelSize, metres), 2 * MinimumCapDegrees, 1e-4);
    }
}

// Drawn and measured, the zoomed text's capitals reach the size the distance
// asks for, and the zoom is no larger than the smallest text needs. Hinting
// moves a capital by a pixel either way, so it does not grow with its font.
TEST(ReadingSize, ZoomedTextIsDrawnWithCapitalsReadableFromTheDistance) {
    struct Case {
        double inches;
        QSize pixels;
        double metres;
    };
    const Case cases[] = {
        {55, {1920, 1080}, 3.0}, {32, {1366, 768}, 5.0}, {24, {1920, 1200}, 1.0},
        {86, {3840, 2160}, 8.0}, {10, {1280, 800}, 0.5}, {43, {1920, 1080}, 2.2},
    };
    // Arial and Tahoma, the demo's, are Liberation Sans and DejaVu Sans here.
    QList<QFont> fonts = {
        QFont(u"Arial"_s, 13), QFont(u"Tahoma"_s, 11), QFont(u"Liberation Serif"_s, 10),
        withPixelSize(QFont(u"DejaVu Sans"_s), 20), withPixelSize(QFont(u"Liberation Sans"_s), 9)};
    fonts[2].setPointSizeF(10.5);
    for (const Case& c : cases) {
        const double millimetres = screenHeightFor(c.inches, c.pixels, {}).millimetres;
        const double capPixels = minimumCapPixels(c.metres, millimetres / c.pixels.height());
        const double zoom = textZoomFor(fonts, capPixels);
        SCOPED_TRACE(u"%1\" at %2 m: %3 px, zoom %4"_s.arg(c.inches)
                         .arg(c.metres)
                         .arg(capPixels)
                         .arg(zoom)
                         .toStdString());
        bool oneNeedsItAll = false;
        for (const QFont& font : fonts) {
            const QFont shown = zoomed(font, zoom);
            EXPECT_GE(inkedCapRows(shown), capPixels) << shown.toString().toStdString();
            // A step or a pixel less, and this font would fall short.
            const QFont less = font.pointSizeF() > 0 ? zoomed(font, zoom / 1.011)
                                                     : withPixelSize(shown, shown.pixelSize() - 1);
            oneNeedsItAll = oneNeedsItAll || capHeightPixels(less) < capPixels;

            const int pixels = pixelSizeForCap(font, capPixels);
            EXPECT_GE(inkedCapRows(withPixelSize(font, pixels)), capPixels);
            EXPECT_LT(capHeightPixels(withPixelSize(font, pixels - 1)), capPixels);
        }
        EXPECT_TRUE(oneNeedsItAll);
    }
    EXPECT_EQ(textZoomFor({}, 30.0), 1.0);
}
