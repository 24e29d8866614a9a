#pragma once

#include "settings/OpeningHours.h"

#include <QDateTime>
#include <memory>
#include <optional>

class QWidget;

namespace assi {

class ClosedScreen;
class ScreenAwake;

/// The board's day: within its opening hours it runs and holds the screen
/// awake; outside them it rests on a black screen and lets the display sleep.
class BoardSchedule {
public:
    enum class Change { None, Opened, Closed };

    /// `board` gets the closed screen as a child.
    BoardSchedule(QWidget* board, std::unique_ptr<ScreenAwake> awake);
    ~BoardSchedule();

    void setHours(const OpeningHours& hours);
    /// From now on the screen is kept awake by `awake` (the previous one lets go).
    void setAwake(std::unique_ptr<ScreenAwake> awake);
    /// Whether the board is open at `now`: shows or hides the closed screen
    /// and holds or lets go of the screen to match. Says what changed since
    /// the previous call; the first call reports Opened or Closed.
    Change update(const QDateTime& now);
    bool isOpen() const { return m_open; }

    /// The screen is held only while the board is on it.
    void setShown(bool shown);
    ScreenAwake& awake() { return *m_awake; }
    const ScreenAwake& awake() const { return *m_awake; }
    ClosedScreen* closedScreen() const { return m_closedScreen; }

private:
    void holdOrRelease();

    ClosedScreen* m_closedScreen;
    std::unique_ptr<ScreenAwake> m_awake;
    OpeningHours m_hours;
    std::optional<bool> m_lastOpen;
    bool m_open = true;
    bool m_shown = false;
};

} // namespace assi
