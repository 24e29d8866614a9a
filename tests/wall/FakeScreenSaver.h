#pragma once

#include <QDBusConnection>
#include <QDBusContext>
#include <QObject>
#include <QStringList>

namespace assi::test {

// A stand-in for the desktop's screen saver service: it answers, refuses, or
// takes every request and never answers, as a hung one does.
class FakeScreenSaver : public QObject, protected QDBusContext {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.ScreenSaver")
public:
    enum class Manner { Answers, Refuses, Hangs };

    explicit FakeScreenSaver(uint firstCookie = 42, Manner manner = Manner::Answers)
        : nextCookie(firstCookie), manner(manner) {}

    // Offers the service on `bus`; false when it cannot.
    bool serveOn(QDBusConnection bus) {
        m_bus = bus;
        return bus.registerObject(QStringLiteral("/org/freedesktop/ScreenSaver"), this,
                                  QDBusConnection::ExportAllSlots) &&
               bus.registerService(QStringLiteral("org.freedesktop.ScreenSaver"));
    }
    // Gives the service up, as a desktop's does when it ends.
    void stop() {
        m_bus.unregisterService(QStringLiteral("org.freedesktop.ScreenSaver"));
        m_bus.unregisterObject(QStringLiteral("/org/freedesktop/ScreenSaver"));
    }

    QStringList held; // "application: reason" per Inhibit, "released N" per UnInhibit
    int inhibits = 0;
    int activity = 0; // SimulateUserActivity calls
    uint nextCookie;
    Manner manner;

public Q_SLOTS:
    uint Inhibit(const QString& application, const QString& reason) {
        ++inhibits;
        if (manner == Manner::Hangs) {
            setDelayedReply(true);
            return 0;
        }
        if (manner == Manner::Refuses) {
            sendErrorReply(QDBusError::AccessDenied, QStringLiteral("not now"));
            return 0;
        }
        held << application + QStringLiteral(": ") + reason;
        return nextCookie++;
    }
    void UnInhibit(uint cookie) { held << QStringLiteral("released %1").arg(cookie); }
    void SimulateUserActivity() { ++activity; }

private:
    QDBusConnection m_bus{QString()};
};

} // namespace assi::test
