#include "settings/GeneralSettings.h"

#include "core/BoardError.h"
#include "settings/SettingsLookup.h"

#include <QDir>
#include <QFileInfo>

using namespace Qt::StringLiterals;

namespace assi {

namespace {

bool isBlank(const SettingsLookup& settings, SettingsField field) {
    return settings.Ler_INI(GeneralSection, field).trimmed().isEmpty();
}

int readSecondsPerPage(const SettingsLookup& settings) {
    if (isBlank(settings, SegundosPorPagina))
        return 0;
    return settings.readConverted(GeneralSection, SegundosPorPagina, [](QStringView text) {
        const std::int32_t value = parseStrictWholeNumber(text);
        if (value < 0 || value > GeneralSettings::MaxSecondsPerPage)
            throw ConversionError(ConversionError::Kind::OutOfRange,
                                  u"de 0 a %1 segundos"_s.arg(GeneralSettings::MaxSecondsPerPage));
        return value;
    });
}

// Runs `read`; when it throws, keeps `fallback` and records the problem
// against `field`.
template <typename Value, typename Read>
Value readOr(Value fallback, SettingsField field, QList<SettingProblem>& problems, Read&& read) {
    try {
        return read();
    } catch (const BoardError& error) {
        problems.append({field, error.message()});
        return fallback;
    }
}

// A measure that is optional: blank is none, and so is a text that does not
// read, with its problem.
template <typename Parse>
std::optional<double> readOptionalMeasure(const SettingsLookup& settings, SettingsField field,
                                          QList<SettingProblem>& problems, Parse parse) {
    if (isBlank(settings, field))
        return std::nullopt;
    return readOr(std::optional<double>(), field, problems, [&] {
        return std::optional(settings.readConverted(GeneralSection, field, parse));
    });
}

// The hours stand or fall together: the first key that does not read is the
// one problem, and the board stays always open.
OpeningHours readHours(const SettingsLookup& settings, QList<SettingProblem>& problems) {
    const qsizetype problemsBefore = problems.size();
    const auto allRead = [&] { return problems.size() == problemsBefore; };
    OpeningHours hours;
    hours.opensAt = readOr(0, HoraAbertura, problems, [&] {
        return settings.readConverted(GeneralSection, HoraAbertura,
                                      [](QStringView text) { return parseClockTime(text, 0); });
    });
    if (allRead()) {
        hours.closesAt = readOr(0, HoraFecho, problems, [&] {
            return settings.readConverted(GeneralSection, HoraFecho, [](QStringView text) {
                return parseClockTime(text, OpeningHours::MinutesPerDay);
            });
        });
    }
    if (allRead()) {
        hours.days = readOr(hours.days, DiasAbertura, problems, [&] {
            return settings.readConverted(GeneralSection, DiasAbertura, parseOpeningDays);
        });
    }
    return allRead() ? hours : OpeningHours{};
}

} // namespace

GeneralSettings GeneralSettings::read(const SettingsLookup& settings) {
    GeneralSettings general;
    QList<SettingProblem>& problems = general.problems;
    general.secondsPerPage =
        readOr(0, SegundosPorPagina, problems, [&] { return readSecondsPerPage(settings); });
    general.hours = readHours(settings, problems);
    if (!isBlank(settings, Escala)) {
        general.scale = readOr(ScaleSetting{}, Escala, problems, [&] {
            return settings.readConverted(GeneralSection, Escala, parseScaleSetting);
        });
    }
    general.readingDistanceMetres =
        readOptionalMeasure(settings, DistanciaLeitura, problems,
                            [](QStringView text) { return parseReadingDistance(text); });
    general.screenInches =
        readOptionalMeasure(settings, PolegadasEcra, problems,
                            [](QStringView text) { return parseScreenInches(text); });
    general.refreshMinutes = readOr(std::optional<std::int16_t>(), QuantosMinutos, problems, [&] {
        return std::optional(settings.readWholeNumber16(GeneralSection, QuantosMinutos));
    });
    return general;
}

SettingsFileState settingsFileState(const SettingsLookup& settings) {
    if (!settings.reading().fileExists())
        return SettingsFileState::Missing;
    if (settings.has(GeneralSection, QuantosMinutos))
        return SettingsFileState::Whole;
    return settings.reading().text().trimmed().isEmpty() ? SettingsFileState::Empty
                                                         : SettingsFileState::WithoutPeriod;
}

QString describeUnfinishedFile(SettingsFileState state, const QString& filePath, int seconds) {
    const QString shown = QDir::toNativeSeparators(filePath);
    QString what;
    switch (state) {
    case SettingsFileState::Missing:
        what = u"O ficheiro de definições %1 não existe"_s.arg(shown);
        break;
    case SettingsFileState::Empty:
        what = u"O ficheiro de definições %1 está vazio"_s.arg(shown);
        break;
    case SettingsFileState::WithoutPeriod:
        what = u"O ficheiro de definições %1 não tem a chave [Geral] QuantosMinutos"_s.arg(shown);
        break;
    case SettingsFileState::Whole:
        return {};
    }
    return what + u" há %1 s: o quadro continua com as últimas definições lidas por inteiro."_s.arg(
                      seconds);
}

QString unfinishedFilePlace(SettingsFileState state, const QString& filePath) {
    const QString name = QFileInfo(filePath).fileName();
    switch (state) {
    case SettingsFileState::Missing:
        return name + u" não existe"_s;
    case SettingsFileState::Empty:
        return name + u" vazio"_s;
    case SettingsFileState::WithoutPeriod:
        return name + u" sem QuantosMinutos"_s;
    case SettingsFileState::Whole:
        break;
    }
    return {};
}

QString GeneralSettings::problemWith(SettingsField field) const {
    for (const SettingProblem& problem : problems) {
        if (problem.field == field)
            return problem.message;
    }
    return {};
}

} // namespace assi
