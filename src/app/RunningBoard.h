#pragma once

#include <QJsonObject>
#include <QString>
#include <QStringList>

namespace assi {

class Assi;

// The running board as an administrator reads it from a shell: what it keeps
// in its state file besides the dump's keys, and `--estado`, which reads that
// file back with the lock that says whether the board is alive.

/// `--estado`'s exit statuses.
inline constexpr int ExitBoardRunning = 0;      // a board runs; its state was read
inline constexpr int ExitNoBoardRunning = 3;    // none runs for this user
inline constexpr int ExitBoardWithoutState = 4; // one runs but has written no state yet

/// What the state file holds: the dump's keys, and the process, its display,
/// the line `describeShownBoard` gives (`statusLine`), the footer as shown,
/// each grid's page, the last refresh, when this was taken and where the
/// frame is.
QJsonObject runningBoardState(const Assi& window, const QString& statusLine,
                              const QString& framePath);

struct RunningBoardReport {
    int exitCode = ExitNoBoardRunning;
    QString text; // Portuguese, one line per fact
};

/// What this user's boards show now, read from `folders` (see
/// boardRuntimeFolders()): a board is alive while it holds its display's
/// lock, and a state file left by one that ended says only when it ended.
RunningBoardReport reportRunningBoard(const QStringList& folders);

} // namespace assi
