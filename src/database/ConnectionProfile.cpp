#include "database/ConnectionProfile.h"

#include "core/BoardError.h"
#include "core/EscapedText.h"
#include "settings/SettingsReader.h"

#include <QDir>
#include <QFileInfo>

using namespace Qt::StringLiterals;

namespace assi {

QString ConnectionProfile::section() {
    return u"BaseDados"_s;
}

QString ConnectionProfile::keyName(Key key) {
    switch (key) {
    case Key::Servidor:
        return u"Servidor"_s;
    case Key::BaseDados:
        return u"BaseDados"_s;
    case Key::Senha:
        return u"Senha"_s;
    case Key::Utilizador:
        return u"Utilizador"_s;
    case Key::Motor:
        return u"Motor"_s;
    case Key::Driver:
        return u"Driver"_s;
    }
    return {};
}

void ConnectionProfile::readFile(const QString& filePath) {
    SettingsReader reader;
    reader.read(filePath);
    // A file that is there but unreadable must not pass for a missing one,
    // which would quietly switch the board to the catalogue's values.
    if (!reader.problem().isEmpty())
        throw BoardError(reader.problem());
    for (int k = 0; k < KeyCount; ++k)
        m_values[k] = reader.readValue(section(), keyName(Key(k)));
    m_sourceFile = filePath;
    m_sourceFileExists = reader.fileExists();
}

bool ConnectionProfile::namesSqlite() const {
    return m_values[int(Key::Motor)].trimmed().compare(u"sqlite"_s, Qt::CaseInsensitive) == 0;
}

QString ConnectionProfile::database() const {
    const QString& database = m_values[int(Key::BaseDados)];
    if (database.isEmpty() || !namesSqlite() || QDir::isAbsolutePath(database))
        return database;
    return QDir::cleanPath(QFileInfo(m_sourceFile).absoluteDir().filePath(database));
}

DatabaseEngine ConnectionProfile::engine() const {
    const QString motor = m_values[int(Key::Motor)].trimmed();
    if (motor.isEmpty() || motor.compare(u"sqlserver"_s, Qt::CaseInsensitive) == 0)
        return DatabaseEngine::SqlServer;
    if (motor.compare(u"sqlite"_s, Qt::CaseInsensitive) == 0)
        return DatabaseEngine::Sqlite;
    throw BoardError(
        u"Definição inválida em [%1] %2: \"%3\" não é \"sqlserver\" nem \"sqlite\" (%4)"_s.arg(
            section(), keyName(Key::Motor), escapeControlCharacters(motor),
            QDir::toNativeSeparators(m_sourceFile)));
}

} // namespace assi
