#pragma once

#include <QStringView>

namespace assi {

/// The board's size on its screen, from [Geral] Escala: a percentage of the
/// design size ("100", "150", "200"), or "auto", which scales the board so a
/// screen of ReferenceLines lines shows it as designed and a taller one shows
/// it larger (2160 lines give 200%), never below 100%.
struct ScaleSetting {
    static constexpr int ReferenceLines = 1080;
    static constexpr int SmallestPercent = 25;
    static constexpr int LargestPercent = 400;

    bool automatic = false;
    int percent = 100;

    /// The factor for a screen `screenLines` device pixels high.
    double factorFor(int screenLines) const;
};

/// Reads an Escala text: empty is 100%; "auto" in any case; otherwise a whole
/// percentage from SmallestPercent to LargestPercent, an optional "%" after
/// it. Throws ConversionError otherwise.
ScaleSetting parseScaleSetting(QStringView text);

} // namespace assi
