#include "wall/ScreenAwake.h"

#include "wall/DBusScreenAwake.h"
#include "wall/Logging.h"
#include "wall/SessionScreenAwake.h"
#include "wall/X11ScreenSettings.h"
#ifdef Q_OS_LINUX
#include "wall/WaylandScreenAwake.h"
#include "wall/XcbScreenSettings.h"
#endif

#include <QDBusConnection>
#include <QGuiApplication>

using namespace Qt::StringLiterals;

namespace assi {

namespace {

class NoScreenAwake : public ScreenAwake {
public:
    Mechanism mechanism() const override { return Mechanism::None; }
    void hold() override {}
    void release() override {}
    bool isHolding() const override { return false; }
};

} // namespace

std::unique_ptr<ScreenAwake> makeDBusScreenAwake(const QDBusConnection& bus) {
    return std::make_unique<DBusScreenAwake>(bus);
}

std::unique_ptr<ScreenAwake> ScreenAwake::forSession(QWidget* window) {
    // Connecting asks only the bus daemon, which is local and answers at once;
    // the desktop's service itself is never waited for.
    std::optional<QDBusConnection> bus = QDBusConnection::sessionBus();
    if (!bus->isConnected())
        bus.reset();
    std::unique_ptr<X11ScreenSettings> x11;
    std::unique_ptr<ScreenAwake> wayland;
#ifdef Q_OS_LINUX
    x11 = XcbScreenSettings::forApplication();
    wayland = makeWaylandScreenAwake(window);
    if (!wayland && QGuiApplication::platformName() == u"wayland"_s)
        qCInfo(lcWall) << "O compositor Wayland não oferece o protocolo "
                          "zwp_idle_inhibit_manager_v1 para manter o ecrã ligado";
#else
    Q_UNUSED(window);
#endif
    if (!bus && !x11 && !wayland) {
        qCInfo(lcWall).noquote() << "Sem forma de manter o ecrã ligado nesta sessão (plataforma"
                                 << QGuiApplication::platformName() + u")"_s;
        return std::make_unique<NoScreenAwake>();
    }
    auto session = std::make_unique<SessionScreenAwake>(bus, std::move(x11), std::move(wayland));
    if (session->mechanism() == Mechanism::None)
        qCInfo(lcWall).noquote()
            << "Sem forma de manter o ecrã ligado nesta sessão por agora; o serviço "
               "org.freedesktop.ScreenSaver será usado se aparecer (plataforma"
            << QGuiApplication::platformName() + u")"_s;
    return session;
}

std::unique_ptr<ScreenAwake> ScreenAwake::none() {
    return std::make_unique<NoScreenAwake>();
}

QString mechanismName(ScreenAwake::Mechanism mechanism) {
    switch (mechanism) {
    case ScreenAwake::Mechanism::DBus:
        return u"dbus"_s;
    case ScreenAwake::Mechanism::X11:
        return u"x11"_s;
    case ScreenAwake::Mechanism::Wayland:
        return u"wayland"_s;
    case ScreenAwake::Mechanism::None:
        break;
    }
    return u"none"_s;
}

QString describeMechanism(ScreenAwake::Mechanism mechanism) {
    switch (mechanism) {
    case ScreenAwake::Mechanism::DBus:
        return u"pelo serviço org.freedesktop.ScreenSaver do ambiente de trabalho"_s;
    case ScreenAwake::Mechanism::X11:
        return u"desligando a proteção de ecrã e o DPMS do servidor X"_s;
    case ScreenAwake::Mechanism::Wayland:
        return u"pedindo ao compositor Wayland que não deixe o ecrã adormecer enquanto a "
               u"janela do quadro estiver à vista (protocolo idle-inhibit)"_s;
    case ScreenAwake::Mechanism::None:
        break;
    }
    return u"esta sessão não o permite; o ecrã fica entregue à sessão"_s;
}

} // namespace assi
