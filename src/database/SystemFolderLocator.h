#pragma once

#include <QString>

namespace assi {

/// Finds the base folder that may hold the per-site folder.
///
/// In order: the override given at construction (the command line's
/// --base-dir), the ASSI_BASE_DIR environment variable, and the user's
/// generic configuration folder. Relative paths are taken from the current
/// folder.
class SystemFolderLocator {
public:
    explicit SystemFolderLocator(QString overrideFolder = {});

    /// The base folder, absolute and without a trailing separator (unless it
    /// is the root folder itself).
    QString folderPath() const;

private:
    QString m_override;
};

} // namespace assi
