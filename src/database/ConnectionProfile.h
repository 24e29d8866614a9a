#pragma once

#include "ConnectionString.h"

#include <QString>

namespace assi {

/// The connection values of the section [BaseDados] of the settings file, or
/// of the catalogue file (same format and section):
///
/// | value  | key        | meaning                                               |
/// |--------|------------|-------------------------------------------------------|
/// | Value1 | Servidor   | `host`, `host,port` or `host\instance`                |
/// | Value2 | BaseDados  | database name, or the SQLite database file            |
/// | Value3 | Senha      | password (may be empty)                               |
/// | Value4 | Utilizador | login                                                 |
/// |        | Motor      | `sqlserver` (default) or `sqlite`                     |
/// |        | Driver     | ODBC driver (default FreeTDS for SQL Server; for      |
/// |        |            | SQLite, empty means Qt's own SQLite driver)           |
///
/// All values come from one file at a time: ReadSettings() reads the settings
/// file; CatalogueFile(), UseCatalogue(true) and ReadCatalogue(), in that
/// order, replace every value with the catalogue's. A missing file reads as
/// empty values.
class ConnectionProfile {
public:
    enum class Key { Servidor, BaseDados, Senha, Utilizador, Motor, Driver };

    /// Where the current values were read.
    enum class Source { Nothing, SettingsFile, Catalogue };

    static QString section();
    static QString keyName(Key key);

    void ReadSettings(const QString& settingsFilePath);
    void CatalogueFile(const QString& catalogueFilePath);
    void UseCatalogue(bool use);
    /// Reads the catalogue file named by CatalogueFile(); does nothing unless
    /// UseCatalogue(true) came first.
    void ReadCatalogue();

    QString Value1() const { return m_values[int(Key::Servidor)]; }
    /// For SQLite, a relative file is resolved against the folder of the file
    /// that names it.
    QString Value2() const;
    QString Value3() const { return m_values[int(Key::Senha)]; }
    QString Value4() const { return m_values[int(Key::Utilizador)]; }

    /// The engine named by Motor. Throws BoardError (naming the file, the
    /// section, the key and the text) when it is neither name.
    DatabaseEngine Motor() const;
    /// The text of Driver as written (possibly empty).
    QString Driver() const { return m_values[int(Key::Driver)]; }

    /// The text read for `key`, as written (BaseDados unresolved).
    QString rawValue(Key key) const { return m_values[int(key)]; }

    Source source() const { return m_source; }
    /// The file the current values were read from (empty before any read).
    QString sourceFile() const { return m_sourceFile; }
    bool sourceFileExists() const { return m_sourceFileExists; }
    QString catalogueFile() const { return m_catalogueFile; }

private:
    void readFrom(const QString& path, Source source);
    bool namesSqlite() const;

    static constexpr int KeyCount = 6;
    QString m_values[KeyCount];
    Source m_source = Source::Nothing;
    QString m_sourceFile;
    bool m_sourceFileExists = false;
    QString m_catalogueFile;
    bool m_useCatalogue = false;
};

} // namespace assi
