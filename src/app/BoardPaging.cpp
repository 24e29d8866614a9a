#include "app/BoardPaging.h"

#include "gridview/Grid.h"

#include <QCoreApplication>
#include <QEvent>
#include <QWidget>

namespace assi {

namespace {

constexpr int MillisecondsPerSecond = 1000;

} // namespace

BoardPaging::BoardPaging(QWidget* board, QList<Grid*> grids, std::function<qint64()> steadyClock)
    : m_board(board), m_grids(std::move(grids)), m_steadyClock(std::move(steadyClock)) {
    connect(&m_timer, &QTimer::timeout, this, &BoardPaging::showNextPages);
    // Input goes to whichever control is under the mouse or has the focus:
    // watched where every event passes.
    if (QCoreApplication* application = QCoreApplication::instance())
        application->installEventFilter(this);
}

BoardPaging::~BoardPaging() {
    if (QCoreApplication* application = QCoreApplication::instance())
        application->removeEventFilter(this);
}

void BoardPaging::setSecondsPerPage(int seconds) {
    if (seconds == m_seconds)
        return;
    m_seconds = seconds;
    for (Grid* grid : std::as_const(m_grids))
        grid->setPaged(seconds > 0);
    if (seconds <= 0) {
        m_timer.stop();
        return;
    }
    m_timer.start(seconds * MillisecondsPerSecond);
}

bool BoardPaging::isPaused() const {
    return m_pausedUntil && m_steadyClock() < *m_pausedUntil;
}

void BoardPaging::pause() {
    m_pausedUntil = m_steadyClock() + qint64(PauseSeconds) * MillisecondsPerSecond;
}

void BoardPaging::showNextPages() {
    if (m_seconds <= 0 || isPaused())
        return;
    for (Grid* grid : std::as_const(m_grids))
        grid->showNextPage();
}

bool BoardPaging::eventFilter(QObject* watched, QEvent* event) {
    switch (event->type()) {
    case QEvent::KeyPress:
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
    case QEvent::Wheel: {
        auto* widget = qobject_cast<QWidget*>(watched);
        if (widget && (widget == m_board || m_board->isAncestorOf(widget)))
            pause();
        break;
    }
    default:
        break;
    }
    return QObject::eventFilter(watched, event);
}

} // namespace assi
