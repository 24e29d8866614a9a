#pragma once

#include "wall/X11ScreenAwake.h"

#include <memory>
#include <optional>

namespace assi {

class X11HoldRecord;

/// A small process that outlives the board to give a bare X server's screen
/// saver and DPMS back when the board dies holding them, however it dies
/// (kill -9, the watchdog's abort, a crash): the board tells it, through a
/// socket, what each hold will put back and when it has put it back; the
/// socket's end, with a hold still told, has the guardian put it back. The
/// board side is the process's X11HoldWitness, which also keeps the
/// X11HoldRecord a restarted board reads.
class X11ScreenGuard : public X11HoldWitness {
public:
    /// Forks the guardian when the board is to open an X display, and makes
    /// the board side every X11ScreenAwake's witness. A fork copies only the
    /// thread that calls it: call this before any thread exists.
    static void start();

    ~X11ScreenGuard() override;
    std::optional<Originals> beginHold() override;
    void holding(const Originals& originals) override;
    void released() override;

private:
    explicit X11ScreenGuard(int socket);
    void tell(const Originals* held);

    int m_socket;
    std::unique_ptr<X11HoldRecord> m_record; // open and locked from beginHold() to holding()
};

} // namespace assi
