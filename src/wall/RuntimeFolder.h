#pragma once

#include <QString>
#include <QStringList>

namespace assi {

// Where a running board leaves what an administrator may read of it (its
// state, its last frame, the lock that says it is alive): a folder `assi`
// in the user's runtime folder, which lives in memory and goes with the
// session.

/// The running board's folder: `assi` under XDG_RUNTIME_DIR. Without one
/// (an administrator's `sudo -u` over SSH), under `/run/user/<uid>` when that
/// exists, else under the private folder the board makes for itself. Empty
/// where the platform has no runtime folder.
QString boardRuntimeFolder();

/// Every folder where this user's board may keep its files, the one
/// boardRuntimeFolder() names first, each once: a board started by its
/// session and one started without XDG_RUNTIME_DIR keep them apart.
QStringList boardRuntimeFolders();

/// Makes `folder` readable by this user alone; empty on success, else why not.
QString makeBoardRuntimeFolder(const QString& folder);

/// The display the board opens, as a file name: WAYLAND_DISPLAY, else
/// DISPLAY without its screen number (":0" for ":0.0"), else "sem-ecra".
QString displayFileName();

} // namespace assi
