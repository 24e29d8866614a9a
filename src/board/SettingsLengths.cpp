#include "SettingsLengths.h"

#include "SettingsLookup.h"

using namespace Qt::StringLiterals;

namespace assi {

namespace {

double readBetween(const SettingsLookup& settings, int iGrelha, int iCampo, double lowest,
                   bool lowestAllowed, double highest, const QString& range) {
    return settings.readConverted(iGrelha, iCampo, [&](QStringView text) {
        const double value = strictDecimal(text);
        const bool aboveLowest = lowestAllowed ? value >= lowest : value > lowest;
        if (!(aboveLowest && value <= highest))
            throw ConversionError(ConversionError::Kind::OutOfRange, range);
        return value;
    });
}

} // namespace

double readRowHeight(const SettingsLookup& settings, int iGrelha, int iCampo) {
    return readBetween(settings, iGrelha, iCampo, 0, false, 100000,
                       u"twips, maior que 0 e até 100000"_s);
}

double readHeadingHeight(const SettingsLookup& settings, int iGrelha, int iCampo) {
    return readBetween(settings, iGrelha, iCampo, 0, true, 100000, u"twips, de 0 a 100000"_s);
}

double readColumnWidth(const SettingsLookup& settings, int iGrelha, int iCampo) {
    return readBetween(settings, iGrelha, iCampo, 0, true, 1000000, u"twips, de 0 a 1000000"_s);
}

} // namespace assi
