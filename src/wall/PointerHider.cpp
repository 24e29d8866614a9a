#include "wall/PointerHider.h"

#include <QCursor>
#include <QGuiApplication>
#include <QMouseEvent>
#include <QPixmap>

using namespace Qt::StringLiterals;

namespace assi {

namespace {

// Qt 6.4 on Wayland hides a blank cursor only by hiding a cursor image it
// has already shown: a pointer that first enters the board while hidden
// keeps the compositor's own arrow. An image with nothing in it is shown
// like any other, and hides the pointer from the start.
QCursor hiddenCursor() {
    if (QGuiApplication::platformName() != u"wayland"_s)
        return QCursor(Qt::BlankCursor);
    QPixmap nothing(1, 1);
    nothing.fill(Qt::transparent);
    return QCursor(nothing, 0, 0);
}

} // namespace

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
    QGuiApplication::setOverrideCursor(hiddenCursor());
    m_hidden = true;
}

void PointerHider::show() {
    if (!m_hidden)
        return;
    QGuiApplication::restoreOverrideCursor();
    m_hidden = false;
}

} // namespace assi
