#include "app/FooterBand.h"

#include <QLabel>

using namespace Qt::StringLiterals;

namespace assi {

namespace {
const QColor QuietBackground(0xDD, 0xE5, 0xDF);
const QColor QuietText(0x2F, 0x3B, 0x33);
const QColor AlarmBackground(0xC0, 0x00, 0x00);
const QColor AlarmText(Qt::white);
} // namespace

FooterBand::FooterBand(QWidget* parent)
    : QFrame(parent), m_clock(new QLabel(this)), m_status(new QLabel(this)) {
    setAutoFillBackground(true);
    m_clock->setObjectName(u"FooterClock"_s);
    m_status->setObjectName(u"FooterStatus"_s);
    for (QLabel* label : {m_clock, m_status})
        label->setTextFormat(Qt::PlainText);
    m_clock->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    m_status->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    setView(m_view);
}

void FooterBand::setTextPixels(int pixels) {
    QFont f = font();
    if (f.pixelSize() == pixels)
        return;
    f.setPixelSize(pixels);
    setFont(f);
    fitTexts();
}

void FooterBand::setView(const StatusLine::View& view) {
    m_view = view;
    QPalette p = palette();
    p.setColor(QPalette::Window, view.alarm() ? AlarmBackground : QuietBackground);
    p.setColor(QPalette::WindowText, view.alarm() ? AlarmText : QuietText);
    setPalette(p);
    // Heavier when something is wrong, to be read from further off.
    QFont f = font();
    f.setWeight(view.alarm() ? QFont::DemiBold : QFont::Normal);
    setFont(f);
    // The band may cut a long message: the tooltip keeps it whole, with the technical words.
    setToolTip(view.wholeStatus());
    fitTexts();
}

QString FooterBand::shownText() const {
    return m_clock->text() + u" — "_s + m_status->text();
}

void FooterBand::resizeEvent(QResizeEvent* event) {
    QFrame::resizeEvent(event);
    fitTexts();
}

// The status says whether the board can be trusted, so it is what keeps its
// words when the band is narrow: the clock gives up its date first.
void FooterBand::fitTexts() {
    const QFontMetrics metrics(font());
    const int padding = font().pixelSize() / 2;
    const int gap = 2 * padding;
    const int room = std::max(0, width() - 2 * padding);
    const int statusWidth = metrics.horizontalAdvance(m_view.status);
    QString clock;
    for (const QString& form : std::as_const(m_view.clockForms)) {
        clock = form;
        if (metrics.horizontalAdvance(clock) + gap + statusWidth <= room)
            break;
    }
    const int statusRoom = std::max(0, room - metrics.horizontalAdvance(clock) - gap);
    m_clock->setText(clock);
    m_status->setText(metrics.elidedText(m_view.status, Qt::ElideRight, statusRoom));
    const QRect inside(padding, 0, room, height());
    m_clock->setGeometry(inside);
    m_status->setGeometry(inside);
}

} // namespace assi
