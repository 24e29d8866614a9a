// libFuzzer entry point for the conversions of settings texts (clang builds
// only; see tests/settings/CMakeLists.txt). Any text may reach them from a
// settings file: they must only ever return or throw ConversionError.

#include "settings/NumberConversions.h"

#include <QString>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QString text = QString::fromUtf8(reinterpret_cast<const char*>(data), qsizetype(size));
    const assi::RegionalFormat formats[] = {{QStringLiteral(","), QString()},
                                            {QStringLiteral("."), QStringLiteral(",")},
                                            {QStringLiteral(","), QStringLiteral("\u00A0")}};
    try {
        (void)assi::parseLeadingWholeNumber(text);
    } catch (const assi::ConversionError& error) {
        if (!error.describe(text).contains(QStringLiteral("fora do intervalo")))
            std::abort(); // the leading number never fails on text
    }
    for (const assi::RegionalFormat& format : formats) {
        try {
            (void)assi::parseStrictWholeNumber(text, format);
        } catch (const assi::ConversionError&) {
        }
        try {
            (void)assi::parseWholeNumber16(text, format);
        } catch (const assi::ConversionError&) {
        }
        try {
            if (!std::isfinite(assi::parseStrictDecimal(text, format)))
                std::abort();
        } catch (const assi::ConversionError&) {
        }
    }
    return 0;
}
