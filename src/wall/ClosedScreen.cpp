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
// The opening line is a little smaller than the clock: the clock is what
// catches the eye.
constexpr double OpeningToClock = 0.75;
constexpr int SecondsPerMinute = 60;

void setPixelSize(QLabel* label, int pixels) {
    QFont font = label->font();
    font.setPixelSize(pixels);
    label->setFont(font);
}
} // namespace

ClosedScreen::ClosedScreen(QWidget* board)
    : QWidget(board), m_clock(new QLabel(this)), m_opening(new QLabel(this)) {
    setObjectName(u"ClosedScreen"_s);
    m_clock->setObjectName(u"ClosedClock"_s);
    m_opening->setObjectName(u"ClosedOpening"_s);
    m_opening->setAlignment(Qt::AlignHCenter);
    setAutoFillBackground(true);
    QPalette black = palette();
    black.setColor(QPalette::Window, Qt::black);
    black.setColor(QPalette::WindowText, ClockColour);
    setPalette(black);
    m_clock->setPalette(black);
    m_opening->setPalette(black);
    hide();
}

void ClosedScreen::setHours(const OpeningHours& hours) {
    m_hours = hours;
    if (!isHidden())
        showAt(m_shownAt);
}

void ClosedScreen::setMinimumTextPixels(int pixels) {
    m_minimumTextPixels = std::max(0, pixels);
    if (!isHidden())
        showAt(m_shownAt);
}

void ClosedScreen::fitToParent() {
    if (QWidget* board = parentWidget())
        setGeometry(board->rect());
}

void ClosedScreen::showAt(const QDateTime& now) {
    m_shownAt = now;
    fitToParent();
    m_clock->setText(now.toString(u"HH:mm"_s));
    m_opening->setText(openingText(now));
    sizeTexts();
    placeTexts(now);
    raise();
    show();
}

QString ClosedScreen::openingText(const QDateTime& now) const {
    const std::optional<QDateTime> opening = m_hours.nextOpening(now);
    if (!opening)
        return u"Fechado"_s;
    return u"Fechado · "_s + describeOpening(*opening, now.date());
}

void ClosedScreen::sizeTexts() {
    const int clockPixels =
        std::max({SmallestClockPixels, int(height() * ClockHeightShare), m_minimumTextPixels});
    const int openingPixels =
        std::max({SmallestClockPixels, m_minimumTextPixels, int(clockPixels * OpeningToClock)});
    setPixelSize(m_clock, clockPixels);
    setPixelSize(m_opening, openingPixels);
    m_clock->adjustSize();
    m_opening->adjustSize();
    // Large text on a narrow screen: the day goes under "Fechado".
    if (m_opening->width() > width()) {
        m_opening->setText(m_opening->text().replace(u" · "_s, u"\n"_s));
        m_opening->adjustSize();
    }
}

// Seeded with the minute: the place changes every minute and is the same for
// every call within it, so a repaint never makes the texts jump.
void ClosedScreen::placeTexts(const QDateTime& now) {
    const auto minute = quint64(now.toSecsSinceEpoch() / SecondsPerMinute);
    QRandomGenerator place(quint32(minute ^ (minute >> 32)));
    const int blockWidth = std::max(m_clock->width(), m_opening->width());
    const int blockHeight = m_clock->height() + m_opening->height();
    const int left = place.bounded(std::max(1, width() - blockWidth));
    const int top = place.bounded(std::max(1, height() - blockHeight));
    m_clock->move(left + (blockWidth - m_clock->width()) / 2, top);
    m_opening->move(left + (blockWidth - m_opening->width()) / 2, top + m_clock->height());
}

} // namespace assi
