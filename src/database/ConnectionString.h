#pragma once

#include <QString>

namespace assi {

enum class DatabaseEngine { SqlServer, Sqlite };

/// What ConnectionStringBuilder hands to DatabaseConnection::connect: the Qt
/// SQL driver and its database name and options, plus the plain values that
/// messages may show. `databaseName` may hold the password (the ODBC text) and
/// must never be shown or logged; describe() is the safe form.
struct ConnectionString {
    DatabaseEngine engine = DatabaseEngine::SqlServer;
    QString driverName;     // "QODBC" or "QSQLITE"
    QString databaseName;   // ODBC connection text, or the SQLite file path
    QString connectOptions; // login timeout, read-only access
    QString server;         // for messages
    QString database;       // for messages; for SQLite, the file
    /// Kept only so that messages can be cleaned of it; never show it.
    QString password;
    /// The file that must exist before connecting (SQLite); empty otherwise.
    QString requiredFile;

    /// "servidor X, base de dados Y", or "base de dados SQLite F" (Portuguese,
    /// never the password).
    QString describe() const;

    /// `text` with every trace of the password and of the ODBC text replaced
    /// by "****", for messages that quote what a driver said.
    QString withoutSecrets(QString text) const;
};

} // namespace assi
