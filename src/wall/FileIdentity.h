#pragma once

#include <QString>
#include <QtGlobal>

namespace assi {

/// What a path leads to, as the file system tells files apart: the device and
/// the inode. A folder swapped for another of the same name, or a link in the
/// path pointed elsewhere, keeps its path and changes its identity.
struct FileIdentity {
    quint64 device = 0;
    quint64 inode = 0;
    bool found = false;

    /// Of what `path` leads to now, following links; not found when nothing is there.
    static FileIdentity of(const QString& path);

    friend bool operator==(const FileIdentity&, const FileIdentity&) = default;
};

} // namespace assi
