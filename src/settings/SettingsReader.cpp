#include "SettingsReader.h"

#include "IniText.h"

#include <QFile>
#include <QFileInfo>

namespace assi {

void SettingsReader::setFilePath(const QString& path) {
    m_filePath = path;
}

bool SettingsReader::fileExists() const {
    const QFileInfo info(m_filePath);
    return !m_filePath.isEmpty() && info.isFile() && info.isReadable();
}

QString SettingsReader::readValue(const QString& section, const QString& key) const {
    if (key.isEmpty() || m_filePath.isEmpty())
        return {};
    QFile file(m_filePath);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return IniText::findValue(IniText::decode(file.readAll()), section, key);
}

} // namespace assi
