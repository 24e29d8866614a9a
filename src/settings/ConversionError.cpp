#include "settings/ConversionError.h"

#include "core/EscapedText.h"
#include "core/TextCut.h"

namespace assi {

using namespace Qt::StringLiterals;

namespace {
// Values may be of any length; a message is read on a status line.
constexpr int MaxQuotedCharacters = 80;
} // namespace

ConversionError::ConversionError(Kind kind, QString range)
    : m_kind(kind), m_range(std::move(range)) {}

QString ConversionError::describe(const QString& text) const {
    const QString cut = cutToCharacters(text, MaxQuotedCharacters);
    QString quoted = escapeControlCharacters(cut);
    if (cut.size() < text.size())
        quoted += u"…"_s;
    quoted = u"\""_s + quoted + u"\""_s;
    if (m_kind == Kind::NotANumber)
        return u"%1 não é um número"_s.arg(quoted);
    if (m_kind == Kind::Malformed)
        return u"%1 não é %2"_s.arg(quoted, m_range);
    if (m_range.isEmpty())
        return u"%1 está fora do intervalo"_s.arg(quoted);
    return u"%1 está fora do intervalo (%2)"_s.arg(quoted, m_range);
}

const char* ConversionError::what() const noexcept {
    switch (m_kind) {
    case Kind::NotANumber:
        return "not a number";
    case Kind::OutOfRange:
        return "out of range";
    case Kind::Malformed:
        break;
    }
    return "malformed";
}

} // namespace assi
