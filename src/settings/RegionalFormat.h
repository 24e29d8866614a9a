#pragma once

#include <QString>

namespace assi {

// The number format of the process's regional settings (the C library's
// LC_NUMERIC, and LC_MONETARY's currency symbol), read explicitly so that only the conversions of
// settings texts follow it: SQL texts, logs and everything else stay locale-independent.
struct RegionalFormat {
    QString decimalSeparator = QStringLiteral(".");
    QString groupSeparator; // empty when the locale groups no digits
    QString currencySymbol; // LC_MONETARY's, e.g. "€"; empty when there is none

    static RegionalFormat current();
};

} // namespace assi
