#include "core/EscapedText.h"

using namespace Qt::StringLiterals;

namespace assi {

namespace {

constexpr char16_t Delete = 0x7F;

// Tabs and line ends are kept: messages are laid out with them.
bool isControl(QChar c) {
    return (c.unicode() < u' ' && c != u'\t' && c != u'\n') || c.unicode() == Delete;
}

} // namespace

QString escapeControlCharacters(QStringView text) {
    QString escaped;
    escaped.reserve(text.size());
    for (const QChar c : text) {
        if (c.unicode() == 0)
            escaped += u"\\0"_s;
        else if (isControl(c))
            escaped +=
                u"\\x"_s + QString::number(c.unicode(), 16).rightJustified(2, u'0').toUpper();
        else
            escaped += c;
    }
    return escaped;
}

} // namespace assi
