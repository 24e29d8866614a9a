#include "wall/BoardScale.h"

#include "settings/KioskSettings.h"
#include "settings/SettingsLookup.h"
#include "wall/DesktopSession.h"

namespace assi {

std::optional<double> chooseBoardScale(const QString& settingsFile, const QSize& requestedSize) {
    const SettingsLookup settings(settingsFile);
    if (!settings.problem().isEmpty() ||
        settings.Ler_INI(GeneralSection, Escala).trimmed().isEmpty())
        return std::nullopt;
    // A value that does not read is said on the footer, like any other.
    const ScaleChoice choice = readScaleSetting(settings);
    const int lines = requestedSize.isValid() ? requestedSize.height() : screenLines();
    return choice.scale.factorFor(lines);
}

void applyBoardScale(double factor) {
    qputenv("QT_ENABLE_HIGHDPI_SCALING", "0");
    qputenv("QT_SCALE_FACTOR", QByteArray::number(factor, 'g', 6));
}

} // namespace assi
