#pragma once

#include <QDate>
#include <QString>

namespace assi {

/// `assi --check`: tells an administrator, in Portuguese, which settings file
/// and connection values the board uses, whether the connection opens, and
/// how many rows each of the board's two queries returns. Writes to stdout;
/// returns the exit status (0 when all is well).
int runBoardCheck(const QString& baseDirOverride, const QString& appDir, const QDate& today);

} // namespace assi
