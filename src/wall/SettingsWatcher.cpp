#include "wall/SettingsWatcher.h"

#include <QFileInfo>

namespace assi {

SettingsWatcher::SettingsWatcher(int quietMilliseconds, QObject* parent) : QObject(parent) {
    m_quiet.setSingleShot(true);
    m_quiet.setInterval(quietMilliseconds);
    connect(&m_quiet, &QTimer::timeout, this, &SettingsWatcher::settled);
    connect(&m_watcher, &QFileSystemWatcher::fileChanged, this, &SettingsWatcher::noticeFileChange);
    connect(&m_watcher, &QFileSystemWatcher::directoryChanged, this,
            &SettingsWatcher::noticeFolderChange);
}

void SettingsWatcher::watch(const QString& filePath) {
    watch(filePath,
          FileIdentity::of(filePath.isEmpty() ? QString() : QFileInfo(filePath).absolutePath()),
          FileIdentity::of(filePath));
}

void SettingsWatcher::watch(const QString& filePath, const FileIdentity& folder,
                            const FileIdentity& file) {
    if (filePath == m_filePath && folder == m_folder && file == m_file)
        return;
    m_folder = folder;
    m_file = file;
    if (!m_watcher.files().isEmpty())
        m_watcher.removePaths(m_watcher.files());
    if (!m_watcher.directories().isEmpty())
        m_watcher.removePaths(m_watcher.directories());
    m_filePath = filePath;
    m_lastSeen = fingerprintOf(m_filePath);
    if (m_filePath.isEmpty())
        return;
    if (m_folder.found)
        m_watcher.addPath(QFileInfo(m_filePath).absolutePath());
    rewatchFile();
}

SettingsWatcher::Fingerprint SettingsWatcher::fingerprintOf(const QString& filePath) {
    const QFileInfo info(filePath);
    if (!info.exists())
        return {};
    return {true, info.size(), info.lastModified(), info.metadataChangeTime()};
}

void SettingsWatcher::noticeFileChange() {
    // A file replaced by a rename is a new file: the watch on the old one is gone.
    rewatchFile();
    m_lastSeen = fingerprintOf(m_filePath);
    m_quiet.start();
}

// The folder also changes when the database beside the settings gets a
// journal, or anything else is saved there: only a change to the settings
// file itself (written, renamed over, created or removed) counts.
void SettingsWatcher::noticeFolderChange() {
    const Fingerprint now = fingerprintOf(m_filePath);
    if (now == m_lastSeen)
        return;
    m_lastSeen = now;
    rewatchFile();
    m_quiet.start();
}

void SettingsWatcher::rewatchFile() {
    if (!m_watcher.files().contains(m_filePath) && QFileInfo::exists(m_filePath))
        m_watcher.addPath(m_filePath);
}

} // namespace assi
