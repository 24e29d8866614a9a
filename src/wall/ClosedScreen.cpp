#include "wall/ClosedScreen.h"

#include <QLabel>
#include <QPalette>
#include <QRandomGenerator>
#include <algorithm>

using namespace Qt::StringLiterals;

namespace assi {

namespace {
// Dim enough not to light a dark room, bright enough to read up close.
const QColor ClockColour(0x50, 0x50, 0x50);
// The clock's text as a share of the screen's height, and never smaller.
constexpr double ClockHeightShare = 0.03;
constexpr int SmallestClockPixels = 12;
} // namespace

ClosedScreen::ClosedScreen(QWidget* board) : QWidget(board), m_clock(new QLabel(this)) {
    setObjectName(u"ClosedScreen"_s);
    m_clock->setObjectName(u"ClosedClock"_s);
    setAutoFillBackground(true);
    QPalette black = palette();
    black.setColor(QPalette::Window, Qt::black);
    black.setColor(QPalette::WindowText, ClockColour);
    setPalette(black);
    m_clock->setPalette(black);
    hide();
}

void ClosedScreen::fitToParent() {
    if (QWidget* board = parentWidget())
        setGeometry(board->rect());
}

void ClosedScreen::showAt(const QDateTime& now) {
    fitToParent();
    QFont font = m_clock->font();
    font.setPixelSize(std::max(SmallestClockPixels, int(height() * ClockHeightShare)));
    m_clock->setFont(font);
    m_clock->setText(now.toString(u"HH:mm"_s));
    m_clock->adjustSize();
    placeClock(now);
    raise();
    show();
}

// Seeded with the minute: the place changes every minute and is the same for
// every call within it, so a repaint never makes the clock jump.
void ClosedScreen::placeClock(const QDateTime& now) {
    const auto minute = quint64(now.toSecsSinceEpoch() / 60);
    QRandomGenerator place(quint32(minute ^ (minute >> 32)));
    const int freeWidth = std::max(1, width() - m_clock->width());
    const int freeHeight = std::max(1, height() - m_clock->height());
    m_clock->move(place.bounded(freeWidth), place.bounded(freeHeight));
}

} // namespace assi
