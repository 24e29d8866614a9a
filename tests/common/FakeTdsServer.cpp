#include "FakeTdsServer.h"

#include <QByteArray>
#include <arpa/inet.h>
#include <cstdint>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

using namespace Qt::StringLiterals;

namespace assi::test {

namespace {

// TDS packet types.
constexpr std::uint8_t SqlBatch = 0x01;
constexpr std::uint8_t Rpc = 0x03;
constexpr std::uint8_t Reply = 0x04;
constexpr std::uint8_t Attention = 0x06;
constexpr std::uint8_t Login7 = 0x10;
constexpr std::uint8_t PreLogin = 0x12;

// DONE status bits.
constexpr std::uint16_t DoneError = 0x0002;
constexpr std::uint16_t DoneAttention = 0x0020;

void putU16(QByteArray& out, std::uint16_t v) {
    out.append(char(v & 0xFF));
    out.append(char(v >> 8));
}

void putU32(QByteArray& out, std::uint32_t v) {
    for (int i = 0; i < 4; ++i)
        out.append(char((v >> (8 * i)) & 0xFF));
}

void putUcs2(QByteArray& out, const QString& text) {
    for (QChar c : text)
        putU16(out, c.unicode());
}

std::uint16_t u16At(const QByteArray& data, qsizetype at) {
    return std::uint16_t(std::uint8_t(data[at]) | (std::uint8_t(data[at + 1]) << 8));
}

QString ucs2At(const QByteArray& data, qsizetype at, qsizetype chars) {
    QString text;
    for (qsizetype i = 0; i < chars && at + 2 * i + 1 < data.size(); ++i)
        text.append(QChar(u16At(data, at + 2 * i)));
    return text;
}

// The statement inside a remote procedure call (FreeTDS sends statements on
// server cursors that way): the longest run of printable UCS-2 text, which is
// enough for a stand-in server.
QString rpcStatement(const QByteArray& payload) {
    QString best;
    for (qsizetype start = 0; start < 2; ++start) {
        QString run;
        for (qsizetype at = start; at + 1 < payload.size(); at += 2) {
            const std::uint16_t c = u16At(payload, at);
            if (c >= 0x20 && c < 0x7F) {
                run.append(QChar(c));
                continue;
            }
            if (run.size() > best.size())
                best = run;
            run.clear();
        }
        if (run.size() > best.size())
            best = run;
    }
    return best;
}

QByteArray done(std::uint16_t status) {
    QByteArray token;
    token.append(char(0xFD));
    putU16(token, status);
    putU16(token, 0);
    putU32(token, 0);
    putU32(token, 0); // row count, 8 bytes from TDS 7.2 on
    return token;
}

QByteArray loginAck() {
    const QString program = u"Microsoft SQL Server"_s;
    QByteArray body;
    body.append(char(1));                         // interface: T-SQL
    body.append(QByteArray::fromHex("74000004")); // TDS 7.4
    body.append(char(program.size()));
    putUcs2(body, program);
    body.append(QByteArray::fromHex("0F0007D0")); // 15.0.2000
    QByteArray token;
    token.append(char(0xAD));
    putU16(token, std::uint16_t(body.size()));
    return token + body;
}

QByteArray errorToken(const QString& message) {
    QByteArray body;
    putU32(body, 18456); // login failed
    body.append(char(1));
    body.append(char(14));
    putU16(body, std::uint16_t(message.size()));
    putUcs2(body, message);
    body.append(char(0)); // server name
    body.append(char(0)); // procedure name
    putU32(body, 1);      // line
    QByteArray token;
    token.append(char(0xAA));
    putU16(token, std::uint16_t(body.size()));
    return token + body;
}

QByteArray preLoginReply() {
    QByteArray payload;
    // VERSION at 11 (6 bytes), ENCRYPTION at 17 (1 byte): not supported.
    payload.append(QByteArray::fromHex("00000B0006"
                                       "0100110001"
                                       "FF"));
    payload.append(QByteArray::fromHex("0F0007D00000"));
    payload.append(char(2));
    return payload;
}

bool sendPacket(int fd, const QByteArray& payload) {
    QByteArray packet;
    packet.append(char(Reply));
    packet.append(char(1)); // end of message
    const int length = int(payload.size()) + 8;
    packet.append(char(length >> 8));
    packet.append(char(length & 0xFF));
    packet.append(QByteArray::fromHex("00000100"));
    packet.append(payload);
    return ::send(fd, packet.constData(), size_t(packet.size()), MSG_NOSIGNAL) == packet.size();
}

} // namespace

FakeTdsServer::FakeTdsServer(Mode mode) : m_mode(mode) {
    m_listener = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    address.sin_port = 0;
    socklen_t size = sizeof address;
    if (m_listener < 0 || ::bind(m_listener, reinterpret_cast<sockaddr*>(&address), size) != 0 ||
        ::listen(m_listener, 8) != 0 ||
        ::getsockname(m_listener, reinterpret_cast<sockaddr*>(&address), &size) != 0)
        return;
    m_port = ntohs(address.sin_port);
    m_thread = std::thread([this] { run(); });
}

FakeTdsServer::~FakeTdsServer() {
    m_stop = true;
    if (m_thread.joinable())
        m_thread.join();
    if (m_listener >= 0)
        ::close(m_listener);
}

void FakeTdsServer::setLoginError(const QString& message) {
    std::lock_guard lock(m_mutex);
    m_loginError = message;
}

void FakeTdsServer::setStuckMarker(const QString& marker) {
    std::lock_guard lock(m_mutex);
    m_stuckMarker = marker;
}

QString FakeTdsServer::loginUser() const {
    std::lock_guard lock(m_mutex);
    return m_user;
}

QString FakeTdsServer::loginPassword() const {
    std::lock_guard lock(m_mutex);
    return m_password;
}

QString FakeTdsServer::loginDatabase() const {
    std::lock_guard lock(m_mutex);
    return m_database;
}

QStringList FakeTdsServer::statements() const {
    std::lock_guard lock(m_mutex);
    return m_statements;
}

void FakeTdsServer::run() {
    while (!m_stop) {
        pollfd waiting{m_listener, POLLIN, 0};
        if (::poll(&waiting, 1, 50) <= 0)
            continue;
        const int client = ::accept(m_listener, nullptr, nullptr);
        if (client < 0)
            continue;
        serve(client);
        ::close(client);
    }
}

void FakeTdsServer::trickle(int client) {
    // A reply packet longer than anyone will wait for, one byte at a time:
    // every read succeeds, so no per-read timeout ever expires.
    constexpr std::uint16_t longest = 4096; // the packet size a client always accepts
    QByteArray header;
    header.append(char(Reply));
    header.append(char(0)); // not the last packet
    header.append(char(longest >> 8));
    header.append(char(longest & 0xFF));
    header.append(QByteArray::fromHex("00000100"));
    constexpr int ticksPerByte = 20; // of 50 ms
    for (qsizetype sent = 0; !m_stop; ++sent) {
        const char byte = sent < header.size() ? header[sent] : char(0);
        if (::send(client, &byte, 1, MSG_NOSIGNAL) != 1)
            return;
        for (int tick = 0; tick < ticksPerByte && !m_stop; ++tick)
            ::poll(nullptr, 0, 50);
    }
}

// Gathers whole packets until one marked last ends a message; false when
// the client goes away or the server stops.
bool FakeTdsServer::readMessage(int client, QByteArray& buffer, std::uint8_t& type,
                                QByteArray& payload) {
    payload.clear();
    for (;;) {
        while (buffer.size() < 8 ||
               buffer.size() < ((std::uint8_t(buffer[2]) << 8) | std::uint8_t(buffer[3]))) {
            pollfd readable{client, POLLIN, 0};
            if (m_stop)
                return false;
            if (::poll(&readable, 1, 50) <= 0)
                continue;
            char chunk[4096];
            const ssize_t got = ::recv(client, chunk, sizeof chunk, 0);
            if (got <= 0)
                return false;
            buffer.append(chunk, got);
        }
        const int length = (std::uint8_t(buffer[2]) << 8) | std::uint8_t(buffer[3]);
        type = std::uint8_t(buffer[0]);
        const bool last = (std::uint8_t(buffer[1]) & 0x01) != 0;
        payload.append(buffer.mid(8, length - 8));
        buffer.remove(0, length);
        if (last)
            return true;
    }
}

void FakeTdsServer::answerLogin(int client, const QByteArray& payload) {
    QString loginError;
    {
        std::lock_guard lock(m_mutex);
        loginError = m_loginError;
        if (payload.size() >= 72) {
            m_user = ucs2At(payload, u16At(payload, 40), u16At(payload, 42));
            QByteArray password = payload.mid(u16At(payload, 44), 2 * u16At(payload, 46));
            for (char& b : password) {
                const std::uint8_t x = std::uint8_t(b) ^ 0xA5;
                b = char(((x & 0x0F) << 4) | (x >> 4));
            }
            m_password = ucs2At(password, 0, password.size() / 2);
            m_database = ucs2At(payload, u16At(payload, 68), u16At(payload, 70));
        }
    }
    if (m_mode == Mode::RejectLogin)
        sendPacket(client, errorToken(loginError) + done(DoneError));
    else
        sendPacket(client, loginAck() + done(0));
}

void FakeTdsServer::answerStatement(int client, std::uint8_t type, const QByteArray& payload) {
    // Skip ALL_HEADERS (its first DWORD is its own length).
    const qsizetype headers =
        payload.size() >= 4 ? qsizetype(u16At(payload, 0) | (u16At(payload, 2) << 16)) : 0;
    const QString sql = type == SqlBatch ? ucs2At(payload, headers, (payload.size() - headers) / 2)
                                         : rpcStatement(payload.mid(headers));
    bool stuck = false;
    {
        std::lock_guard lock(m_mutex);
        m_statements.append(sql);
        stuck = !m_stuckMarker.isEmpty() && sql.contains(m_stuckMarker);
    }
    if (!stuck)
        sendPacket(client, done(0));
}

void FakeTdsServer::serve(int client) {
    QByteArray buffer;
    QByteArray payload;
    std::uint8_t type = 0;
    while (readMessage(client, buffer, type, payload)) {
        if (m_mode == Mode::Silent)
            continue;
        if (m_mode == Mode::Trickle)
            return trickle(client);

        switch (type) {
        case PreLogin:
            sendPacket(client, preLoginReply());
            break;
        case Login7:
            answerLogin(client, payload);
            break;
        case SqlBatch:
        case Rpc:
            answerStatement(client, type, payload);
            break;
        case Attention:
            sendPacket(client, done(DoneAttention));
            break;
        default:
            sendPacket(client, done(0));
            break;
        }
    }
}

} // namespace assi::test
