#pragma once

#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTest>

namespace assi::test {

// An X server of the test's own, gone with it.
class PrivateXServer {
public:
    PrivateXServer() {
        const QString xvfb = QStandardPaths::findExecutable(QStringLiteral("Xvfb"));
        if (xvfb.isEmpty() || QStandardPaths::findExecutable(QStringLiteral("xset")).isEmpty())
            return;
        // The server picks a free display itself and says which on stdout. It
        // must not reset when its last client leaves: a reset would put the
        // screen saver back by itself, and refuse connections meanwhile.
        m_server.start(xvfb, {QStringLiteral("-displayfd"), QStringLiteral("1"),
                              QStringLiteral("-nolisten"), QStringLiteral("tcp"),
                              QStringLiteral("-noreset")});
        if (!m_server.waitForStarted() || !m_server.waitForReadyRead(10000))
            return;
        const QString number = QString::fromUtf8(m_server.readLine()).trimmed();
        if (number.isEmpty())
            return;
        m_display = QStringLiteral(":") + number;
        // Named, it may still be a moment from answering.
        for (int attempt = 0; attempt < 50 && query().isEmpty(); ++attempt)
            QTest::qWait(100);
    }
    ~PrivateXServer() {
        // Terminated, not killed: the server removes its lock and socket.
        m_server.terminate();
        if (!m_server.waitForFinished(5000))
            m_server.kill();
    }
    PrivateXServer(const PrivateXServer&) = delete;
    PrivateXServer& operator=(const PrivateXServer&) = delete;

    bool ok() const { return !m_display.isEmpty(); }
    const QString& display() const { return m_display; }

    /// What `xset q` says of the screen saver's timeout, in seconds; -1 when it cannot say.
    int screenSaverTimeout() const {
        static const QRegularExpression timeout(QStringLiteral("timeout:\\s+(\\d+)"));
        const QRegularExpressionMatch match = timeout.match(query());
        return match.hasMatch() ? match.captured(1).toInt() : -1;
    }
    void setScreenSaverTimeout(int seconds) const {
        xset({QStringLiteral("s"), QString::number(seconds), QString::number(seconds)});
    }
    /// Blanks the screen now, as the timeout would.
    void activateScreenSaver() const { xset({QStringLiteral("s"), QStringLiteral("activate")}); }

private:
    void xset(const QStringList& arguments) const {
        QProcess::execute(QStringLiteral("xset"),
                          QStringList{QStringLiteral("-display"), m_display} + arguments);
    }
    QString query() const {
        QProcess xset;
        xset.start(QStringLiteral("xset"),
                   {QStringLiteral("-display"), m_display, QStringLiteral("q")});
        if (!xset.waitForFinished(5000) || xset.exitCode() != 0)
            return {};
        return QString::fromUtf8(xset.readAllStandardOutput());
    }

    QProcess m_server;
    QString m_display;
};

} // namespace assi::test
