#include "wall/DesktopSession.h"

#include <QDir>
#include <QFile>
#include <QtGlobal>

#ifdef Q_OS_LINUX
#include "wall/WaylandOutputs.h"

#include <unistd.h>
#include <xcb/xcb.h>
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

QString unreachableDisplay() {
#ifdef Q_OS_LINUX
    const QByteArray platform = qgetenv("QT_QPA_PLATFORM");
    const bool x11 = platform.isEmpty() || platform.startsWith("xcb");
    if (!x11 || !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY") ||
        qEnvironmentVariableIsEmpty("DISPLAY"))
        return {};
    // The same connection Qt would make, authority file and all; Qt itself
    // would abort with its list of plugins.
    xcb_connection_t* connection = xcb_connect(nullptr, nullptr);
    const bool opened = xcb_connection_has_error(connection) == 0;
    xcb_disconnect(connection);
    return opened ? QString() : qEnvironmentVariable("DISPLAY");
#else
    return {};
#endif
}

#ifdef Q_OS_LINUX
namespace {

// Whether Qt will open the Wayland display rather than an X11 one.
bool onWayland() {
    const QByteArray platform = qgetenv("QT_QPA_PLATFORM");
    return !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY") &&
           (platform.isEmpty() || platform.startsWith("wayland"));
}

// Read once, on the first use, and kept: the outputs do not change their
// size while the board starts, and a compositor is asked at most once.
const std::optional<QList<WaylandOutput>>& waylandOutputsAtStart() {
    static const std::optional<QList<WaylandOutput>> outputs =
        readWaylandOutputs(qgetenv("WAYLAND_DISPLAY"), WaylandOutputsTimeoutMilliseconds);
    return outputs;
}

} // namespace
#endif

int screenLines() {
#ifdef Q_OS_LINUX
    if (onWayland()) {
        const auto& outputs = waylandOutputsAtStart();
        const auto largest = outputs ? largestOutput(*outputs) : std::nullopt;
        return largest ? largest->pixels.height() : 0;
    }
    if (qEnvironmentVariableIsEmpty("DISPLAY") || !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY"))
        return 0;
    int screenNumber = 0;
    xcb_connection_t* connection = xcb_connect(nullptr, &screenNumber);
    int lines = 0;
    if (xcb_connection_has_error(connection) == 0) {
        xcb_screen_iterator_t screen = xcb_setup_roots_iterator(xcb_get_setup(connection));
        for (int i = 0; i < screenNumber && screen.rem > 0; ++i)
            xcb_screen_next(&screen);
        if (screen.rem > 0)
            lines = screen.data->height_in_pixels;
    }
    xcb_disconnect(connection);
    return lines;
#else
    return 0;
#endif
}

std::optional<QSizeF> screenMillimetres(const QSize& pixels) {
#ifdef Q_OS_LINUX
    if (!onWayland())
        return std::nullopt;
    const auto& outputs = waylandOutputsAtStart();
    if (!outputs)
        return std::nullopt;
    for (const WaylandOutput& output : *outputs) {
        if (output.pixels == pixels)
            return output.millimetres;
    }
    return std::nullopt;
#else
    Q_UNUSED(pixels);
    return std::nullopt;
#endif
}

bool isRemoteShell() {
    return qEnvironmentVariableIsSet("SSH_CONNECTION");
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
