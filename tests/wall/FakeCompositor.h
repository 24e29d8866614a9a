#pragma once

#include <QList>
#include <QMutex>
#include <QSize>
#include <QString>
#include <atomic>
#include <thread>
#include <vector>

struct wl_display;

namespace assi::test {

// What one output says of itself when bound.
struct FakeOutput {
    QSize pixels;
    QSize millimetres;
    int scale = 1;
    int transform = 0;
};

// A Wayland compositor of the tests' own, on a socket in XDG_RUNTIME_DIR,
// served on a thread: its outputs, and, when asked, a seat whose pointer
// enters the first surface a client makes. Every other request is
// accepted and ignored, so a real client (Qt) can run on it without a shell.
class FakeCompositor {
public:
    static constexpr char SocketName[] = "assi-test-wayland";

    explicit FakeCompositor(QList<FakeOutput> outputs, bool withPointer = false);
    ~FakeCompositor();
    FakeCompositor(const FakeCompositor&) = delete;
    FakeCompositor& operator=(const FakeCompositor&) = delete;

    // What the clients asked the pointer to show, in order: "none" (no
    // image), or the cursor surface's last drawing: "visible image",
    // "transparent image", "undrawn" until it is drawn.
    QList<QString> cursorRequests() const;

    // Used by the protocol handlers, on the compositor's thread.
    struct State;
    struct OutputGlobal {
        FakeOutput output;
        State* state;
    };

private:
    std::vector<OutputGlobal> m_outputs;
    wl_display* m_display;
    State* m_state;
    std::atomic<bool> m_stop = false;
    std::thread m_thread;
};

} // namespace assi::test
