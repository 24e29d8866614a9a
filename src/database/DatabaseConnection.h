#pragma once

#include "ConnectionString.h"
#include "Recordset.h"

#include <QSqlDatabase>
#include <QString>

namespace assi {

/// The board's one database connection, over Qt SQL. It belongs to the thread
/// that calls connect() (Qt SQL connections cannot cross threads): openQuery(),
/// close and the destructor must run on that thread too. Constructing it binds
/// it to no thread.
///
/// SQL Server sessions start with `SET DATEFIRST 7`, so that weekday numbers
/// count Sunday as 1 whatever the login's language.
///
/// No message, log line or error it produces holds the password.
class DatabaseConnection {
public:
    DatabaseConnection();
    ~DatabaseConnection();
    DatabaseConnection(const DatabaseConnection&) = delete;
    DatabaseConnection& operator=(const DatabaseConnection&) = delete;

    /// Opens the connection, closing any earlier one first. On failure throws
    /// BoardError naming the server and the database and giving the driver's
    /// message. A SQLite file must exist: a missing one is an error naming
    /// it, never a new empty database.
    void connect(const ConnectionString& connectionString);

    /// Runs `sql` and returns its rows, in the query's order, positioned on
    /// the first row (see recordsetFromQuery for the column types). Throws
    /// BoardError with the driver's message on failure.
    Recordset openQuery(const QString& sql);

    bool isOpen() const;
    /// Closes the connection (it can be connected again).
    void close();
    DatabaseEngine engine() const;
    const ConnectionString& connectionString() const;

private:
    [[noreturn]] void fail(const QString& what, const QString& driverMessage);

    QString m_name; // the QSqlDatabase connection name, unique per instance
    ConnectionString m_connectionString;
    QSqlDatabase m_database; // invalid while no connection was added
};

} // namespace assi
