#include "gridview/TextAlignmentCode.h"

namespace assi {

Qt::Alignment qtAlignment(TextAlignment alignment, bool numeric) {
    const int code = int(alignment);
    if (code < 1 || code > 9)
        return (numeric ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignVCenter;
    static constexpr Qt::AlignmentFlag horizontal[] = {Qt::AlignLeft, Qt::AlignHCenter,
                                                       Qt::AlignRight};
    static constexpr Qt::AlignmentFlag vertical[] = {Qt::AlignTop, Qt::AlignVCenter,
                                                     Qt::AlignBottom};
    return horizontal[(code - 1) % 3] | vertical[(code - 1) / 3];
}

} // namespace assi
