#pragma once

#include "settings/OpeningHours.h"
#include "settings/ScaleSetting.h"
#include "settings/SettingsFields.h"

#include <QList>
#include <QString>
#include <cstdint>
#include <optional>

namespace assi {

class SettingsLookup;

/// A [Geral] value that did not read: its key, and a message naming the
/// file, the section, the key and the value.
struct SettingProblem {
    SettingsField field;
    QString message;

    friend bool operator==(const SettingProblem&, const SettingProblem&) = default;
};

/// The whole [Geral] section as the board takes it, from one reading of the
/// settings file. A value that does not read leaves the board as it is
/// without that value, and adds a problem:
/// - QuantosMinutos, the refresh period in minutes: none, and a board that
///   has not started cannot start;
/// - SegundosPorPagina: absent or empty, no paging; a value that is not a
///   whole number of seconds from 0 to a day also means no paging;
/// - HoraAbertura, HoraFecho, DiasAbertura: all absent, always open; any of
///   them wrong, always open too (a wall that goes black by mistake is worse
///   than one left on);
/// - Escala: absent or empty, none (Qt's own choice stands); wrong, 100%;
/// - DistanciaLeitura, the metres the board is read from, and PolegadasEcra,
///   the screen's diagonal in inches (decimals in the regional format):
///   absent, empty or wrong, none (the text keeps its designed size, and the
///   screen's size is what the screen reports).
/// How a reading of the settings file looks as a whole. A writer that
/// empties the file before filling it, or a sync that deletes it before
/// putting the new one in place, leaves for a while a file that would turn
/// the board into one with no hours, no paging and no titles: without [Geral]
/// QuantosMinutos, which every working file has, a reading is taken as one
/// caught halfway and is not applied.
enum class SettingsFileState { Whole, Missing, Empty, WithoutPeriod };

SettingsFileState settingsFileState(const SettingsLookup& settings);
/// What is wrong with a reading that is not whole, naming the file, as the
/// footer's tooltip and the log say it; `seconds` is how long it has lasted.
QString describeUnfinishedFile(SettingsFileState state, const QString& filePath, int seconds);
/// The few words the footer names it by: "OTK.zlv vazio".
QString unfinishedFilePlace(SettingsFileState state, const QString& filePath);

struct GeneralSettings {
    /// The longest page: a page held longer than a day is a board that does not page.
    static constexpr int MaxSecondsPerPage = 24 * 60 * 60;

    std::optional<std::int16_t> refreshMinutes;
    int secondsPerPage = 0;
    OpeningHours hours;
    std::optional<ScaleSetting> scale;
    std::optional<double> readingDistanceMetres;
    std::optional<double> screenInches;
    /// In the order the footer lists them: pages, hours, scale, reading
    /// distance, screen size, period.
    QList<SettingProblem> problems;

    static GeneralSettings read(const SettingsLookup& settings);

    /// The message of the problem with `field`; empty when it read.
    QString problemWith(SettingsField field) const;
};

} // namespace assi
