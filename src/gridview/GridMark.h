#pragma once

#include <QString>
#include <functional>

namespace assi {

/// What marks single cells of a grid's records, after its format rules: the
/// style `styleName` laid over the cell's look and, when `text` is not null,
/// `text` shown in place of the cell's own.
struct GridMark {
    QString styleName;
    QString text;
};

/// The mark of the cell of record `recordRow` (from 0) in column `column`:
/// an index into the grid's marks, or -1 for none.
using GridMarker = std::function<int(int recordRow, int column)>;

} // namespace assi
