#pragma once

#include "database/ConnectionString.h"

#include <QString>

namespace assi {

/// The connection values of the section [BaseDados] of the settings file, or
/// of the catalogue file (same format and section):
///
/// | accessor     | key        | meaning                                         |
/// |--------------|------------|-------------------------------------------------|
/// | server()     | Servidor   | `host`, `host,port` or `host\instance`          |
/// | database()   | BaseDados  | database name, or the SQLite database file      |
/// | password()   | Senha      | password (may be empty)                         |
/// | login()      | Utilizador | login                                           |
/// | engine()     | Motor      | `sqlserver` (default) or `sqlite`               |
/// | odbcDriver() | Driver     | ODBC driver (default FreeTDS for SQL Server;    |
/// |              |            | for SQLite, empty means Qt's own SQLite driver) |
///
/// All values come from one file at a time, the settings file or the
/// catalogue: readFile() replaces every value with the file's. A missing file
/// reads as empty values; a file that is there but cannot be read (see
/// SettingsReader::problem()) throws BoardError.
class ConnectionProfile {
public:
    enum class Key { Servidor, BaseDados, Senha, Utilizador, Motor, Driver };

    static QString section();
    static QString keyName(Key key);

    void readFile(const QString& filePath);

    QString server() const { return m_values[int(Key::Servidor)]; }
    /// For SQLite, a relative file is resolved against the folder of the file
    /// that names it.
    QString database() const;
    QString password() const { return m_values[int(Key::Senha)]; }
    QString login() const { return m_values[int(Key::Utilizador)]; }

    /// The engine named by Motor. Throws BoardError (naming the file, the
    /// section, the key and the text) when it is neither name.
    DatabaseEngine engine() const;
    /// The text of Driver as written (possibly empty).
    QString odbcDriver() const { return m_values[int(Key::Driver)]; }

    /// The text read for `key`, as written (BaseDados unresolved).
    QString rawValue(Key key) const { return m_values[int(key)]; }

    /// Whether the file last read exists.
    bool sourceFileExists() const { return m_sourceFileExists; }

private:
    bool namesSqlite() const;

    static constexpr int KeyCount = 6;
    QString m_values[KeyCount];
    QString m_sourceFile;
    bool m_sourceFileExists = false;
};

} // namespace assi
