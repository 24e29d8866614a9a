#pragma once

#include <QList>
#include <QObject>
#include <QString>
#include <QTimer>
#include <functional>
#include <optional>

class QWidget;

namespace assi {

class Grid;

/// Turns the pages of the board's grids together: every few seconds each
/// grid whose rows do not all fit shows its next page. A key, a click or
/// the mouse wheel anywhere on the board holds the pages for a minute, so
/// whoever is reading it is not moved on.
class BoardPaging : public QObject {
    Q_OBJECT
public:
    static constexpr int PauseSeconds = 60;

    /// `steadyClock` measures the pause, in milliseconds: a steady clock,
    /// which setting the wall clock back or forward does not move.
    BoardPaging(QWidget* board, QList<Grid*> grids, std::function<qint64()> steadyClock);
    ~BoardPaging() override;

    /// 0: the grids are not paged and scroll as they always did. The pages
    /// keep their rhythm when the period does not change.
    void setSecondsPerPage(int seconds);
    int secondsPerPage() const { return m_seconds; }
    bool isPaused() const;
    /// What a key, a click or the wheel on the board does.
    void pause();
    /// One turn of the pages, unless paused.
    void showNextPages();
    const QTimer& timer() const { return m_timer; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget* m_board;
    QList<Grid*> m_grids;
    std::function<qint64()> m_steadyClock;
    QTimer m_timer;
    int m_seconds = 0;
    std::optional<qint64> m_pausedUntil;
};

} // namespace assi
