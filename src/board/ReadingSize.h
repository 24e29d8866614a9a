#pragma once

#include <QFont>
#include <QList>
#include <QSize>
#include <QSizeF>
#include <QString>
#include <optional>

// How big text must be to be read from across the room, and how big a
// screen is. Distances are in metres, screen sizes in millimetres, text in
// pixels.
namespace assi {

// A capital letter is read comfortably when its height subtends at least
// this visual angle.
inline constexpr double MinimumCapDegrees = 0.3;

// Where a screen's height came from: the settings (PolegadasEcra), what the
// screen reports of itself, or a 96-dpi guess.
enum class ScreenSizeSource { Settings, Screen, Assumed };

// "settings", "screen" or "assumed".
QString screenSizeSourceName(ScreenSizeSource source);

struct ScreenHeight {
    double millimetres;
    ScreenSizeSource source;
};

// The height of the screen whose `pixels` (device pixels, square) are
// shown: from `inches` of diagonal when the settings give it, else from the
// size the screen reports when that is believable, else at 96 dpi.
ScreenHeight screenHeightFor(std::optional<double> inches, QSize pixels,
                             QSizeF reportedMillimetres);

// The height in pixels of a capital that subtends MinimumCapDegrees from
// `distanceMetres` away.
double minimumCapPixels(double distanceMetres, double millimetresPerPixel);

// The visual angle of a capital `capPixels` high, from `distanceMetres` away.
double capDegrees(double capPixels, double millimetresPerPixel, double distanceMetres);

// The height of `font`'s capitals as they are drawn, in pixels.
double capHeightPixels(const QFont& font);

// The smallest factor (to about 0.5%) that every font's size, in points or
// in pixels, must be multiplied by for its capitals to be `capPixels` high
// or more; below 1 when the fonts are larger than they need be. A font sized
// in pixels takes qRound(pixelSize * factor). 1 for no fonts.
double textZoomFor(const QList<QFont>& fonts, double capPixels);

// The smallest pixel size at which `font`'s capitals are `capPixels` high or more.
int pixelSizeForCap(const QFont& font, double capPixels);

} // namespace assi
