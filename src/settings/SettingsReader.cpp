#include "settings/SettingsReader.h"

#include "settings/IniText.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

using namespace Qt::StringLiterals;

namespace assi {

namespace {

QString tooLarge(const QString& shown, qint64 bytes) {
    return u"O ficheiro de definições %1 tem %2 bytes, mais do que os %3 (1 MiB) que um ficheiro "
           u"de definições pode ter: não foi lido."_s.arg(shown)
               .arg(bytes)
               .arg(SettingsReader::LargestFileBytes);
}

} // namespace

void SettingsReader::read(const QString& path) {
    m_filePath = path;
    m_text.clear();
    m_problem.clear();
    m_exists = false;
    if (path.isEmpty())
        return;

    const QString shown = QDir::toNativeSeparators(path);
    // Follows links, so a link to /dev/zero is seen for the device it is.
    const QFileInfo info(path);
    if (!info.exists())
        return;
    if (info.isDir()) {
        m_problem = u"O ficheiro de definições %1 é uma pasta."_s.arg(shown);
        return;
    }
    if (!info.isFile()) {
        m_problem = u"O ficheiro de definições %1 não é um ficheiro comum (é um pipe, um socket ou "
                    u"um dispositivo): não foi lido."_s.arg(shown);
        return;
    }
    if (info.size() > LargestFileBytes) {
        m_problem = tooLarge(shown, info.size());
        return;
    }
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        m_problem =
            u"O ficheiro de definições %1 não pode ser lido: %2."_s.arg(shown, file.errorString());
        return;
    }
    // The file may have grown since it was measured.
    const QByteArray bytes = file.read(LargestFileBytes + 1);
    if (bytes.size() > LargestFileBytes) {
        m_problem = tooLarge(shown, std::max<qint64>(file.size(), bytes.size()));
        return;
    }
    m_text = IniText::decode(bytes);
    m_exists = true;
}

QString SettingsReader::readValue(const QString& section, const QString& key) const {
    return lookUpValue(section, key).value_or(QString());
}

std::optional<QString> SettingsReader::lookUpValue(const QString& section,
                                                   const QString& key) const {
    if (key.isEmpty() || !m_exists)
        return std::nullopt;
    return IniText::lookUpValue(m_text, section, key);
}

} // namespace assi
