#include "database/DatabaseConnection.h"

#include "core/BoardError.h"
#include "core/Recordset.h"
#include "database/Logging.h"
#include "database/QueryRecordset.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSqlError>
#include <QSqlQuery>
#include <atomic>

// The database file's identity (device, inode) for fileIdentityOf(): the one
// POSIX call outside src/wall, kept beside the connection it guards, with a
// portable fallback.
#ifdef Q_OS_UNIX
#include <sys/stat.h>
#endif

using namespace Qt::StringLiterals;

namespace assi {

namespace {

std::atomic_int connectionCount{0};

QString queryFailedText() {
    return u"A consulta à base de dados falhou"_s;
}

QString driverMessage(const QSqlError& error) {
    const QString text = error.text().trimmed();
    return text.isEmpty() ? u"o controlador não deu explicação"_s : text;
}

} // namespace

std::optional<FileIdentity> fileIdentityOf(const QString& path) {
#ifdef Q_OS_UNIX
    struct stat status {};
    if (::stat(QFile::encodeName(path).constData(), &status) != 0)
        return std::nullopt;
    return FileIdentity{quint64(status.st_dev), quint64(status.st_ino)};
#else
    // No inode to go by: a file renamed over the database is a new file, born
    // after the one that was opened.
    const QFileInfo info(QFileInfo(path).canonicalFilePath());
    if (!info.exists())
        return std::nullopt;
    return FileIdentity{0, quint64(info.birthTime().toMSecsSinceEpoch())};
#endif
}

DatabaseConnection::DatabaseConnection() : m_name(u"assi-connection-%1"_s.arg(++connectionCount)) {}

DatabaseConnection::~DatabaseConnection() {
    close();
}

void DatabaseConnection::fail(const QString& what, const QString& driverMessage) {
    throw BoardError(u"%1 (%2): %3"_s.arg(what, m_connectionString.describe(),
                                          m_connectionString.withoutSecrets(driverMessage)));
}

void DatabaseConnection::connect(const ConnectionString& connectionString) {
    close();
    m_connectionString = connectionString;
    const QString cannotConnect = u"Não foi possível ligar à base de dados"_s;

    if (!QSqlDatabase::isDriverAvailable(connectionString.driverName))
        fail(cannotConnect,
             u"o controlador %1 do Qt não está instalado"_s.arg(connectionString.driverName));
    if (connectionString.engine == DatabaseEngine::Sqlite) {
        // Opening a missing SQLite file would create an empty database.
        const QString file =
            !connectionString.requiredFile.isEmpty()      ? connectionString.requiredFile
            : connectionString.driverName == u"QSQLITE"_s ? connectionString.databaseName
                                                          : QString();
        if (file.isEmpty())
            fail(cannotConnect, u"falta o ficheiro da base de dados (BaseDados)"_s);
        // Taken before opening: a file swapped in between then only costs
        // one needless reconnection, never a missed one.
        m_sqliteIdentity = QFileInfo(file).isFile() ? fileIdentityOf(file) : std::nullopt;
        if (!m_sqliteIdentity)
            fail(cannotConnect, u"o ficheiro %1 não existe"_s.arg(QDir::toNativeSeparators(file)));
        m_sqliteFile = file;
    }
    // Qt's ODBC driver takes any text holding ".dsn" for the name of a file DSN.
    if (connectionString.driverName == u"QODBC"_s &&
        connectionString.databaseName.contains(u".dsn"_s, Qt::CaseInsensitive))
        fail(cannotConnect,
             u"um dos valores de ligação (Servidor, BaseDados, Utilizador ou Senha) "
             u"contém \".dsn\", que o controlador ODBC do Qt toma por um ficheiro DSN"_s);

    m_database = QSqlDatabase::addDatabase(connectionString.driverName, m_name);
    m_database.setDatabaseName(connectionString.databaseName);
    m_database.setConnectOptions(connectionString.connectOptions);
    if (!m_database.open()) {
        const QString message = driverMessage(m_database.lastError());
        close();
        fail(cannotConnect, message);
    }

    if (connectionString.engine == DatabaseEngine::SqlServer) {
        QString message;
        {
            QSqlQuery query(m_database);
            // Forward-only: no server cursor for a statement without rows.
            query.setForwardOnly(true);
            if (!query.exec(u"SET DATEFIRST 7"_s))
                message = driverMessage(query.lastError());
        }
        if (!message.isEmpty()) {
            close();
            fail(cannotConnect, message);
        }
    }
    qCInfo(lcDatabase).noquote() << "Ligação aberta:" << m_connectionString.describe();
}

void DatabaseConnection::requireOpenForQuery() {
    if (isOpen())
        return;
    if (m_connectionString.driverName.isEmpty())
        throw BoardError(queryFailedText() + u": a ligação não está aberta."_s);
    fail(queryFailedText(), u"a ligação não está aberta"_s);
}

void DatabaseConnection::failQuery(const QString& message) {
    qCWarning(lcDatabase).noquote() << "Consulta falhou:" << m_connectionString.describe() << "-"
                                    << m_connectionString.withoutSecrets(message);
    fail(queryFailedText(), message);
}

Recordset DatabaseConnection::openQuery(const QString& sql) {
    requireOpenForQuery();
    Recordset result;
    QString message;
    {
        QSqlQuery query(m_database);
        query.setForwardOnly(true);
        if (!query.exec(sql)) {
            message = driverMessage(query.lastError());
        } else {
            try {
                result = recordsetFromQuery(query, m_connectionString.engine);
            } catch (const BoardError& error) {
                message = error.message();
            }
        }
    }
    if (!message.isEmpty())
        failQuery(message);
    return result;
}

void DatabaseConnection::readQuery(const QString& sql,
                                   const std::function<void(QueryCells&)>& begin,
                                   const std::function<void(QueryCells&)>& readRow) {
    requireOpenForQuery();
    QList<int> textColumns;
    for (bool readAgain = true; readAgain;) {
        readAgain = false;
        QString message;
        {
            QSqlQuery query(m_database);
            query.setForwardOnly(true);
            if (!query.exec(sql)) {
                message = driverMessage(query.lastError());
            } else {
                QueryCells cells(query, m_connectionString.engine, textColumns);
                for (bool first = true; query.next(); first = false) {
                    if (first)
                        begin(cells);
                    readRow(cells);
                    if (cells.mustReadAgain()) {
                        textColumns = cells.textColumns();
                        readAgain = true;
                        break;
                    }
                }
                if (!readAgain && query.lastError().isValid())
                    message = query.lastError().text().trimmed();
            }
        }
        if (!message.isEmpty())
            failQuery(message);
    }
}

bool DatabaseConnection::isOpen() const {
    return m_database.isValid() && m_database.isOpen();
}

bool DatabaseConnection::isSameFileStillThere() const {
    if (!isOpen() || !m_sqliteIdentity)
        return true;
    return fileIdentityOf(m_sqliteFile) == m_sqliteIdentity;
}

void DatabaseConnection::close() {
    m_sqliteFile.clear();
    m_sqliteIdentity.reset();
    if (!m_database.isValid())
        return;
    m_database.close();
    // removeDatabase wants no QSqlDatabase copy of the connection left.
    m_database = QSqlDatabase();
    QSqlDatabase::removeDatabase(m_name);
}

DatabaseEngine DatabaseConnection::engine() const {
    return m_connectionString.engine;
}

const ConnectionString& DatabaseConnection::connectionString() const {
    return m_connectionString;
}

} // namespace assi
