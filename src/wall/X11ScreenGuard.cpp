#include "wall/X11ScreenGuard.h"

#include "wall/Logging.h"
#include "wall/X11HoldRecord.h"

#ifdef Q_OS_LINUX
#include "wall/XcbScreenSettings.h"

#include <cerrno>
#include <csignal>
#include <cstdint>
#include <fcntl.h>
#include <sys/prctl.h>
#include <sys/socket.h>
#include <unistd.h>
#endif

namespace assi {

#ifdef Q_OS_LINUX

namespace {

// What the board tells its guardian: a hold with what it will put back, or
// that everything is back. Unknown values are -1.
struct Message {
    int32_t held = 0;
    int32_t timeout = -1;
    int32_t interval = 0;
    int32_t preferBlanking = 0;
    int32_t allowExposures = 0;
    int32_t dpms = -1;
};

// The guardian's end of the socket, where its few descriptors are put.
constexpr int GuardianSocket = 3;

Message messageFor(const X11HoldWitness::Originals* held) {
    Message message;
    if (!held)
        return message;
    message.held = 1;
    if (const auto& saver = held->screenSaver) {
        message.timeout = saver->timeout;
        message.interval = saver->interval;
        message.preferBlanking = saver->preferBlanking;
        message.allowExposures = saver->allowExposures;
    }
    if (held->dpms)
        message.dpms = *held->dpms ? 1 : 0;
    return message;
}

X11HoldWitness::Originals originalsIn(const Message& message) {
    X11HoldWitness::Originals originals;
    if (message.timeout >= 0)
        originals.screenSaver = X11ScreenSettings::ScreenSaver{
            message.timeout, message.interval, message.preferBlanking, message.allowExposures};
    if (message.dpms >= 0)
        originals.dpms = message.dpms == 1;
    return originals;
}

// The board died holding: its settings go back, unless a board started since
// has begun a hold of its own, which now answers for them.
void putBack(const X11HoldWitness::Originals& originals, pid_t board) {
    X11HoldRecord record = X11HoldRecord::forDisplay();
    const std::optional<X11HoldRecord::Entry> entry = record.read();
    if (entry && entry->holder != board)
        return;
    // A server that cannot be reached now keeps the word for the next board.
    auto settings = XcbScreenSettings::forDisplay(nullptr);
    if (!settings)
        return;
    if (originals.screenSaver)
        settings->setScreenSaver(*originals.screenSaver);
    if (originals.dpms.value_or(false))
        settings->setDpmsEnabled(true);
    record.clear();
    qCWarning(lcWall).noquote()
        << (originals.dpms.value_or(false)
                ? "O quadro terminou sem devolver o ecrã: a proteção de ecrã e o DPMS do "
                  "servidor X foram repostos como estavam."
                : "O quadro terminou sem devolver o ecrã: a proteção de ecrã do servidor X "
                  "foi reposta como estava.");
}

[[noreturn]] void runGuardian(int socket, pid_t board) {
    // Ended with the board's process group or session, it would leave the
    // screen it is there for; the board ending is what ends it.
    std::signal(SIGINT, SIG_IGN);
    std::signal(SIGTERM, SIG_IGN);
    std::signal(SIGHUP, SIG_IGN);
    std::signal(SIGPIPE, SIG_IGN);
    ::prctl(PR_SET_NAME, "assi-guard");
    // Nothing of the board's is held open (its terminal, the files it was
    // given, sockets): stderr stays, for the log.
    const int kept = ::fcntl(socket, F_DUPFD, GuardianSocket + 1);
    const int null = ::open("/dev/null", O_RDWR);
    if (kept < 0 || null < 0)
        ::_exit(1);
    ::dup2(null, STDIN_FILENO);
    ::dup2(null, STDOUT_FILENO);
    ::dup2(kept, GuardianSocket);
    ::close_range(GuardianSocket + 1, ~0U, 0);

    std::optional<X11HoldWitness::Originals> held;
    for (;;) {
        Message message;
        const ssize_t size = ::recv(GuardianSocket, &message, sizeof message, 0);
        if (size < 0 && errno == EINTR)
            continue;
        if (size != ssize_t(sizeof message))
            break; // the board has gone
        held = message.held ? std::optional(originalsIn(message)) : std::nullopt;
    }
    if (held)
        putBack(*held, board);
    ::_exit(0);
}

X11ScreenGuard* processGuard = nullptr;

} // namespace

void X11ScreenGuard::start() {
    if (processGuard || qEnvironmentVariableIsEmpty("DISPLAY"))
        return;
    const QByteArray platform = qgetenv("QT_QPA_PLATFORM");
    if (!platform.isEmpty() && !platform.startsWith("xcb"))
        return;
    int sockets[2];
    if (::socketpair(AF_UNIX, SOCK_SEQPACKET | SOCK_CLOEXEC, 0, sockets) != 0) {
        qCWarning(lcWall).noquote()
            << "Sem guarda do ecrã do servidor X (socketpair:" << qt_error_string(errno) + u')';
        return;
    }
    const pid_t board = ::getpid();
    const pid_t guardian = ::fork();
    if (guardian == 0) {
        ::close(sockets[0]);
        runGuardian(sockets[1], board);
    }
    ::close(sockets[1]);
    if (guardian < 0) {
        qCWarning(lcWall).noquote()
            << "Sem guarda do ecrã do servidor X (fork:" << qt_error_string(errno) + u')';
        ::close(sockets[0]);
        return;
    }
    // Never destroyed: its socket closes with the process, whatever ends it.
    processGuard = new X11ScreenGuard(sockets[0]);
    X11ScreenAwake::setProcessWitness(processGuard);
}

X11ScreenGuard::X11ScreenGuard(int socket) : m_socket(socket) {}

X11ScreenGuard::~X11ScreenGuard() {
    ::close(m_socket);
}

std::optional<X11HoldWitness::Originals> X11ScreenGuard::beginHold() {
    m_record = std::make_unique<X11HoldRecord>(X11HoldRecord::forDisplay());
    if (const std::optional<X11HoldRecord::Entry> entry = m_record->read())
        return entry->originals;
    return std::nullopt;
}

void X11ScreenGuard::holding(const Originals& originals) {
    // The record first: a board that dies between the two leaves word for
    // the next one, and a guardian that has not been told does nothing.
    if (m_record)
        m_record->write({::getpid(), originals});
    m_record.reset();
    tell(&originals);
}

void X11ScreenGuard::released() {
    tell(nullptr);
    X11HoldRecord record = X11HoldRecord::forDisplay();
    // Word of another board's hold stays; an empty record goes too.
    if (const std::optional<X11HoldRecord::Entry> entry = record.read();
        !entry || entry->holder == ::getpid())
        record.clear();
}

void X11ScreenGuard::tell(const Originals* held) {
    // Never waits: a guardian that is gone or stuck leaves the board as it
    // was before there were guardians.
    const Message message = messageFor(held);
    (void)::send(m_socket, &message, sizeof message, MSG_NOSIGNAL | MSG_DONTWAIT);
}

#else

void X11ScreenGuard::start() {}

#endif

} // namespace assi
