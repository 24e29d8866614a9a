#pragma once

#include <QString>

namespace assi {

/// Answers whether a folder exists.
class FolderProbe {
public:
    /// True when `path` names an existing folder (a file of that name is not
    /// a folder).
    bool folderExists(const QString& path) const;
};

} // namespace assi
