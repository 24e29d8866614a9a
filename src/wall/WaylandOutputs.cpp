#include "wall/WaylandOutputs.h"

#include "wall/Logging.h"

#include <QDeadlineTimer>
#include <cstring>
#include <poll.h>
#include <wayland-client.h>

namespace assi {

namespace {

// wl_output's version 2 brings the scale and the `done` that ends a burst.
constexpr unsigned OutputVersion = 2;

struct BoundOutput {
    wl_output* proxy = nullptr;
    WaylandOutput output;
    bool turned = false;
};

struct Reading {
    QList<BoundOutput*> outputs;
};

void announce(void* data, wl_registry* registry, unsigned name, const char* interface,
              unsigned version);
void forget(void*, wl_registry*, unsigned) {}
const wl_registry_listener registryListener = {&announce, &forget};

void geometry(void* data, wl_output*, int, int, int widthMillimetres, int heightMillimetres, int,
              const char*, const char*, int transform) {
    auto* bound = static_cast<BoundOutput*>(data);
    bound->output.millimetres =
        QSizeF(std::max(widthMillimetres, 0), std::max(heightMillimetres, 0));
    // A screen on its side shows its mode's width as its height.
    bound->turned = transform & WL_OUTPUT_TRANSFORM_90;
}

void mode(void* data, wl_output*, unsigned flags, int width, int height, int) {
    if (flags & WL_OUTPUT_MODE_CURRENT)
        static_cast<BoundOutput*>(data)->output.pixels = QSize(width, height);
}

void done(void*, wl_output*) {}

void scale(void* data, wl_output*, int factor) {
    static_cast<BoundOutput*>(data)->output.scale = factor;
}

// Filled by name: newer headers add events of versions we do not bind.
wl_output_listener makeOutputListener() {
    wl_output_listener listener = {};
    listener.geometry = &geometry;
    listener.mode = &mode;
    listener.done = &done;
    listener.scale = &scale;
    return listener;
}
const wl_output_listener outputListener = makeOutputListener();

void announce(void* data, wl_registry* registry, unsigned name, const char* interface,
              unsigned version) {
    if (std::strcmp(interface, wl_output_interface.name) != 0 || version < OutputVersion)
        return;
    auto* bound = new BoundOutput;
    bound->proxy = static_cast<wl_output*>(
        wl_registry_bind(registry, name, &wl_output_interface, OutputVersion));
    wl_output_add_listener(bound->proxy, &outputListener, bound);
    static_cast<Reading*>(data)->outputs.append(bound);
}

void synced(void* data, wl_callback*, unsigned) {
    *static_cast<bool*>(data) = true;
}
const wl_callback_listener syncListener = {&synced};

// A roundtrip that gives up at `deadline`: libwayland's own would wait for
// ever on a compositor that accepted the connection and then hung.
bool roundtrip(wl_display* display, const QDeadlineTimer& deadline) {
    bool answered = false;
    wl_callback* callback = wl_display_sync(display);
    wl_callback_add_listener(callback, &syncListener, &answered);
    const int fd = wl_display_get_fd(display);
    while (!answered) {
        if (wl_display_prepare_read(display) != 0) {
            if (wl_display_dispatch_pending(display) < 0)
                break;
            continue;
        }
        wl_display_flush(display);
        pollfd readable = {fd, POLLIN, 0};
        const int ready = poll(&readable, 1, int(deadline.remainingTime()));
        if (ready <= 0) {
            wl_display_cancel_read(display);
            break;
        }
        if (wl_display_read_events(display) < 0 || wl_display_dispatch_pending(display) < 0)
            break;
    }
    wl_callback_destroy(callback);
    return answered;
}

} // namespace

std::optional<QList<WaylandOutput>> readWaylandOutputs(const QByteArray& displayName,
                                                       int timeoutMilliseconds) {
    wl_display* display =
        wl_display_connect(displayName.isEmpty() ? nullptr : displayName.constData());
    if (!display) {
        qCInfo(lcWall) << "Sem compositor Wayland em" << displayName << "para medir o ecrã";
        return std::nullopt;
    }
    const QDeadlineTimer deadline(timeoutMilliseconds);
    Reading reading;
    wl_registry* registry = wl_display_get_registry(display);
    wl_registry_add_listener(registry, &registryListener, &reading);
    // The first answer brings the globals, the second what each output said
    // when bound.
    const bool answered = roundtrip(display, deadline) && roundtrip(display, deadline);
    std::optional<QList<WaylandOutput>> outputs;
    if (answered) {
        outputs.emplace();
        for (const BoundOutput* bound : std::as_const(reading.outputs)) {
            WaylandOutput output = bound->output;
            if (bound->turned) {
                output.pixels.transpose();
                output.millimetres.transpose();
            }
            outputs->append(output);
        }
    } else {
        qCWarning(lcWall).noquote()
            << "O compositor Wayland" << displayName << "não descreveu os ecrãs em"
            << timeoutMilliseconds << "ms; a escala automática fica em 100%";
    }
    for (BoundOutput* bound : std::as_const(reading.outputs)) {
        wl_output_destroy(bound->proxy);
        delete bound;
    }
    wl_registry_destroy(registry);
    wl_display_disconnect(display);
    return outputs;
}

std::optional<WaylandOutput> largestOutput(const QList<WaylandOutput>& outputs) {
    std::optional<WaylandOutput> largest;
    for (const WaylandOutput& output : outputs) {
        if (!largest || qint64(output.pixels.width()) * output.pixels.height() >
                            qint64(largest->pixels.width()) * largest->pixels.height())
            largest = output;
    }
    return largest;
}

} // namespace assi
