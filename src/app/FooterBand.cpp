#include "app/FooterBand.h"

#include <QLabel>
#include <utility>

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
// words when the band is narrow: the clock gives up its date first, then the
// status its moments, written shorter and then left out; only when even that
// does not fit is it cut.
void FooterBand::fitTexts() {
    const QFontMetrics metrics(font());
    const int padding = font().pixelSize() / 2;
    const int gap = 2 * padding;
    const int room = std::max(0, width() - 2 * padding);
    const QStringList statusForms =
        m_view.statusForms.isEmpty() ? QStringList{m_view.status} : m_view.statusForms;
    const auto fits = [&](const QString& clock, const QString& status) {
        return metrics.horizontalAdvance(clock) + gap + metrics.horizontalAdvance(status) <= room;
    };
    const QStringList& clockForms = m_view.clockForms;
    const auto choose = [&]() -> std::pair<QString, QString> {
        for (const QString& statusForm : statusForms) {
            for (const QString& clockForm : clockForms) {
                if (fits(clockForm, statusForm))
                    return {clockForm, statusForm};
            }
        }
        return {clockForms.value(clockForms.size() - 1), statusForms.last()};
    };
    const auto [clock, status] = choose();
    const int statusRoom = std::max(0, room - metrics.horizontalAdvance(clock) - gap);
    m_clock->setText(clock);
    m_status->setText(metrics.elidedText(status, Qt::ElideRight, statusRoom));
    const QRect inside(padding, 0, room, height());
    m_clock->setGeometry(inside);
    m_status->setGeometry(inside);
}

} // namespace assi
