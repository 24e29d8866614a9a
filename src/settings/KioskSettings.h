#pragma once

#include "settings/OpeningHours.h"
#include "settings/ScaleSetting.h"

#include <QString>

namespace assi {

class SettingsLookup;

/// [Geral] HoraAbertura, HoraFecho and DiasAbertura as the board takes them:
/// all absent, always open; a value that does not read leaves the board
/// always open (a wall that goes black by mistake is worse than one left on)
/// and `problem` says which file, key and value.
struct HoursSetting {
    OpeningHours hours;
    QString problem;
};
HoursSetting readOpeningHours(const SettingsLookup& settings);

/// [Geral] Escala: absent, 100%; a value that does not read gives 100% and
/// `problem` says why.
struct ScaleChoice {
    ScaleSetting scale;
    QString problem;
};
ScaleChoice readScaleSetting(const SettingsLookup& settings);

} // namespace assi
