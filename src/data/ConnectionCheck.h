#pragma once

#include <QString>
#include <functional>

class QDate;
class QTextStream;

namespace assi {

class DatabaseConnection;

/// More checks to run once the connection is open (the board's queries); each
/// writes its own lines and answers whether all was well.
using OpenConnectionCheck = std::function<bool(DatabaseConnection& connection, QTextStream& out)>;

/// Tells an administrator, in Portuguese, which settings file the board uses
/// and why, which connection values it uses and where each came from (the
/// password shown as "****"), and whether the connection opens. When it opens
/// and `moreChecks` is given, runs it on the open connection. The arguments
/// are planConnection's.
///
/// Returns true when all is well: the settings file exists, the connection
/// opened, and `moreChecks` (if any) answered true.
bool checkConnection(const QString& baseFolderOverride, const QString& appDir, QTextStream& out,
                     const OpenConnectionCheck& moreChecks = {});

/// Runs the board's two queries for `today` on `connection` as a refresh
/// does and says what they return: rows, how the requests are shared out
/// between Grelha_1 and Grelha_11, how many orders fall on the weekend (no
/// column shows them), the week's columns. A failing query is
/// reported, not thrown; true when both ran.
bool checkBoardQueries(DatabaseConnection& connection, QTextStream& out, const QDate& today);

} // namespace assi
