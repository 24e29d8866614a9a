#pragma once

#include "board/ReadingSize.h"

#include <QFont>
#include <QJsonObject>
#include <QList>
#include <QSize>
#include <QSizeF>
#include <optional>

namespace assi {

/// How large the board draws its text for the distance it is read from.
/// Pixels are the window's (logical) pixels unless said otherwise.
struct BoardReading {
    /// Null: no reading distance, the board as its settings size it.
    std::optional<double> distanceMetres;
    ScreenHeight screen{0, ScreenSizeSource::Assumed};
    int screenLines = 0;
    double devicePixelRatio = 1;
    /// What the smallest capital must reach (0 without a distance).
    double capPixels = 0;
    /// What the settings' font sizes are multiplied by.
    double textZoom = 1;
    /// The smallest capital the board's fonts have at that zoom.
    double smallestCapPixels = 0;
    /// The diagonal the settings give, for the words.
    std::optional<double> screenInches;

    bool isActive() const { return distanceMetres.has_value(); }
    double millimetresPerPixel() const;
    /// In the screen's own pixels.
    double smallestCapScreenPixels() const { return smallestCapPixels * devicePixelRatio; }
    /// From the reading distance; null without one.
    std::optional<double> smallestCapDegrees() const;
};

/// The board's sizing for `distanceMetres` on a screen `screenPixels` large
/// (logical pixels, `devicePixelRatio` screen pixels each) whose diagonal the
/// settings give as `inches` or whose physical size it reports as
/// `reportedMillimetres`, with the text drawn in `fonts` (at the settings'
/// sizes).
BoardReading boardReadingFor(std::optional<double> distanceMetres, std::optional<double> inches,
                             QSize screenPixels, double devicePixelRatio,
                             QSizeF reportedMillimetres, const QList<QFont>& fonts);

/// For --check: "Letra mais pequena: 26 px, 0,31° a 3 m; ecrã de 55
/// polegadas, das definições".
QString describeReading(const BoardReading& reading);

/// The dump's "legibility".
QJsonObject legibilityJson(const BoardReading& reading);

} // namespace assi
