#include "settings/ScaleSetting.h"

#include "settings/ConversionError.h"

#include <algorithm>

using namespace Qt::StringLiterals;

namespace assi {

namespace {
constexpr double PercentPerUnit = 100.0;
} // namespace

double ScaleSetting::factorFor(int screenLines) const {
    if (!automatic)
        return percent / PercentPerUnit;
    return std::max(1.0, double(screenLines) / ReferenceLines);
}

ScaleSetting parseScaleSetting(QStringView text) {
    ScaleSetting scale;
    QStringView value = text.trimmed();
    if (value.isEmpty())
        return scale;
    if (value.compare(u"auto", Qt::CaseInsensitive) == 0) {
        scale.automatic = true;
        return scale;
    }
    if (value.endsWith(u'%'))
        value = value.chopped(1).trimmed();
    bool ok = false;
    const int percent = value.toInt(&ok);
    if (!ok)
        throw ConversionError(ConversionError::Kind::Malformed,
                              u"uma percentagem (100, 150, 200...) nem auto"_s);
    if (percent < ScaleSetting::SmallestPercent || percent > ScaleSetting::LargestPercent)
        throw ConversionError(
            ConversionError::Kind::OutOfRange,
            u"de %1 a %2"_s.arg(ScaleSetting::SmallestPercent).arg(ScaleSetting::LargestPercent));
    scale.percent = percent;
    return scale;
}

} // namespace assi
