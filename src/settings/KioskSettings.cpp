#include "settings/KioskSettings.h"

#include "core/BoardError.h"
#include "settings/SettingsLookup.h"

namespace assi {

HoursSetting readOpeningHours(const SettingsLookup& settings) {
    HoursSetting setting;
    try {
        OpeningHours hours;
        hours.opensAt = settings.readConverted(
            GeneralSection, HoraAbertura, [](QStringView text) { return parseClockTime(text, 0); });
        hours.closesAt = settings.readConverted(GeneralSection, HoraFecho, [](QStringView text) {
            return parseClockTime(text, OpeningHours::MinutesPerDay);
        });
        hours.days = settings.readConverted(GeneralSection, DiasAbertura, parseOpeningDays);
        setting.hours = hours;
    } catch (const BoardError& error) {
        setting.problem = error.message();
    }
    return setting;
}

ScaleChoice readScaleSetting(const SettingsLookup& settings) {
    ScaleChoice choice;
    try {
        choice.scale = settings.readConverted(GeneralSection, Escala, parseScaleSetting);
    } catch (const BoardError& error) {
        choice.problem = error.message();
    }
    return choice;
}

} // namespace assi
