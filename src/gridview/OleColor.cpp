#include "gridview/OleColor.h"

#include <QGuiApplication>
#include <optional>

namespace assi {

namespace {

constexpr quint32 SystemColorFlag = 0x80000000u;

struct SystemColor {
    QPalette::ColorGroup group;
    QPalette::ColorRole role;
};

// The palette roles that stand for each system colour index, following the
// way Qt fills its own palette from the same system colours.
std::optional<SystemColor> systemColor(quint32 index) {
    using P = QPalette;
    switch (index) {
    case 0:  // scroll bar
    case 10: // active border
    case 11: // inactive border
    case 15: // button face
        return SystemColor{P::Active, P::Button};
    case 1:  // desktop
    case 12: // application workspace
    case 16: // button shadow
        return SystemColor{P::Active, P::Dark};
    case 2:  // active caption
    case 13: // highlight
    case 27: // gradient active caption
    case 29: // menu highlight
        return SystemColor{P::Active, P::Highlight};
    case 3:  // inactive caption
    case 28: // gradient inactive caption
        return SystemColor{P::Inactive, P::Highlight};
    case 4:  // menu
    case 30: // menu bar
        return SystemColor{P::Active, P::Window};
    case 5: // window
        return SystemColor{P::Active, P::Base};
    case 6:  // window frame
    case 21: // dark 3D shadow
        return SystemColor{P::Active, P::Shadow};
    case 7: // menu text
        return SystemColor{P::Active, P::WindowText};
    case 8: // window text
        return SystemColor{P::Active, P::Text};
    case 9:  // caption text
    case 14: // highlight text
        return SystemColor{P::Active, P::HighlightedText};
    case 17: // grey text
        return SystemColor{P::Disabled, P::Text};
    case 18: // button text
        return SystemColor{P::Active, P::ButtonText};
    case 19: // inactive caption text
        return SystemColor{P::Inactive, P::HighlightedText};
    case 20: // button highlight
        return SystemColor{P::Active, P::Light};
    case 22: // 3D light
        return SystemColor{P::Active, P::Midlight};
    case 23: // tooltip text
        return SystemColor{P::Active, P::ToolTipText};
    case 24: // tooltip background
        return SystemColor{P::Active, P::ToolTipBase};
    case 26: // hot-tracked item
        return SystemColor{P::Active, P::Link};
    default:
        return std::nullopt;
    }
}

} // namespace

QColor colorFromOle(qint32 value, const QPalette& palette) {
    const auto bits = quint32(value);
    if ((bits & 0xFF000000u) == SystemColorFlag) {
        if (bits & 0x00FFFF00u)
            return QColor(Qt::black);
        const auto system = systemColor(bits & 0xFFu);
        return system ? palette.color(system->group, system->role) : QColor(Qt::black);
    }
    return QColor(int(bits & 0xFFu), int((bits >> 8) & 0xFFu), int((bits >> 16) & 0xFFu));
}

QColor colorFromOle(qint32 value) {
    return colorFromOle(value, QGuiApplication::palette());
}

} // namespace assi
