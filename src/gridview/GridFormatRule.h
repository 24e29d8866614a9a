#pragma once

#include <QString>
#include <QVariant>

namespace assi {

/// Draws the rows whose cell in column `columnKey` equals `value` (compared
/// as text, so 0 matches "0") with the style `styleName` laid over their own.
struct GridFormatRule {
    QString styleName;
    QString columnKey;
    QVariant value;

    /// Same style, column (names case-insensitive) and value text.
    bool sameAs(const GridFormatRule& other) const {
        return styleName.compare(other.styleName, Qt::CaseInsensitive) == 0 &&
               columnKey.compare(other.columnKey, Qt::CaseInsensitive) == 0 &&
               value.toString() == other.value.toString();
    }
};

} // namespace assi
