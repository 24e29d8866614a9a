#include "app/ConnectingNotice.h"

#include "app/StartupNotice.h"

using namespace Qt::StringLiterals;

namespace assi {

namespace {
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
    type.setPixelSize(noticeTextPixels(parentWidget()->height()));
    setFont(type);
    setGeometry(area);
}

} // namespace assi
