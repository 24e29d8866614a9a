#include "board/SettingsLengths.h"

#include "settings/SettingsLookup.h"

using namespace Qt::StringLiterals;

namespace assi {

namespace {

// The lengths a grid accepts, and how a message puts them in words.
struct TwipsRange {
    double lowest;
    bool lowestAllowed;
    double highest;
    const char16_t* words;

    bool holds(double value) const {
        const bool aboveLowest = lowestAllowed ? value >= lowest : value > lowest;
        return aboveLowest && value <= highest;
    }
};

constexpr double MaxRowHeight = 100000;
constexpr double MaxColumnWidth = 1000000;

constexpr TwipsRange RowHeights{0, false, MaxRowHeight, u"twips, maior que 0 e até 100000"};
constexpr TwipsRange HeadingHeights{0, true, MaxRowHeight, u"twips, de 0 a 100000"};
constexpr TwipsRange ColumnWidths{0, true, MaxColumnWidth, u"twips, de 0 a 1000000"};

double readWithin(const SettingsLookup& settings, SettingsSection section, SettingsField field,
                  const TwipsRange& range) {
    return settings.readConverted(section, field, [&](QStringView text) {
        const double value = parseStrictDecimal(text);
        if (!range.holds(value))
            throw ConversionError(ConversionError::Kind::OutOfRange,
                                  QString::fromUtf16(range.words));
        return value;
    });
}

} // namespace

double readRowHeight(const SettingsLookup& settings, SettingsSection section, SettingsField field) {
    return readWithin(settings, section, field, RowHeights);
}

double readHeadingHeight(const SettingsLookup& settings, SettingsSection section,
                         SettingsField field) {
    return readWithin(settings, section, field, HeadingHeights);
}

double readColumnWidth(const SettingsLookup& settings, SettingsSection section,
                       SettingsField field) {
    return readWithin(settings, section, field, ColumnWidths);
}

} // namespace assi
