#pragma once

#include <QString>
#include <functional>

class QTextStream;

namespace assi {

class DatabaseConnection;
struct ConnectionPlan;

/// More checks to run once the connection is open (the board's queries); each
/// writes its own lines and answers whether all was well.
using OpenConnectionCheck = std::function<bool(DatabaseConnection& connection, QTextStream& out)>;

/// Tells an administrator, in Portuguese, which settings file the board uses
/// and why, which connection values it uses and where each came from (the
/// password shown as "****"), and whether the connection opens. When it opens
/// and `moreChecks` is given, runs it on the open connection.
///
/// Returns true when all is well: the settings file exists, the connection
/// opened, and `moreChecks` (if any) answered true.
bool ConnectionCheck(const ConnectionPlan& plan, QTextStream& out,
                     const OpenConnectionCheck& moreChecks = {});

/// The same, planning first (see planConnection for the arguments).
bool ConnectionCheck(const QString& baseFolderOverride, const QString& appDir, QTextStream& out,
                     const OpenConnectionCheck& moreChecks = {});

} // namespace assi
