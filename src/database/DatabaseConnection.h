#pragma once

#include "core/Recordset.h"
#include "database/ConnectionString.h"
#include "database/QueryCells.h"

#include <QSqlDatabase>
#include <QString>
#include <functional>
#include <optional>

namespace assi {

/// The board's one database connection, over Qt SQL. It belongs to the thread
/// that calls connect() (Qt SQL connections cannot cross threads): openQuery(),
/// close and the destructor must run on that thread too. Constructing it binds
/// it to no thread.
///
/// SQL Server sessions start with `SET DATEFIRST 7`, so that weekday numbers
/// count Sunday as 1 whatever the login's language.
///
/// A SQLite connection remembers which file it opened, not just its path: a
/// restore, a `mv` or a sync tool renaming a fresh copy over the database
/// leaves the open handle on the old file, and isSameFileStillThere() is how
/// the owner finds out that it must connect again.
///
/// No message, log line or error it produces holds the password.
/// Which file a path leads to, told apart from any file later put there.
struct FileIdentity {
    quint64 device = 0;
    quint64 inode = 0; // elsewhere than Unix: the birth time, in ms
    friend bool operator==(const FileIdentity&, const FileIdentity&) = default;
};

/// The identity of the file at `path`, following symbolic links; none when
/// there is no file there.
std::optional<FileIdentity> fileIdentityOf(const QString& path);

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

    /// Runs `sql` and hands its rows, one at a time and without keeping them,
    /// to `readRow`, which reads the current row through the QueryCells it
    /// is given. `begin` comes just before the first row, and again should
    /// the reading start over (see QueryCells::mustReadAgain), so it must
    /// drop whatever the rows read so far made; a result without rows calls
    /// neither. A failure to run or fetch throws BoardError as openQuery()
    /// does; what `begin` and `readRow` throw passes through unchanged.
    void readQuery(const QString& sql, const std::function<void(QueryCells&)>& begin,
                   const std::function<void(QueryCells&)>& readRow);

    bool isOpen() const;
    /// For an open SQLite connection: whether the file now at its path (after
    /// symbolic links) is still the one it opened; false once that file was
    /// replaced or removed. Always true for SQL Server and while closed. Costs
    /// one stat(), so it can run before every refresh.
    bool isSameFileStillThere() const;
    /// Closes the connection (it can be connected again).
    void close();
    DatabaseEngine engine() const;
    const ConnectionString& connectionString() const;

private:
    [[noreturn]] void fail(const QString& what, const QString& driverMessage);
    void requireOpenForQuery();
    [[noreturn]] void failQuery(const QString& message);

    QString m_name; // the QSqlDatabase connection name, unique per instance
    ConnectionString m_connectionString;
    QSqlDatabase m_database;                      // invalid while no connection was added
    QString m_sqliteFile;                         // the SQLite file's path as the settings name it
    std::optional<FileIdentity> m_sqliteIdentity; // of the file it opened
};

} // namespace assi
