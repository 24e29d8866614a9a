#include "database/SystemFolderLocator.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace assi {

SystemFolderLocator::SystemFolderLocator(QString overrideFolder)
    : m_override(std::move(overrideFolder)) {}

QString SystemFolderLocator::folderPath() const {
    QString folder = m_override.trimmed();
    if (folder.isEmpty())
        folder = qEnvironmentVariable("ASSI_BASE_DIR").trimmed();
    if (folder.isEmpty())
        folder = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
    return QDir::cleanPath(QFileInfo(folder).absoluteFilePath());
}

} // namespace assi
