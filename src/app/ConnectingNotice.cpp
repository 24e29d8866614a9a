#include "app/ConnectingNotice.h"

#include <algorithm>

using namespace Qt::StringLiterals;

namespace assi {

namespace {
// About this many lines would fill the window's height; never smaller than MinPixels.
constexpr int LinesPerHeight = 24;
constexpr int MinPixels = 16;
// Quiet: it is a state the board passes through, not an alarm.
const QColor WaitingColour(0x5A, 0x66, 0x73);
} // namespace

ConnectingNotice::ConnectingNotice(QWidget* parent) : QLabel(parent) {
    setObjectName(u"ConnectingNotice"_s);
    setTextFormat(Qt::PlainText);
    setText(u"A ligar à base de dados…"_s);
    setAlignment(Qt::AlignCenter);
    setWordWrap(true);
    // The grid under it takes the clicks.
    setAttribute(Qt::WA_TransparentForMouseEvents);
    QPalette colours = palette();
    colours.setColor(QPalette::WindowText, WaitingColour);
    setPalette(colours);
}

void ConnectingNotice::placeOver(const QRect& area) {
    QFont type = font();
    type.setPixelSize(std::max(MinPixels, parentWidget()->height() / LinesPerHeight));
    setFont(type);
    setGeometry(area);
}

} // namespace assi
