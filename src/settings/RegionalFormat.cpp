#include "settings/RegionalFormat.h"

#include <clocale>

namespace assi {

RegionalFormat RegionalFormat::current() {
    RegionalFormat format;
    const std::lconv* conventions = std::localeconv();
    if (!conventions)
        return format;
    const QString decimal = QString::fromLocal8Bit(conventions->decimal_point);
    if (!decimal.isEmpty())
        format.decimalSeparator = decimal;
    format.groupSeparator = QString::fromLocal8Bit(conventions->thousands_sep);
    if (format.groupSeparator == format.decimalSeparator)
        format.groupSeparator.clear();
    format.currencySymbol = QString::fromLocal8Bit(conventions->currency_symbol).trimmed();
    return format;
}

} // namespace assi
