#pragma once

#include "database/ConnectionString.h"

#include <QString>

namespace assi {

/// Assembles the connection from the profile's values.
///
/// Provider "MSDataShape" is the only provider there is. A read-only
/// connection is asked for with the ODBC access mode, or by opening SQLite
/// read-only. SQL Server is reached through a DSN-less ODBC text for the
/// configured driver (FreeTDS by default):
///
///     Driver={FreeTDS};Server={host};Port={1433};Database={db};UID={u};PWD={p};
///     TDS_Version=7.4;ClientCharset=UTF-8;Timeout=30;
///
/// No value can end its attribute or add one. Values go in braces with `}`
/// doubled, as ODBC has it; but FreeTDS before 1.4 reads a braced value
/// literally up to the first "};" (it knows no doubling) while the unixODBC
/// driver manager does double, so for FreeTDS a value holding `}` travels
/// bare (read up to the next ';' by every parser) and a value holding `}`
/// together with ';' (or starting with '{') is refused: no form reads alike
/// everywhere. The login is bounded by the ODBC login timeout; with FreeTDS,
/// `Timeout` bounds every wait for the server's answer to a query (FreeTDS
/// then cancels the query and reports "Timeout expired").
///
/// SQLite: with no Driver, Qt's own SQLite driver opens the file; with a
/// Driver (e.g. SQLite3), the file is opened through that ODBC driver as a
/// read-only URI.
class ConnectionStringBuilder {
public:
    static constexpr int DefaultLoginTimeoutSeconds = 15;
    static constexpr int DefaultQueryTimeoutSeconds = 30;

    /// Only "MSDataShape" (or none) is accepted.
    void setProvider(const QString& provider) { m_provider = provider; }
    void setReadOnly(bool readOnly) { m_readOnly = readOnly; }
    /// Servidor: `host`, `host,port` or `host\instance`.
    void setServer(const QString& server) { m_server = server; }
    /// BaseDados: the database name, or the SQLite file.
    void setDatabase(const QString& database) { m_database = database; }
    void setPassword(const QString& password) { m_password = password; }
    void setLogin(const QString& login) { m_login = login; }
    void setEngine(DatabaseEngine engine) { m_engine = engine; }
    /// The ODBC driver's name as registered with the driver manager.
    void setOdbcDriver(const QString& odbcDriver) { m_odbcDriver = odbcDriver; }

    void setLoginTimeout(int seconds) { m_loginTimeout = seconds; }
    void setQueryTimeout(int seconds) { m_queryTimeout = seconds; }

    /// The connection to open. Throws BoardError for an unknown provider or a
    /// malformed Servidor.
    ConnectionString buildConnectionString() const;

    /// `value` as one ODBC attribute value: in braces, `}` doubled.
    static QString quoteOdbcValue(const QString& value);
    /// `value` as one attribute value that every FreeTDS release and the
    /// driver manager read alike; empty when there is no such form.
    static QString quoteFreeTdsValue(const QString& value);

    struct ServerAddress {
        QString host;
        int port = 0; // 0: none given
        QString instance;
    };
    /// Splits Servidor. Accepts `host`, `host,port`, `host\instance` (and
    /// `host\instance,port`, where the port wins), an optional `tcp:` prefix,
    /// and `.` or `(local)` for this computer. Throws BoardError on a missing
    /// host or a port that is not a number from 1 to 65535.
    static ServerAddress parseServer(const QString& server);

    /// Whether `odbcDriver` is a driver for SQL Server (FreeTDS, Microsoft's),
    /// which a SQLite file cannot be opened with: with the sqlite engine such a
    /// Driver is ignored, as the example settings' own would otherwise be.
    static bool isSqlServerDriver(const QString& odbcDriver);

private:
    static bool isFreeTds(const QString& odbcDriver);
    static QString attribute(const QString& key, const QString& value, bool freeTds);
    ConnectionString sqlServer() const;
    ConnectionString sqlite() const;
    QString odbcOptions() const;

    QString m_provider;
    bool m_readOnly = false;
    QString m_server;
    QString m_database;
    QString m_password;
    QString m_login;
    DatabaseEngine m_engine = DatabaseEngine::SqlServer;
    QString m_odbcDriver;
    int m_loginTimeout = DefaultLoginTimeoutSeconds;
    int m_queryTimeout = DefaultQueryTimeoutSeconds;
};

} // namespace assi
