#include "wall/PointerHider.h"

#include <QCursor>
#include <QGuiApplication>
#include <QMouseEvent>

namespace assi {

PointerHider::PointerHider(int stillMilliseconds, QObject* parent) : QObject(parent) {
    m_stillTimer.setSingleShot(true);
    m_stillTimer.setInterval(stillMilliseconds);
    connect(&m_stillTimer, &QTimer::timeout, this, &PointerHider::hide);
    // Every move passes through the application, whichever control is under
    // the pointer and whether or not it tracks the mouse.
    QGuiApplication::instance()->installEventFilter(this);
    hide();
}

PointerHider::~PointerHider() {
    QGuiApplication::instance()->removeEventFilter(this);
    show();
}

bool PointerHider::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::MouseMove) {
        // Qt also sends moves of its own when what lies under a still pointer
        // changes (a page turns): only a pointer that went somewhere counts.
        const QPointF position = static_cast<QMouseEvent*>(event)->globalPosition();
        if (position != m_lastPosition) {
            m_lastPosition = position;
            show();
            m_stillTimer.start();
        }
    }
    return QObject::eventFilter(watched, event);
}

void PointerHider::hide() {
    if (m_hidden)
        return;
    QGuiApplication::setOverrideCursor(QCursor(Qt::BlankCursor));
    m_hidden = true;
}

void PointerHider::show() {
    if (!m_hidden)
        return;
    QGuiApplication::restoreOverrideCursor();
    m_hidden = false;
}

} // namespace assi
