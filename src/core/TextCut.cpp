#include "core/TextCut.h"

namespace assi {

QString cutToCharacters(const QString& text, int count) {
    if (count < 0 || count >= text.size())
        return text;
    qsizetype units = 0;
    for (int seen = 0; seen < count && units < text.size(); ++seen) {
        const bool pair = text.at(units).isHighSurrogate() && units + 1 < text.size() &&
                          text.at(units + 1).isLowSurrogate();
        units += pair ? 2 : 1;
    }
    return text.left(units);
}

} // namespace assi
