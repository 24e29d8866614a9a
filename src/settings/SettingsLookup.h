#pragma once

#include "ConversionError.h"
#include "NumberConversions.h"
#include "BoardError.h"

#include <QString>
#include <QStringView>
#include <cstdint>
#include <utility>

namespace assi {

// Reads the board's settings by grid number and field number from the
// settings file whose path the window keeps. Nothing is cached: every lookup
// reads the file afresh through a new SettingsReader, so a changed file takes
// effect at the next lookup.
//
// The read* helpers read a setting and convert it; a text that does not
// convert throws BoardError with a message that names the file, the section,
// the key and the offending text.
class SettingsLookup {
public:
    explicit SettingsLookup(QString settingsFilePath);

    const QString& settingsFilePath() const { return m_settingsFilePath; }

    // The text stored for field `iCampo` in the section of grid `iGrelha`,
    // exactly as the file holds it; the empty text when it is missing.
    QString Ler_INI(int iGrelha, int iCampo) const;

    // "GrelhaPedidos" for 1, "GrelhaAssistencias" for 2, "Geral" otherwise.
    static QString sectionFor(int iGrelha);
    // The key of a field number; the empty text for numbers without a key.
    static QString keyFor(int iCampo);

    std::int32_t readLeadingWholeNumber(int iGrelha, int iCampo) const;
    std::int32_t readStrictWholeNumber(int iGrelha, int iCampo) const;
    std::int16_t readWholeNumber16(int iGrelha, int iCampo) const;
    float readStrictDecimal(int iGrelha, int iCampo) const;
    double readFontPointSize(int iGrelha, int iCampo) const;

    // Reads a setting and hands its text to `convert`, any callable taking a
    // QStringView that throws ConversionError when the text does not convert.
    template <typename Convert>
    auto readConverted(int iGrelha, int iCampo, Convert&& convert) const {
        const QString text = Ler_INI(iGrelha, iCampo);
        try {
            return std::forward<Convert>(convert)(QStringView(text));
        } catch (const ConversionError& error) {
            throw invalidSetting(iGrelha, iCampo, text, error);
        }
    }

    // The complete error for a setting whose `text` failed a conversion. When
    // the settings file is missing the message says so first: it is the
    // likeliest reason for an empty setting.
    BoardError invalidSetting(int iGrelha, int iCampo, const QString& text,
                              const ConversionError& error) const;

private:
    QString m_settingsFilePath;
};

} // namespace assi
