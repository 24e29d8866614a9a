#include "FolderProbe.h"

#include <QFileInfo>

namespace assi {

bool FolderProbe::FolderExists(const QString& path) const {
    return !path.isEmpty() && QFileInfo(path).isDir();
}

} // namespace assi
