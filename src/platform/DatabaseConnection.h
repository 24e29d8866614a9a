#pragma once

#include "ConnectionString.h"

#include <QString>

namespace assi {

class Recordset;

/// The board's one database connection, over Qt SQL. It belongs to the thread
/// that calls Connect (Qt SQL connections cannot cross threads), and must be
/// destroyed on that thread too.
class DatabaseConnection {
public:
    DatabaseConnection();
    ~DatabaseConnection();
    DatabaseConnection(const DatabaseConnection&) = delete;
    DatabaseConnection& operator=(const DatabaseConnection&) = delete;

    /// Opens the connection. Returns true; on failure throws BoardError naming
    /// the server and the database and giving the driver's message.
    bool Connect(const ConnectionString& connectionString);

    /// Runs `sql` and fills `result` with its rows, in the query's order,
    /// positioned on the first row. Column types: whole numbers become Integer
    /// fields, date-times DateTime fields (on both engines), anything else
    /// unsized Text. `source`, `clientCursor` and `options` are accepted for
    /// the callers' sake and change nothing. Throws BoardError with the
    /// driver's message on failure.
    bool OpenQuery(const QString& source, const QString& sql, Recordset& result, bool clientCursor,
                   int options);

    bool isOpen() const;
    /// Closes the connection (it can be connected again).
    void close();
    DatabaseEngine engine() const;
    const ConnectionString& connectionString() const;

private:
    QString m_name; // the QSqlDatabase connection name, unique per instance
    ConnectionString m_connectionString;
};

} // namespace assi
