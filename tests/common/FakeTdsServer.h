#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <atomic>
#include <cstdint>
#include <mutex>
#include <thread>

namespace assi::test {

// A stand-in for SQL Server on 127.0.0.1, speaking just enough TDS 7.4 for
// FreeTDS to log in and run statements that return no rows. It records what
// the client sent, so tests can see what really went over the wire.
class FakeTdsServer {
public:
    enum class Mode {
        Accept,      // logs in; every statement succeeds with no rows
        RejectLogin, // answers the login with an error message
        Silent,      // accepts the TCP connection and never answers
        Trickle,     // answers the pre-login with one byte a second, never ending
    };

    explicit FakeTdsServer(Mode mode);
    ~FakeTdsServer();
    FakeTdsServer(const FakeTdsServer&) = delete;
    FakeTdsServer& operator=(const FakeTdsServer&) = delete;

    bool isListening() const { return m_port > 0; }
    int port() const { return m_port; }

    // The error text sent back to a rejected login.
    void setLoginError(const QString& message);
    // Statements holding this text are never answered (until cancelled).
    void setStuckMarker(const QString& marker);

    QString loginUser() const;
    QString loginPassword() const;
    QString loginDatabase() const;
    QStringList statements() const;

private:
    void run();
    void serve(int client);
    bool readMessage(int client, QByteArray& buffer, std::uint8_t& type, QByteArray& payload);
    void answerLogin(int client, const QByteArray& payload);
    void answerStatement(int client, std::uint8_t type, const QByteArray& payload);
    void trickle(int client);

    Mode m_mode;
    int m_listener = -1;
    int m_port = 0;
    std::atomic_bool m_stop{false};
    std::thread m_thread;

    mutable std::mutex m_mutex;
    QString m_loginError;
    QString m_stuckMarker;
    QString m_user;
    QString m_password;
    QString m_database;
    QStringList m_statements;
};

} // namespace assi::test
