#pragma once

#include <QString>

namespace assi {

/// The first `count` characters of `text`, counting Unicode code points, so a
/// cut never splits a surrogate pair. A negative count or a count no smaller
/// than the text's length returns the text whole.
QString cutToCharacters(const QString& text, int count);

} // namespace assi
