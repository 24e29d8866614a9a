#pragma once

#include <QDateTime>
#include <utility>

namespace assi {

/// One moment as two clocks read it. The wall clock tells the time the board
/// shows (the footer's clock, when the data was last updated); the steady
/// clock measures how long things take (the data's age, a refresh that runs
/// long, the pages held after a click). Only the steady clock is safe for
/// that: the wall clock is set forward and back by hand, by the time service
/// or at a change of zone, and an hour's jump must not pass for an hour gone.
struct ClockReading {
    ClockReading() = default;
    ClockReading(QDateTime wallTime, qint64 steadyMilliseconds)
        : wall(std::move(wallTime)), steady(steadyMilliseconds) {}
    /// The wall clock standing in for the steady one, where nobody has
    /// jumped it: ages on the wall clock are then the true ages.
    ClockReading(const QDateTime& wallTime) // NOLINT(google-explicit-constructor)
        : wall(wallTime), steady(wallTime.toMSecsSinceEpoch()) {}

    bool isValid() const { return wall.isValid(); }
    /// How long since `earlier`, on the steady clock.
    qint64 msecsSince(const ClockReading& earlier) const { return steady - earlier.steady; }

    QDateTime wall;
    qint64 steady = 0; // milliseconds from an origin of the clock's own
};

/// The machine's steady clock, in milliseconds from an arbitrary origin.
qint64 steadyMilliseconds();

} // namespace assi
