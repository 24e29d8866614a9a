#include "database/FolderProbe.h"

#include <QFileInfo>

namespace assi {

bool FolderProbe::folderExists(const QString& path) const {
    return !path.isEmpty() && QFileInfo(path).isDir();
}

} // namespace assi
