#include "wall/BoardSchedule.h"

#include "wall/ClosedScreen.h"
#include "wall/Logging.h"
#include "wall/ScreenAwake.h"

namespace assi {

BoardSchedule::BoardSchedule(QWidget* board, std::unique_ptr<ScreenAwake> awake)
    : m_closedScreen(new ClosedScreen(board)), m_awake(std::move(awake)) {}

BoardSchedule::~BoardSchedule() {
    m_awake->release();
}

void BoardSchedule::setHours(const OpeningHours& hours) {
    m_hours = hours;
    m_closedScreen->setHours(hours);
}

void BoardSchedule::setAwake(std::unique_ptr<ScreenAwake> awake) {
    m_awake->release();
    m_awake = std::move(awake);
    holdOrRelease();
}

BoardSchedule::Change BoardSchedule::update(const QDateTime& now) {
    m_open = m_hours.isOpenAt(now);
    if (m_open)
        m_closedScreen->hide();
    else
        m_closedScreen->showAt(now);
    holdOrRelease();

    const bool changed = m_lastOpen != m_open;
    const bool first = !m_lastOpen.has_value();
    m_lastOpen = m_open;
    if (!changed)
        return Change::None;
    // An open board at start is the everyday case, not news for the log.
    if (!(first && m_open))
        qCInfo(lcWall) << (m_open ? "Horário de funcionamento: o quadro abre."
                                  : "Fora do horário de funcionamento: o quadro descansa.");
    return m_open ? Change::Opened : Change::Closed;
}

void BoardSchedule::setShown(bool shown) {
    m_shown = shown;
    holdOrRelease();
}

void BoardSchedule::holdOrRelease() {
    if (m_open && m_shown)
        m_awake->hold();
    else
        m_awake->release();
}

} // namespace assi
