#include "board/ReadingSize.h"

#include <QFontMetricsF>
#include <QtMath>
#include <algorithm>
#include <cmath>

using namespace Qt::StringLiterals;

namespace assi {

namespace {

constexpr double MillimetresPerInch = 25.4;
constexpr double MillimetresPerMetre = 1000.0;
// What a screen that says nothing believable of itself is taken to have.
constexpr double AssumedDotsPerInch = 96.0;

// An EDID often holds its aspect ratio where its size in centimetres
// belongs, and X RandR reports that as millimetres: 16x9, 160x90 or
// 1600x900 "mm" for any 16:9 screen.
constexpr int AspectRatios[][2] = {{16, 9}, {16, 10}, {4, 3}, {5, 4}};
constexpr int AspectScales[] = {1, 10, 100};
// Beyond these, the reported size is a mistake rather than a screen.
constexpr double LeastDotsPerInch = 15.0;
constexpr double MostDotsPerInch = 600.0;
constexpr double MostAspectMismatch = 1.15;
// Xvfb, and some drivers, make the size up from 96 dpi; a real screen within
// this of 96 dpi gets the same answer from the guess.
constexpr double GuessTolerance = 0.01;

// Fonts are measured this large to learn their proportions: big enough that
// hinting's rounding is lost in the size.
constexpr int ProportionPixels = 400;
constexpr double ProportionPoints = 300.0;
// A step of the text's zoom, and how many steps a search may take.
constexpr double ZoomStep = 1.005;
constexpr int MostZoomSteps = 400;
constexpr int MostPixelSize = 8192;

bool isAspectRatioOnly(QSizeF millimetres) {
    const auto is = [](double value, int expected) { return std::abs(value - expected) < 0.5; };
    for (const auto& [wide, high] : AspectRatios) {
        for (const int scale : AspectScales) {
            const int a = wide * scale;
            const int b = high * scale;
            if ((is(millimetres.width(), a) && is(millimetres.height(), b)) ||
                (is(millimetres.width(), b) && is(millimetres.height(), a)))
                return true;
        }
    }
    return false;
}

double dotsPerInch(int pixels, double millimetres) {
    return pixels / (millimetres / MillimetresPerInch);
}

bool isAssumedDensity(double dpi) {
    return std::abs(dpi / AssumedDotsPerInch - 1.0) <= GuessTolerance;
}

// Whether `millimetres` (turned as the pixels are) can be the size of a
// screen of `pixels`, and is not a made-up 96 dpi.
bool isBelievable(QSizeF millimetres, QSize pixels) {
    if (!(millimetres.width() > 0 && millimetres.height() > 0) || isAspectRatioOnly(millimetres))
        return false;
    const double dpiX = dotsPerInch(pixels.width(), millimetres.width());
    const double dpiY = dotsPerInch(pixels.height(), millimetres.height());
    const auto plausible = [](double dpi) {
        return dpi >= LeastDotsPerInch && dpi <= MostDotsPerInch;
    };
    if (!plausible(dpiX) || !plausible(dpiY))
        return false;
    const double aspectMismatch =
        (millimetres.width() / millimetres.height()) / (double(pixels.width()) / pixels.height());
    if (aspectMismatch > MostAspectMismatch || aspectMismatch < 1.0 / MostAspectMismatch)
        return false;
    return !(isAssumedDensity(dpiX) && isAssumedDensity(dpiY));
}

QFont zoomed(const QFont& font, double zoom) {
    QFont sized = font;
    if (font.pointSizeF() > 0)
        sized.setPointSizeF(font.pointSizeF() * zoom);
    else
        sized.setPixelSize(std::max(1, qRound(font.pixelSize() * zoom)));
    return sized;
}

bool reaches(const QFont& font, double capPixels) {
    return capHeightPixels(font) >= capPixels;
}

QFont withPixelSize(const QFont& font, int pixels) {
    QFont sized = font;
    sized.setPixelSize(pixels);
    return sized;
}

// The zoom one font sized in points needs: estimated from its proportions,
// then measured a step at a time to where hinting puts it.
double zoomForPoints(const QFont& font, double capPixels) {
    QFont large = font;
    large.setPointSizeF(ProportionPoints);
    const double capPerPoint = capHeightPixels(large) / ProportionPoints;
    if (!(capPerPoint > 0))
        return 1.0;
    double zoom = capPixels / (capPerPoint * font.pointSizeF());
    int steps = 0;
    if (reaches(zoomed(font, zoom), capPixels)) {
        while (steps++ < MostZoomSteps && reaches(zoomed(font, zoom / ZoomStep), capPixels))
            zoom /= ZoomStep;
        return zoom;
    }
    while (steps++ < MostZoomSteps && !reaches(zoomed(font, zoom), capPixels))
        zoom *= ZoomStep;
    return zoom;
}

double zoomFor(const QFont& font, double capPixels) {
    if (font.pointSizeF() > 0)
        return zoomForPoints(font, capPixels);
    if (font.pixelSize() <= 0)
        return 1.0;
    return double(pixelSizeForCap(font, capPixels)) / font.pixelSize();
}

} // namespace

QString screenSizeSourceName(ScreenSizeSource source) {
    switch (source) {
    case ScreenSizeSource::Settings:
        return u"settings"_s;
    case ScreenSizeSource::Screen:
        return u"screen"_s;
    case ScreenSizeSource::Assumed:
        break;
    }
    return u"assumed"_s;
}

ScreenHeight screenHeightFor(std::optional<double> inches, QSize pixels,
                             QSizeF reportedMillimetres) {
    if (pixels.isEmpty())
        return {0.0, ScreenSizeSource::Assumed};
    if (inches) {
        const double diagonalPixels = std::hypot(pixels.width(), pixels.height());
        return {*inches * MillimetresPerInch * pixels.height() / diagonalPixels,
                ScreenSizeSource::Settings};
    }
    // A turned screen may report its size as it stands in its stand.
    QSizeF millimetres = reportedMillimetres;
    if ((pixels.width() >= pixels.height()) != (millimetres.width() >= millimetres.height()))
        millimetres.transpose();
    if (isBelievable(millimetres, pixels))
        return {millimetres.height(), ScreenSizeSource::Screen};
    return {pixels.height() / AssumedDotsPerInch * MillimetresPerInch, ScreenSizeSource::Assumed};
}

double minimumCapPixels(double distanceMetres, double millimetresPerPixel) {
    Q_ASSERT_X(millimetresPerPixel > 0, "minimumCapPixels", "a pixel has a size");
    const double halfAngle = qDegreesToRadians(MinimumCapDegrees / 2.0);
    const double capMillimetres = 2.0 * distanceMetres * MillimetresPerMetre * std::tan(halfAngle);
    return capMillimetres / millimetresPerPixel;
}

double capDegrees(double capPixels, double millimetresPerPixel, double distanceMetres) {
    Q_ASSERT_X(distanceMetres > 0, "capDegrees", "a reader stands somewhere");
    const double capMillimetres = capPixels * millimetresPerPixel;
    return qRadiansToDegrees(
        2.0 * std::atan(capMillimetres / (2.0 * distanceMetres * MillimetresPerMetre)));
}

// A font's own cap height (its OS/2 table's) is not hinted, and can stand a
// pixel above or below the capital that is drawn; the drawn H can stand above
// it. The smaller of the two holds for whichever a reader or a caller checks.
double capHeightPixels(const QFont& font) {
    const QFontMetricsF metrics(font);
    const double drawn = metrics.tightBoundingRect(u"H"_s).height();
    if (!(drawn > 0))
        return metrics.capHeight();
    return std::min(metrics.capHeight(), drawn);
}

// Each font's zoom is found alone; the largest is checked against them all,
// as hinting does not always grow a font's capitals with its size.
double textZoomFor(const QList<QFont>& fonts, double capPixels) {
    if (fonts.isEmpty() || !(capPixels > 0))
        return 1.0;
    double zoom = 0.0;
    for (const QFont& font : fonts)
        zoom = std::max(zoom, zoomFor(font, capPixels));
    const auto allReach = [&] {
        return std::all_of(fonts.begin(), fonts.end(), [&](const QFont& font) {
            return reaches(zoomed(font, zoom), capPixels);
        });
    };
    for (int steps = 0; steps < MostZoomSteps && !allReach(); ++steps)
        zoom *= ZoomStep;
    return zoom;
}

int pixelSizeForCap(const QFont& font, double capPixels) {
    if (!(capPixels > 0))
        return 1;
    const double capPerPixel =
        capHeightPixels(withPixelSize(font, ProportionPixels)) / ProportionPixels;
    int pixels = capPerPixel > 0 ? int(std::ceil(capPixels / capPerPixel)) : 1;
    pixels = std::clamp(pixels, 1, MostPixelSize);
    while (pixels < MostPixelSize && !reaches(withPixelSize(font, pixels), capPixels))
        ++pixels;
    while (pixels > 1 && reaches(withPixelSize(font, pixels - 1), capPixels))
        --pixels;
    return pixels;
}

} // namespace assi
