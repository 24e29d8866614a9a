#pragma once

#include "wall/ScreenAwake.h"

#include <QDBusConnection>
#include <QObject>
#include <QTimer>
#include <chrono>
#include <functional>
#include <optional>

class QDBusPendingCallWatcher;

namespace assi {

/// Holds the screen through the desktop's org.freedesktop.ScreenSaver service
/// without ever waiting on it: a service that hangs must not freeze the board.
/// Follows the service's owner on the bus, so a restarted service, or one that
/// comes after the board, is asked again; a refusal is asked again later,
/// less and less often.
class DBusScreenAwake : public QObject, public ScreenAwake {
public:
    explicit DBusScreenAwake(const QDBusConnection& bus, QObject* parent = nullptr);
    ~DBusScreenAwake() override;

    Mechanism mechanism() const override { return Mechanism::DBus; }
    void hold() override;
    void release() override;
    /// Only while the present owner of the service has given a cookie.
    bool isHolding() const override { return m_cookie.has_value(); }
    bool isAsking() const override { return m_asking; }

    /// Whether the service has an owner on the bus now.
    bool hasService() const { return !m_owner.isEmpty(); }
    /// Whether the last request to the present owner went unanswered or was refused.
    bool hasFailed() const { return m_failed; }
    /// `onChange` is called after the service comes or goes, and after a hold
    /// starts or fails.
    void setOnChange(std::function<void()> onChange) { m_onChange = std::move(onChange); }

private:
    void findOwner();
    void followOwner(const QString& oldOwner, const QString& newOwner);
    void inhibit();
    void inhibitAnswered(QDBusPendingCallWatcher* call, const QString& owner, quint64 generation);
    void retryLater();
    void sendToService(const QString& owner, const QString& method,
                       const QVariantList& arguments) const;
    void changed();

    QDBusConnection m_bus;
    QString m_owner;          // the service's unique name on the bus; empty when it has none
    quint64 m_generation = 0; // counts owners, so a late answer of a former one is known
    std::optional<uint> m_cookie;
    bool m_wanted = false;
    bool m_asking = false;
    bool m_failed = false;
    QTimer m_retry;
    std::chrono::seconds m_retryDelay;
    std::function<void()> m_onChange;
};

} // namespace assi
