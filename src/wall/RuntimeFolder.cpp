#include "wall/RuntimeFolder.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>

#ifdef Q_OS_LINUX
#include <unistd.h>
#endif

using namespace Qt::StringLiterals;

namespace assi {

namespace {

const QString FolderName = u"assi"_s;

QStringList runtimeRoots() {
    QStringList roots;
#ifdef Q_OS_LINUX
    const QString uid = QString::number(getuid());
    if (const QString session = qEnvironmentVariable("XDG_RUNTIME_DIR"); !session.isEmpty())
        roots << session;
    // What systemd-logind makes for a logged-in user, and what DesktopSession
    // makes when the board starts without a runtime folder.
    for (const QString& root :
         {u"/run/user/"_s + uid, QDir::tempPath() + u"/assi-runtime-"_s + uid})
        if (!roots.contains(root) && QFileInfo(root).isDir())
            roots << root;
    if (roots.isEmpty())
        roots << QDir::tempPath() + u"/assi-runtime-"_s + uid;
#endif
    return roots;
}

} // namespace

QString boardRuntimeFolder() {
    const QStringList roots = runtimeRoots();
    return roots.isEmpty() ? QString() : roots.first() + u'/' + FolderName;
}

QStringList boardRuntimeFolders() {
    QStringList folders;
    for (const QString& root : runtimeRoots())
        folders << root + u'/' + FolderName;
    return folders;
}

QString makeBoardRuntimeFolder(const QString& folder) {
    if (!QDir().mkpath(folder))
        return u"não foi possível criar a pasta %1"_s.arg(folder);
    if (!QFile::setPermissions(folder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner))
        return u"não foi possível tornar a pasta %1 só do utilizador"_s.arg(folder);
    return {};
}

QString displayFileName() {
    QString display = qEnvironmentVariable("WAYLAND_DISPLAY");
    if (display.isEmpty()) {
        display = qEnvironmentVariable("DISPLAY");
        // ":0" and ":0.0" are one display.
        static const QRegularExpression screenNumber(u"(:\\d+)\\.\\d+$"_s);
        display.replace(screenNumber, u"\\1"_s);
    }
    if (display.isEmpty())
        return u"sem-ecra"_s;
    // A Wayland socket may be named by its path.
    display.replace(u'/', u'_');
    return display;
}

} // namespace assi
