#pragma once

#include <QString>

class QImage;

namespace assi {

// Writes `image` to `path` (PNG, unless the name asks for another format Qt
// writes) by way of a temporary file beside it, renamed over `path` only once
// whole: a full disk or an interrupted write leaves the earlier file intact.
// Returns what went wrong, naming the file and why; empty when written.
QString saveSnapshot(const QImage& image, const QString& path);

} // namespace assi
