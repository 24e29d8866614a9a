#include "database/ConnectionString.h"

using namespace Qt::StringLiterals;

namespace assi {

QString ConnectionString::describe() const {
    if (engine == DatabaseEngine::Sqlite)
        return u"base de dados SQLite %1"_s.arg(database);
    return u"servidor %1, base de dados %2"_s.arg(server, database);
}

QString ConnectionString::withoutSecrets(QString text) const {
    const QString mask = u"****"_s;
    // Longest first: the whole ODBC text holds the password, so cleaning it
    // first leaves no half-masked copy behind.
    if (!databaseName.isEmpty() && databaseName.contains(u"PWD="_s, Qt::CaseInsensitive))
        text.replace(databaseName, mask);
    if (!password.isEmpty()) {
        QString quoted = password;
        quoted.replace(u'}', u"}}"_s);
        if (quoted != password)
            text.replace(quoted, mask);
        text.replace(password, mask);
    }
    return text;
}

} // namespace assi
