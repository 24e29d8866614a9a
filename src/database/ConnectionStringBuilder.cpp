#include "database/ConnectionStringBuilder.h"

#include "core/BoardError.h"

#include <QFileInfo>
#include <QStringList>
#include <QUrl>

using namespace Qt::StringLiterals;

namespace assi {

namespace {

const QString DefaultSqlServerDriver = u"FreeTDS"_s;
constexpr int SqlServerPort = 1433;
constexpr int HighestPort = 65535;

QString odbcAttribute(const QString& key, const QString& value) {
    return key + u'=' + ConnectionStringBuilder::quoteOdbcValue(value) + u';';
}

} // namespace

QString ConnectionStringBuilder::quoteOdbcValue(const QString& value) {
    QString quoted = value;
    quoted.replace(u'}', u"}}"_s);
    return u'{' + quoted + u'}';
}

QString ConnectionStringBuilder::quoteFreeTdsValue(const QString& value) {
    if (!value.contains(u'}'))
        return u'{' + value + u'}';
    if (!value.contains(u';') && !value.startsWith(u'{'))
        return value;
    return {};
}

QString ConnectionStringBuilder::attribute(const QString& key, const QString& value, bool freeTds) {
    if (!freeTds)
        return odbcAttribute(key, value);
    const QString quoted = quoteFreeTdsValue(value);
    if (quoted.isEmpty()) {
        // Name the value, never show it: it may be the password.
        const QString name = key == u"PWD"_s        ? u"Senha"_s
                             : key == u"UID"_s      ? u"Utilizador"_s
                             : key == u"Database"_s ? u"BaseDados"_s
                                                    : u"Servidor"_s;
        throw BoardError(
            u"O valor de %1 tem \"}\" junto com \";\" (ou começa por \"{\"), o que o "
            u"controlador FreeTDS não recebe com segurança; mude esse valor."_s.arg(name));
    }
    return key + u'=' + quoted + u';';
}

bool ConnectionStringBuilder::isFreeTds(const QString& odbcDriver) {
    const QString driver = odbcDriver.trimmed();
    return driver.compare(DefaultSqlServerDriver, Qt::CaseInsensitive) == 0 ||
           driver.contains(u"tdsodbc"_s, Qt::CaseInsensitive);
}

bool ConnectionStringBuilder::isSqlServerDriver(const QString& odbcDriver) {
    return isFreeTds(odbcDriver) || odbcDriver.contains(u"SQL Server"_s, Qt::CaseInsensitive);
}

ConnectionStringBuilder::ServerAddress ConnectionStringBuilder::parseServer(const QString& server) {
    ServerAddress address;
    QString rest = server.trimmed();
    const QString tcpPrefix = u"tcp:"_s;
    if (rest.startsWith(tcpPrefix, Qt::CaseInsensitive))
        rest = rest.mid(tcpPrefix.size()).trimmed();

    const qsizetype comma = rest.lastIndexOf(u',');
    if (comma >= 0) {
        const QString portText = rest.mid(comma + 1).trimmed();
        bool ok = false;
        const int port = portText.toInt(&ok);
        if (!ok || port < 1 || port > HighestPort)
            throw BoardError(
                u"Servidor inválido \"%1\": a porta \"%2\" não é um número de 1 a %3."_s
                    .arg(server, portText)
                    .arg(HighestPort));
        address.port = port;
        rest = rest.left(comma).trimmed();
    }

    const qsizetype backslash = rest.indexOf(u'\\');
    if (backslash >= 0) {
        address.instance = rest.mid(backslash + 1).trimmed();
        rest = rest.left(backslash).trimmed();
    }
    if (rest == u"."_s || rest.compare(u"(local)"_s, Qt::CaseInsensitive) == 0)
        rest = u"localhost"_s;
    if (rest.isEmpty())
        throw BoardError(
            u"Servidor inválido \"%1\": falta o nome ou o endereço do servidor."_s.arg(server));
    address.host = rest;
    return address;
}

ConnectionString ConnectionStringBuilder::buildConnectionString() const {
    const QString provider = m_provider.trimmed();
    if (!provider.isEmpty() && provider.compare(u"MSDataShape"_s, Qt::CaseInsensitive) != 0)
        throw BoardError(u"Fornecedor de ligação não suportado: \"%1\"."_s.arg(provider));
    return m_engine == DatabaseEngine::Sqlite ? sqlite() : sqlServer();
}

QString ConnectionStringBuilder::odbcOptions() const {
    QStringList options;
    if (m_readOnly)
        options << u"SQL_ATTR_ACCESS_MODE=SQL_MODE_READ_ONLY"_s;
    if (m_loginTimeout > 0)
        options << u"SQL_ATTR_LOGIN_TIMEOUT=%1"_s.arg(m_loginTimeout);
    return options.join(u';');
}

ConnectionString ConnectionStringBuilder::sqlServer() const {
    const ServerAddress address = parseServer(m_server);
    const QString driver =
        m_odbcDriver.trimmed().isEmpty() ? DefaultSqlServerDriver : m_odbcDriver.trimmed();
    const bool freeTds = isFreeTds(driver);

    QString text = odbcAttribute(u"Driver"_s, driver);
    if (freeTds) {
        // FreeTDS takes the port apart, and finds a named instance's port
        // itself (through the server's browser service) when none is given.
        if (address.port > 0) {
            text += attribute(u"Server"_s, address.host, true);
            text += attribute(u"Port"_s, QString::number(address.port), true);
        } else if (!address.instance.isEmpty()) {
            text += attribute(u"Server"_s, address.host + u'\\' + address.instance, true);
        } else {
            text += attribute(u"Server"_s, address.host, true);
            text += attribute(u"Port"_s, QString::number(SqlServerPort), true);
        }
    } else {
        // Other drivers read SQL Server's own "host,port" and "host\instance".
        QString target = address.host;
        if (address.port > 0)
            target += u',' + QString::number(address.port);
        else if (!address.instance.isEmpty())
            target += u'\\' + address.instance;
        text += attribute(u"Server"_s, target, false);
    }
    text += attribute(u"Database"_s, m_database, freeTds);
    text += attribute(u"UID"_s, m_login, freeTds);
    text += attribute(u"PWD"_s, m_password, freeTds);
    if (freeTds) {
        text += u"TDS_Version=7.4;ClientCharset=UTF-8;"_s;
        if (m_queryTimeout > 0)
            text += u"Timeout=%1;"_s.arg(m_queryTimeout);
    }

    ConnectionString result;
    result.engine = DatabaseEngine::SqlServer;
    result.driverName = u"QODBC"_s;
    result.databaseName = text;
    result.connectOptions = odbcOptions();
    result.server = m_server.trimmed();
    result.database = m_database;
    result.password = m_password;
    return result;
}

ConnectionString ConnectionStringBuilder::sqlite() const {
    const QString file =
        m_database.isEmpty() ? QString() : QFileInfo(m_database).absoluteFilePath();

    ConnectionString result;
    result.engine = DatabaseEngine::Sqlite;
    result.server = m_server.trimmed();
    result.database = file;
    result.password = m_password;
    result.requiredFile = file;

    const QString driver = isSqlServerDriver(m_odbcDriver) ? QString() : m_odbcDriver.trimmed();
    if (driver.isEmpty()) {
        result.driverName = u"QSQLITE"_s;
        result.databaseName = file;
        if (m_readOnly)
            result.connectOptions = u"QSQLITE_OPEN_READONLY"_s;
        return result;
    }

    // The SQLite ODBC driver reads its attributes without braces, up to the
    // next ';'. A URI keeps any file name safe (percent-encoded) and is the
    // only way to ask that driver for a read-only database. Dots are encoded
    // too: Qt's ODBC driver takes any text holding ".dsn" for a file DSN.
    const QString uri = u"file:"_s + QString::fromLatin1(QUrl::toPercentEncoding(file, "/", ".")) +
                        (m_readOnly ? u"?mode=ro"_s : QString());
    result.driverName = u"QODBC"_s;
    result.databaseName = odbcAttribute(u"Driver"_s, driver) + u"Database="_s + uri + u';';
    result.connectOptions = odbcOptions();
    return result;
}

} // namespace assi
