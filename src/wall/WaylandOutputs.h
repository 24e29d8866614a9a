#pragma once

#include <QList>
#include <QSize>
#include <QSizeF>
#include <optional>

namespace assi {

/// A screen as the Wayland compositor announces it (wl_output), turned as it
/// is shown.
struct WaylandOutput {
    /// The current mode, in the output's own pixels.
    QSize pixels;
    /// The physical size; empty when the compositor does not know it.
    QSizeF millimetres;
    int scale = 1;
};

/// How long a compositor is given to announce its outputs before start-up
/// goes on without them.
constexpr int WaylandOutputsTimeoutMilliseconds = 2000;

/// The outputs of the compositor `displayName` names (as WAYLAND_DISPLAY
/// would), read on a connection of our own, before Qt opens its: null when
/// none can be reached or it does not answer within `timeoutMilliseconds`
/// (said in the log).
std::optional<QList<WaylandOutput>> readWaylandOutputs(const QByteArray& displayName,
                                                       int timeoutMilliseconds);

/// The output with the most pixels. A board that fills every output is read
/// on the largest one (a wall display beside a small panel), so its size
/// decides.
std::optional<WaylandOutput> largestOutput(const QList<WaylandOutput>& outputs);

} // namespace assi
