#pragma once

#include "app/ClockReading.h"

#include <QDateTime>
#include <QList>
#include <QString>
#include <QStringList>

namespace assi {

struct MomentWords;

/// What the footer band across the bottom of the window says, so a person at
/// the board can tell from across the room that it is alive and whether its
/// data can be trusted.
class StatusLine {
public:
    /// A refresh running longer than this says so.
    static constexpr int BusyNoticeMilliseconds = 1000;
    /// Data older than this many refresh periods is stale.
    static constexpr int StalePeriods = 2;

    enum class State { Ok, Stale, Failed, Refreshing };

    struct View {
        State state = State::Ok;
        /// The day and time written out, then shorter forms for a narrower band.
        QStringList clockForms;
        QString status; // what the data is worth, in plain words
        /// The status, then shorter forms for a narrower band: with the
        /// moments written shorter, then without them.
        QStringList statusForms;
        QString detail; // the message behind a failure, word for word

        /// Shown in red: the board's data cannot be trusted.
        bool alarm() const { return state == State::Stale || state == State::Failed; }
        /// The status with the message behind it, for the tooltip and reports.
        QString wholeStatus() const;
    };

    /// A setting that is wrong but does not stop the board.
    struct SettingsProblem {
        QString place;   // "[GrelhaPedidos] Cabecalho_FonteSize": what the band names
        QString message; // the whole of it (file, section, key, value, why), for the tooltip

        friend bool operator==(const SettingsProblem&, const SettingsProblem&) = default;
    };

    void refreshStarted(const ClockReading& now);
    void refreshSucceeded(const ClockReading& now);
    void refreshFailed(const ClockReading& now, const QString& message);
    /// The settings that are wrong but do not stop the board, in the order
    /// they were read; none clears them.
    void setSettingsProblems(QList<SettingsProblem> problems);
    /// Outside the opening hours nothing is refreshed, and nothing is wrong.
    void setClosed(bool closed) { m_closed = closed; }

    /// What the band says at `now`, for a refresh period of `periodMinutes`
    /// and the next refresh at `nextAttempt` (invalid: none planned). The
    /// words tell wall-clock times; the ages are measured on the steady clock.
    View view(const ClockReading& now, int periodMinutes, const QDateTime& nextAttempt) const;
    /// How long after the steady clock's `steadyNow` a running refresh is
    /// due to say so on the band; 0 when it is already, or when none runs.
    qint64 msecsUntilBusyNotice(qint64 steadyNow) const;

    /// The state's name in reports: ok, stale, failed or refreshing.
    static QString stateName(State state);

private:
    // The red states' words: a refresh that failed, settings that are wrong.
    void describeFailure(View& v, const QDateTime& now, const MomentWords& next) const;
    void describeSettingsProblems(View& v, const MomentWords& next) const;

    ClockReading m_lastSuccess;
    QDateTime m_failingSince; // the first failure since the last success
    QString m_error;
    ClockReading m_busySince; // invalid when no refresh is running
    QList<SettingsProblem> m_settingsProblems;
    bool m_closed = false;
};

} // namespace assi
