#pragma once

#include <QString>

namespace assi {

enum class DatabaseEngine { SqlServer, Sqlite };

/// What ConnectionStringBuilder hands to DatabaseConnection::Connect: the Qt
/// SQL driver and its database name and options, plus the plain values that
/// messages may show. `databaseName` may hold the password (the ODBC text) and
/// must never be shown or logged; describe() is the safe form.
struct ConnectionString {
    DatabaseEngine engine = DatabaseEngine::SqlServer;
    QString driverName;     // "QODBC" or "QSQLITE"
    QString databaseName;   // ODBC connection text, or the SQLite file path
    QString connectOptions; // login timeout, read-only access
    QString server;         // for messages
    QString database;       // for messages
    QString user;           // for messages

    /// "servidor X, base de dados Y" (Portuguese, never the password).
    QString describe() const;
};

} // namespace assi
