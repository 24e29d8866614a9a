#include "FakeCompositor.h"

#include <QHash>
#include <cstring>
#include <wayland-server.h>

namespace assi::test {

struct FakeCompositor::State {
    mutable QMutex mutex;
    // The surface each set_cursor named (null: none), and what each surface
    // last had attached.
    QList<wl_resource*> cursorSurfaces;
    QHash<wl_resource*, QString> drawings;
    wl_resource* pointer = nullptr;
    wl_resource* firstSurface = nullptr;
    bool entered = false;
};

namespace {

int dispatch(const void*, void* target, uint32_t, const wl_message* message,
             wl_argument* arguments);

// The arguments of a request, in its signature's order (a version comes
// first, '?' marks the next one as nullable).
QList<char> argumentTypes(const wl_message* message) {
    QList<char> types;
    for (const char* c = message->signature; *c; ++c) {
        if (std::strchr("iufsonah", *c))
            types.append(*c);
    }
    return types;
}

// Whether a cursor image can be seen: any pixel not wholly transparent.
QString describeDrawing(wl_resource* buffer) {
    wl_shm_buffer* shm = wl_shm_buffer_get(buffer);
    if (!shm || wl_shm_buffer_get_format(shm) != WL_SHM_FORMAT_ARGB8888)
        return QStringLiteral("image");
    wl_shm_buffer_begin_access(shm);
    const auto* pixels = static_cast<const uchar*>(wl_shm_buffer_get_data(shm));
    bool seen = false;
    for (int y = 0; y < wl_shm_buffer_get_height(shm) && !seen; ++y) {
        const auto* row =
            reinterpret_cast<const uint32_t*>(pixels + y * wl_shm_buffer_get_stride(shm));
        for (int x = 0; x < wl_shm_buffer_get_width(shm) && !seen; ++x)
            seen = (row[x] >> 24) != 0;
    }
    wl_shm_buffer_end_access(shm);
    return seen ? QStringLiteral("visible image") : QStringLiteral("transparent image");
}

void forgetResource(wl_resource* resource) {
    auto* state = static_cast<FakeCompositor::State*>(wl_resource_get_user_data(resource));
    if (resource == state->pointer)
        state->pointer = nullptr;
    if (resource == state->firstSurface)
        state->firstSurface = nullptr;
}

wl_resource* createResource(wl_client* client, const wl_interface* interface, int version,
                            uint32_t id, FakeCompositor::State* state) {
    wl_resource* resource = wl_resource_create(client, interface, version, id);
    wl_resource_set_dispatcher(resource, &dispatch, nullptr, state, &forgetResource);
    return resource;
}

void enterWhenReady(FakeCompositor::State* state) {
    if (state->entered || !state->pointer || !state->firstSurface)
        return;
    state->entered = true;
    wl_pointer_send_enter(
        state->pointer,
        wl_display_next_serial(wl_client_get_display(wl_resource_get_client(state->pointer))),
        state->firstSurface, wl_fixed_from_int(10), wl_fixed_from_int(10));
}

// Any request of any object: the objects it makes are made, the destructors
// destroy, and the few the tests watch are noted.
int dispatch(const void*, void* target, uint32_t, const wl_message* message,
             wl_argument* arguments) {
    auto* resource = static_cast<wl_resource*>(target);
    auto* state = static_cast<FakeCompositor::State*>(wl_resource_get_user_data(resource));
    const QByteArray object = wl_resource_get_class(resource);
    const QByteArray request = message->name;
    const QList<char> types = argumentTypes(message);
    wl_resource* made = nullptr;
    QByteArray madeObject;
    for (int i = 0; i < types.size(); ++i) {
        if (types[i] == 'n' && message->types[i]) {
            made = createResource(wl_resource_get_client(resource), message->types[i],
                                  wl_resource_get_version(resource), arguments[i].n, state);
            madeObject = message->types[i]->name;
        }
    }
    const QMutexLocker lock(&state->mutex);
    if (madeObject == "wl_surface" && !state->firstSurface) {
        state->firstSurface = made;
        enterWhenReady(state);
    } else if (madeObject == "wl_pointer") {
        state->pointer = made;
        enterWhenReady(state);
    } else if (object == "wl_pointer" && request == "set_cursor") {
        state->cursorSurfaces.append(reinterpret_cast<wl_resource*>(arguments[1].o));
    } else if (object == "wl_surface" && request == "attach" && arguments[0].o) {
        auto* buffer = reinterpret_cast<wl_resource*>(arguments[0].o);
        if (resource != state->firstSurface)
            state->drawings.insert(resource, describeDrawing(buffer));
        // Never shown, so free again at once.
        wl_buffer_send_release(buffer);
    } else if (madeObject == "wl_callback") {
        // A frame callback: drawn at once.
        wl_callback_send_done(made, 0);
        wl_resource_destroy(made);
    }
    if (request == "destroy" || request == "release")
        wl_resource_destroy(resource);
    return 0;
}

void bindOutput(wl_client* client, void* data, uint32_t version, uint32_t id) {
    const auto* global = static_cast<const FakeCompositor::OutputGlobal*>(data);
    const FakeOutput* output = &global->output;
    wl_resource* resource =
        createResource(client, &wl_output_interface, int(version), id, global->state);
    wl_output_send_geometry(resource, 0, 0, output->millimetres.width(),
                            output->millimetres.height(), WL_OUTPUT_SUBPIXEL_UNKNOWN, "assi",
                            "teste", output->transform);
    // A mode the output can show but does not, then the one it shows.
    wl_output_send_mode(resource, WL_OUTPUT_MODE_PREFERRED, 640, 480, 60000);
    wl_output_send_mode(resource, WL_OUTPUT_MODE_CURRENT, output->pixels.width(),
                        output->pixels.height(), 60000);
    wl_output_send_scale(resource, output->scale);
    wl_output_send_done(resource);
}

void bindCompositor(wl_client* client, void* data, uint32_t version, uint32_t id) {
    createResource(client, &wl_compositor_interface, int(version), id,
                   static_cast<FakeCompositor::State*>(data));
}

void bindSeat(wl_client* client, void* data, uint32_t version, uint32_t id) {
    wl_resource* seat = createResource(client, &wl_seat_interface, int(version), id,
                                       static_cast<FakeCompositor::State*>(data));
    wl_seat_send_capabilities(seat, WL_SEAT_CAPABILITY_POINTER);
}

} // namespace

FakeCompositor::FakeCompositor(QList<FakeOutput> outputs, bool withPointer)
    : m_display(wl_display_create()), m_state(new State) {
    wl_display_add_socket(m_display, SocketName);
    for (const FakeOutput& output : outputs)
        m_outputs.push_back({output, m_state});
    for (OutputGlobal& global : m_outputs)
        wl_global_create(m_display, &wl_output_interface, 3, &global, &bindOutput);
    if (withPointer) {
        wl_display_init_shm(m_display);
        wl_global_create(m_display, &wl_compositor_interface, 4, m_state, &bindCompositor);
        wl_global_create(m_display, &wl_seat_interface, 4, m_state, &bindSeat);
    }
    m_thread = std::thread([this] {
        wl_event_loop* loop = wl_display_get_event_loop(m_display);
        while (!m_stop) {
            wl_event_loop_dispatch(loop, 20);
            wl_display_flush_clients(m_display);
        }
    });
}

FakeCompositor::~FakeCompositor() {
    m_stop = true;
    m_thread.join();
    wl_display_destroy_clients(m_display);
    wl_display_destroy(m_display);
    delete m_state;
}

QList<QString> FakeCompositor::cursorRequests() const {
    const QMutexLocker lock(&m_state->mutex);
    QList<QString> requests;
    for (wl_resource* surface : std::as_const(m_state->cursorSurfaces))
        requests.append(!surface ? QStringLiteral("none")
                                 : m_state->drawings.value(surface, QStringLiteral("undrawn")));
    return requests;
}

} // namespace assi::test
