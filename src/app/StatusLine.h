#pragma once

#include <QDateTime>
#include <QString>

namespace assi {

/// What the status line in the window's bottom margin says, so a person at
/// the board can tell it is alive and whether its data can be trusted.
class StatusLine {
public:
    /// A refresh running longer than this says so.
    static constexpr int BusyNoticeMilliseconds = 1000;
    /// Data older than this many refresh periods is stale.
    static constexpr int StalePeriods = 2;

    struct View {
        QString text;
        bool alarm = false; // shown in red
    };

    void refreshStarted(const QDateTime& now);
    void refreshSucceeded(const QDateTime& now);
    void refreshFailed(const QDateTime& now, const QString& message);
    /// A setting that is wrong but does not stop the board; while there is
    /// one the line is red and says it. The empty text clears it.
    void setSettingsProblem(const QString& message);

    /// The text at `now`, for a refresh period of `periodMinutes`: the data
    /// turns stale (red) when older than StalePeriods periods.
    View view(const QDateTime& now, int periodMinutes) const;

private:
    QDateTime m_lastSuccess;
    QDateTime m_lastFailure;
    QString m_error;
    QString m_settingsProblem;
    QDateTime m_busySince; // invalid when no refresh is running
};

} // namespace assi
