#include "wall/ScreenAwake.h"

#include "wall/Logging.h"
#include "wall/X11ScreenSettings.h"
#ifdef Q_OS_LINUX
#include "wall/XcbScreenSettings.h"
#endif

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusInterface>
#include <QDBusReply>
#include <QGuiApplication>

using namespace Qt::StringLiterals;

namespace assi {

namespace {

const QString ScreenSaverService = u"org.freedesktop.ScreenSaver"_s;

// The desktop's screen saver service: Inhibit() gives a cookie that
// UnInhibit() hands back. The service also lets go when the program's bus
// connection ends, so a crash never leaves the screen held.
class DBusScreenAwake : public ScreenAwake {
public:
    explicit DBusScreenAwake(QDBusConnection bus) : m_bus(std::move(bus)) {}
    Mechanism mechanism() const override { return Mechanism::DBus; }
    bool isHolding() const override { return m_cookie != 0; }

    void hold() override {
        if (m_cookie != 0)
            return;
        QDBusInterface saver(ScreenSaverService, u"/org/freedesktop/ScreenSaver"_s,
                             ScreenSaverService, m_bus);
        const QDBusReply<uint> reply = saver.call(
            u"Inhibit"_s, u"assi"_s, u"Quadro da assistência em horário de funcionamento"_s);
        if (!reply.isValid()) {
            qCWarning(lcWall).noquote()
                << "O serviço de proteção de ecrã recusou manter o ecrã ligado:"
                << reply.error().message();
            return;
        }
        m_cookie = reply.value();
    }

    void release() override {
        if (m_cookie == 0)
            return;
        QDBusInterface saver(ScreenSaverService, u"/org/freedesktop/ScreenSaver"_s,
                             ScreenSaverService, m_bus);
        saver.call(u"UnInhibit"_s, m_cookie);
        m_cookie = 0;
    }

    ~DBusScreenAwake() override { release(); }

private:
    QDBusConnection m_bus;
    uint m_cookie = 0;
};

class NoScreenAwake : public ScreenAwake {
public:
    Mechanism mechanism() const override { return Mechanism::None; }
    void hold() override {}
    void release() override {}
    bool isHolding() const override { return false; }
};

} // namespace

// The X server's own blanking and power saving, switched off while held and
// put back as they were on release.
class X11ScreenAwake : public ScreenAwake {
public:
    explicit X11ScreenAwake(std::unique_ptr<X11ScreenSettings> settings)
        : m_settings(std::move(settings)) {}
    ~X11ScreenAwake() override { release(); }

    Mechanism mechanism() const override { return Mechanism::X11; }
    bool isHolding() const override { return m_holding; }

    void hold() override {
        if (m_holding)
            return;
        m_savedScreenSaver = m_settings->screenSaver();
        if (m_savedScreenSaver) {
            X11ScreenSettings::ScreenSaver off = *m_savedScreenSaver;
            off.timeout = 0;
            m_settings->setScreenSaver(off);
        }
        m_savedDpms = m_settings->dpmsEnabled();
        if (m_savedDpms.value_or(false))
            m_settings->setDpmsEnabled(false);
        m_holding = true;
    }

    void release() override {
        if (!m_holding)
            return;
        if (m_savedScreenSaver)
            m_settings->setScreenSaver(*m_savedScreenSaver);
        if (m_savedDpms.value_or(false))
            m_settings->setDpmsEnabled(true);
        m_holding = false;
    }

private:
    std::unique_ptr<X11ScreenSettings> m_settings;
    std::optional<X11ScreenSettings::ScreenSaver> m_savedScreenSaver;
    std::optional<bool> m_savedDpms;
    bool m_holding = false;
};

std::unique_ptr<ScreenAwake> makeX11ScreenAwake(std::unique_ptr<X11ScreenSettings> settings) {
    return std::make_unique<X11ScreenAwake>(std::move(settings));
}

std::unique_ptr<ScreenAwake> makeDBusScreenAwake(const QDBusConnection& bus) {
    return std::make_unique<DBusScreenAwake>(bus);
}

std::unique_ptr<ScreenAwake> ScreenAwake::forSession() {
    const QDBusConnection bus = QDBusConnection::sessionBus();
    if (bus.isConnected() && bus.interface() &&
        bus.interface()->isServiceRegistered(ScreenSaverService))
        return makeDBusScreenAwake(bus);
#ifdef Q_OS_LINUX
    if (auto x11 = XcbScreenSettings::forApplication())
        return makeX11ScreenAwake(std::move(x11));
#endif
    qCInfo(lcWall).noquote() << "Sem forma de manter o ecrã ligado nesta sessão (plataforma"
                             << QGuiApplication::platformName() + u")"_s;
    return std::make_unique<NoScreenAwake>();
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
    case ScreenAwake::Mechanism::None:
        break;
    }
    return u"esta sessão não o permite; o ecrã fica entregue à sessão"_s;
}

} // namespace assi
