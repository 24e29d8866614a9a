#pragma once

#include "wall/FileIdentity.h"

#include <QDateTime>
#include <QFileSystemWatcher>
#include <QObject>
#include <QString>
#include <QTimer>

namespace assi {

/// Tells when the settings file has been edited and the edit is over: one
/// quiet second after the last change. Editors that save by writing a new
/// file and renaming it over the old one, and a file that appears or goes
/// away, count as changes too: the folder is watched with the file.
class SettingsWatcher : public QObject {
    Q_OBJECT
public:
    static constexpr int QuietMilliseconds = 1000;

    explicit SettingsWatcher(int quietMilliseconds = QuietMilliseconds, QObject* parent = nullptr);

    /// Watches `filePath` (and its folder) from now on, the folder and the
    /// file being those `folder` and `file` identify (as read with the file,
    /// so the watcher never waits for a share itself). The same path on the
    /// same folder and file again changes nothing; a folder swapped for
    /// another of the same name, or a link in the path pointed elsewhere, is
    /// watched afresh, or edits of the live file would go unseen while those
    /// of the copy moved aside were taken for them.
    void watch(const QString& filePath, const FileIdentity& folder, const FileIdentity& file);
    /// As above, with the identities looked up here.
    void watch(const QString& filePath);
    const QString& filePath() const { return m_filePath; }

Q_SIGNALS:
    /// The file changed and has been left alone for the quiet time.
    void settled();

private:
    // What tells one state of the file from another without reading it.
    struct Fingerprint {
        bool exists = false;
        qint64 size = 0;
        QDateTime modified;
        QDateTime metadataChanged;
        bool operator==(const Fingerprint&) const = default;
    };
    static Fingerprint fingerprintOf(const QString& filePath);

    void noticeFileChange();
    void noticeFolderChange();
    void rewatchFile();

    QFileSystemWatcher m_watcher;
    QTimer m_quiet;
    QString m_filePath;
    FileIdentity m_folder;
    FileIdentity m_file;
    Fingerprint m_lastSeen;
};

} // namespace assi
