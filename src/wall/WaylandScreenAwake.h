#pragma once

#include "wall/ScreenAwake.h"

#include <QObject>
#include <QPointer>
#include <QWindow>
#include <memory>

class QWidget;

namespace assi {

class WaylandIdleInhibitor;

/// The screen held by an idle inhibitor on the window's Wayland surface: the
/// compositor keeps the screen on while that surface is visible. The surface
/// exists only while the window is shown, and Qt makes a new one at every
/// show, so the inhibitor follows it: made when a surface appears while
/// held, given up when the window is hidden or its surface goes.
class WaylandScreenAwake : public QObject, public ScreenAwake {
public:
    /// Without `window` nothing is ever held, but the mechanism is still said.
    WaylandScreenAwake(QWidget* window, std::unique_ptr<WaylandIdleInhibitor> inhibitor);
    ~WaylandScreenAwake() override;

    Mechanism mechanism() const override { return Mechanism::Wayland; }
    void hold() override;
    void release() override;
    bool isHolding() const override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void watchNativeWindow();
    void follow();

    QPointer<QWidget> m_window;
    QPointer<QWindow> m_nativeWindow;
    std::unique_ptr<WaylandIdleInhibitor> m_inhibitor;
    bool m_wanted = false;
};

/// Over the idle-inhibit protocol on `window`'s surface when Qt runs on
/// Wayland and the compositor offers it; else null.
std::unique_ptr<ScreenAwake> makeWaylandScreenAwake(QWidget* window);

} // namespace assi
