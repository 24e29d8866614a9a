#pragma once

#include <QString>

namespace assi {

// The number format of the process's regional settings (the C library's
// LC_NUMERIC), read explicitly so that only the conversions of settings texts
// follow it: SQL texts, logs and everything else stay locale-independent.
struct RegionalFormat {
    QString decimalSeparator = QStringLiteral(".");
    QString groupSeparator; // empty when the locale groups no digits

    static RegionalFormat current();
};

} // namespace assi
