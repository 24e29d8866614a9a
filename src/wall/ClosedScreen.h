#pragma once

#include <QDateTime>
#include <QWidget>

class QLabel;

namespace assi {

/// What the board shows outside its opening hours: a black screen, so the
/// display can sleep or at least burn nothing, with a small dimmed clock that
/// tells a passer-by the board is alive. The clock stands somewhere else every
/// minute, so no part of the panel lights the same pixels all night.
class ClosedScreen : public QWidget {
    Q_OBJECT
public:
    explicit ClosedScreen(QWidget* board);

    /// Covers the board and shows `now`'s time, placed for that minute.
    void showAt(const QDateTime& now);
    void fitToParent();
    QLabel* clock() const { return m_clock; }

private:
    void placeClock(const QDateTime& now);

    QLabel* m_clock;
};

} // namespace assi
