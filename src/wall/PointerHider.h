#pragma once

#include <QObject>
#include <QPointF>
#include <QTimer>

namespace assi {

/// Keeps the mouse pointer off a wall display: hidden from the start, shown
/// while the mouse moves, hidden again once it has been still a while.
class PointerHider : public QObject {
    Q_OBJECT
public:
    static constexpr int StillMilliseconds = 3000;

    explicit PointerHider(int stillMilliseconds = StillMilliseconds, QObject* parent = nullptr);
    ~PointerHider() override;

    bool isHidden() const { return m_hidden; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void hide();
    void show();

    QTimer m_stillTimer;
    QPointF m_lastPosition{-1, -1};
    bool m_hidden = false;
};

} // namespace assi
