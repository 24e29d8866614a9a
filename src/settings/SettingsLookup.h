#pragma once

#include "core/BoardError.h"
#include "settings/ConversionError.h"
#include "settings/NumberConversions.h"
#include "settings/SettingsFields.h"
#include "settings/SettingsReader.h"

#include <QString>
#include <QStringView>
#include <cstdint>
#include <optional>
#include <span>
#include <utility>

namespace assi {

// The key a field number reads in its section.
struct SettingsKey {
    SettingsField field;
    const char16_t* key;
};

// Every field's key, one entry per field from firstSettingsField to
// lastSettingsField.
std::span<const SettingsKey> settingsKeys();

// The key of field number `fieldNumber`; the empty text for a number without
// one, which finds nothing in any section.
QString settingsKeyOf(int fieldNumber);

// Where a setting is, as a person finds it in the file: its section and key,
// "[GrelhaPedidos] Cabecalho_FonteSize".
QString settingsPlace(SettingsSection section, SettingsField field);

// Reads the board's settings by grid number and field number from one reading
// of the settings file: the file is read when the lookup is made, and every
// value comes from those contents. The window makes a new lookup for each
// refresh, so an edited file takes effect at the next one.
//
// The read* helpers read a setting and convert it; a text that does not
// convert throws BoardError with a message that names the file, the section,
// the key and the offending text, or says the key is missing when the file
// does not have it.
class SettingsLookup {
public:
    explicit SettingsLookup(const QString& settingsFilePath);
    /// Over a reading already made (on another thread, say); a default
    /// reading is no file at all, where every key is missing.
    explicit SettingsLookup(SettingsReader reading) : m_reader(std::move(reading)) {}

    /// The reading every value comes from.
    const SettingsReader& reading() const { return m_reader; }
    /// Whether the file holds `field`'s key in `section`, even left empty.
    bool has(SettingsSection section, SettingsField field) const {
        return lookUpValue(section, field).has_value();
    }

    const QString& filePath() const { return m_reader.filePath(); }
    /// Why the file that is there was not read (see SettingsReader::problem()).
    const QString& problem() const { return m_reader.problem(); }

    // The text stored for field `iCampo` in the section of grid `iGrelha`
    // (see SettingsFields.h), exactly as the file holds it; the empty text
    // when it is missing or the field number has no key.
    QString Ler_INI(int iGrelha, int iCampo) const;

    std::int32_t readLeadingWholeNumber(SettingsSection section, SettingsField field) const;
    std::int32_t readStrictWholeNumber(SettingsSection section, SettingsField field) const;
    std::int16_t readWholeNumber16(SettingsSection section, SettingsField field) const;
    double readFontPointSize(SettingsSection section, SettingsField field) const;

    // Reads a setting and hands its text to `convert`, any callable taking a
    // QStringView that throws ConversionError when the text does not convert.
    // A key that is not there converts as the empty text.
    template <typename Convert>
    auto readConverted(SettingsSection section, SettingsField field, Convert&& convert) const {
        const std::optional<QString> stored = lookUpValue(section, field);
        try {
            return std::forward<Convert>(convert)(QStringView(stored.value_or(QString())));
        } catch (const ConversionError& error) {
            throw invalidSetting(section, field, stored, error);
        }
    }

private:
    std::optional<QString> lookUpValue(SettingsSection section, SettingsField field) const;
    // The complete error for a setting whose text (none: the key is missing)
    // failed a conversion. When the settings file is missing the message says
    // so first: it is the likeliest reason for a missing key.
    BoardError invalidSetting(SettingsSection section, SettingsField field,
                              const std::optional<QString>& stored,
                              const ConversionError& error) const;

    SettingsReader m_reader;
};

} // namespace assi
