#include "DesktopSession.h"

#include <QDir>
#include <QFile>
#include <QtGlobal>

#ifdef Q_OS_LINUX
#include <unistd.h>
#endif

using namespace Qt::StringLiterals;

namespace assi {

bool hasDisplay() {
#ifdef Q_OS_LINUX
    return !qEnvironmentVariableIsEmpty("DISPLAY") ||
           !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY");
#else
    return true;
#endif
}

void ensureRuntimeFolder() {
#ifdef Q_OS_LINUX
    if (!qEnvironmentVariableIsEmpty("XDG_RUNTIME_DIR"))
        return;
    // One folder per user, readable by that user alone, as the session's would be.
    const QString runtime = QDir::tempPath() + u"/assi-runtime-"_s + QString::number(getuid());
    if (QDir().mkpath(runtime) &&
        QFile::setPermissions(runtime, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner))
        qputenv("XDG_RUNTIME_DIR", runtime.toLocal8Bit());
#endif
}

} // namespace assi
