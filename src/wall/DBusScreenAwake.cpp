#include "wall/DBusScreenAwake.h"

#include "wall/Logging.h"

#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QDBusServiceWatcher>
#include <algorithm>

using namespace Qt::StringLiterals;
using namespace std::chrono_literals;

namespace assi {

namespace {

const QString ScreenSaverService = u"org.freedesktop.ScreenSaver"_s;
const QString ScreenSaverPath = u"/org/freedesktop/ScreenSaver"_s;

constexpr std::chrono::seconds FirstRetry = 5s;
constexpr std::chrono::seconds LongestRetry = 5min;
// A desktop answers in milliseconds; past this the service is as good as hung.
constexpr int InhibitTimeoutMs = 10000;
// The bus daemon itself, not the service, answers who owns the name: it is
// local and answers at once unless the whole session is broken. The answer
// decides what --check says, so it is waited for, but briefly; without it
// the question is asked again in the background.
constexpr int OwnerQueryTimeoutMs = 1000;

QDBusMessage busDaemonCall(const QString& method, const QString& name) {
    QDBusMessage call = QDBusMessage::createMethodCall(
        u"org.freedesktop.DBus"_s, u"/org/freedesktop/DBus"_s, u"org.freedesktop.DBus"_s, method);
    call << name;
    return call;
}

} // namespace

DBusScreenAwake::DBusScreenAwake(const QDBusConnection& bus, QObject* parent)
    : QObject(parent), m_bus(bus), m_retryDelay(FirstRetry) {
    m_retry.setSingleShot(true);
    connect(&m_retry, &QTimer::timeout, this, [this] {
        if (m_wanted)
            inhibit();
    });
    // Watched before the owner is asked for, so no change falls between the two.
    auto* watcher = new QDBusServiceWatcher(ScreenSaverService, m_bus,
                                            QDBusServiceWatcher::WatchForOwnerChange, this);
    connect(watcher, &QDBusServiceWatcher::serviceOwnerChanged, this,
            [this](const QString&, const QString& oldOwner, const QString& newOwner) {
                followOwner(oldOwner, newOwner);
            });
    findOwner();
}

// Nothing is waited for: the cookie is handed back without waiting for an
// answer, and an Inhibit still unanswered is let go by the service when the
// board's bus connection ends.
DBusScreenAwake::~DBusScreenAwake() {
    m_onChange = nullptr;
    release();
}

void DBusScreenAwake::findOwner() {
    const QDBusMessage answer = m_bus.call(busDaemonCall(u"GetNameOwner"_s, ScreenSaverService),
                                           QDBus::Block, OwnerQueryTimeoutMs);
    if (answer.type() == QDBusMessage::ReplyMessage && !answer.arguments().isEmpty()) {
        m_owner = answer.arguments().constFirst().toString();
        return;
    }
    if (answer.errorName() == u"org.freedesktop.DBus.Error.NameHasNoOwner"_s)
        return;
    qCWarning(lcWall).noquote() << "O barramento da sessão não disse a tempo se há serviço de "
                                   "proteção de ecrã; continua a perguntar:"
                                << answer.errorMessage();
    const quint64 generation = m_generation;
    auto* call = new QDBusPendingCallWatcher(
        m_bus.asyncCall(busDaemonCall(u"GetNameOwner"_s, ScreenSaverService)), this);
    connect(call, &QDBusPendingCallWatcher::finished, this, [this, generation](auto* finished) {
        finished->deleteLater();
        const QDBusPendingReply<QString> owner = *finished;
        // A change seen meanwhile is newer than this answer.
        if (owner.isValid() && generation == m_generation)
            followOwner(QString(), owner.value());
    });
}

void DBusScreenAwake::followOwner(const QString& oldOwner, const QString& newOwner) {
    ++m_generation;
    // An owner that gave the name up may still be running: it lets go too.
    if (m_cookie && !oldOwner.isEmpty())
        sendToService(oldOwner, u"UnInhibit"_s, {*m_cookie});
    m_cookie.reset();
    m_asking = false;
    m_failed = false;
    m_retry.stop();
    m_retryDelay = FirstRetry;
    m_owner = newOwner;
    if (newOwner.isEmpty())
        qCInfo(lcWall) << "O serviço de proteção de ecrã do ambiente de trabalho terminou.";
    else
        qCInfo(lcWall) << "O serviço de proteção de ecrã do ambiente de trabalho está presente.";
    if (m_wanted && hasService())
        inhibit();
    changed();
}

void DBusScreenAwake::hold() {
    m_wanted = true;
    // Asked already, or waiting to ask again: the minute's tick adds nothing.
    if (m_cookie || m_asking || m_retry.isActive() || !hasService())
        return;
    inhibit();
}

void DBusScreenAwake::release() {
    m_wanted = false;
    m_retry.stop();
    if (!m_cookie)
        return;
    sendToService(m_owner, u"UnInhibit"_s, {*m_cookie});
    m_cookie.reset();
    changed();
}

void DBusScreenAwake::inhibit() {
    QDBusMessage call =
        QDBusMessage::createMethodCall(m_owner, ScreenSaverPath, ScreenSaverService, u"Inhibit"_s);
    call << u"assi"_s << u"Quadro da assistência em horário de funcionamento"_s;
    call.setAutoStartService(false);
    m_asking = true;
    auto* watcher = new QDBusPendingCallWatcher(m_bus.asyncCall(call, InhibitTimeoutMs), this);
    connect(watcher, &QDBusPendingCallWatcher::finished, this,
            [this, owner = m_owner, generation = m_generation](QDBusPendingCallWatcher* answered) {
                inhibitAnswered(answered, owner, generation);
            });
}

void DBusScreenAwake::inhibitAnswered(QDBusPendingCallWatcher* call, const QString& owner,
                                      quint64 generation) {
    call->deleteLater();
    const QDBusPendingReply<uint> reply = *call;
    const bool current = generation == m_generation;
    if (current)
        m_asking = false;
    // A former owner's cookie, or one no longer wanted, goes straight back.
    if (!current || !m_wanted) {
        if (reply.isValid())
            sendToService(owner, u"UnInhibit"_s, {reply.value()});
        return;
    }
    if (!reply.isValid()) {
        m_failed = true;
        qCWarning(lcWall).noquote()
            << u"O serviço de proteção de ecrã não manteve o ecrã ligado (%1); nova tentativa "
               u"dentro de %2 s."_s.arg(reply.error().message())
                   .arg(m_retryDelay.count());
        retryLater();
        changed();
        return;
    }
    m_cookie = reply.value();
    m_failed = false;
    m_retryDelay = FirstRetry;
    // A screen already blanked stays blank under an inhibit alone.
    sendToService(m_owner, u"SimulateUserActivity"_s, {});
    changed();
}

void DBusScreenAwake::retryLater() {
    m_retry.start(m_retryDelay);
    m_retryDelay = std::min(m_retryDelay * 2, LongestRetry);
}

// Sent without waiting for an answer, which nobody would act on.
void DBusScreenAwake::sendToService(const QString& owner, const QString& method,
                                    const QVariantList& arguments) const {
    QDBusMessage call =
        QDBusMessage::createMethodCall(owner, ScreenSaverPath, ScreenSaverService, method);
    call.setArguments(arguments);
    call.setAutoStartService(false);
    m_bus.send(call);
}

void DBusScreenAwake::changed() {
    if (m_onChange)
        m_onChange();
}

} // namespace assi
