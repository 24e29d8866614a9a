#include "settings/NumberConversions.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <limits>
#include <optional>
#include <string>

namespace assi {

using namespace Qt::StringLiterals;

namespace {

// Far beyond any double, and keeps the exponent's arithmetic bounded.
constexpr long long MaxExponent = 100000;
// The largest size a grid's fonts take.
constexpr double MaxFontPointSize = 2048.0;
// Beyond the far end of a hall nobody reads a screen; a wall display is at
// least a tablet and at most a cinema's.
constexpr double MaxReadingMetres = 50.0;
constexpr double MinScreenInches = 5.0;
constexpr double MaxScreenInches = 500.0;
// "&H" or "&O" before hexadecimal or octal digits.
constexpr qsizetype RadixPrefixLength = 2;

QString int32Range() {
    return u"de -2147483648 a 2147483647"_s;
}

ConversionError notANumber() {
    return ConversionError(ConversionError::Kind::NotANumber);
}
ConversionError outOfRange(const QString& range) {
    return ConversionError(ConversionError::Kind::OutOfRange, range);
}

bool isBlank(QChar c) {
    return c == u' ' || c == u'\t' || c == u'\r' || c == u'\n' || c == u'\v' || c == u'\f';
}

QStringView trimBlanks(QStringView s) {
    while (!s.isEmpty() && isBlank(s.front()))
        s = s.sliced(1);
    while (!s.isEmpty() && isBlank(s.back()))
        s.chop(1);
    return s;
}

bool isDigit(QChar c) {
    return c >= u'0' && c <= u'9';
}

int digitValue(QChar c, int radix) {
    const char16_t u = c.unicode();
    int value = radix;
    if (u >= u'0' && u <= u'9')
        value = u - u'0';
    else if (u >= u'a' && u <= u'f')
        value = u - u'a' + 10;
    else if (u >= u'A' && u <= u'F')
        value = u - u'A' + 10;
    return value < radix ? value : -1;
}

qsizetype countDigits(QStringView s, qsizetype pos) {
    qsizetype end = pos;
    while (end < s.size() && isDigit(s[end]))
        ++end;
    return end - pos;
}

// The radix of an "&H" or "&O" prefix at the start of `s`, or 0.
int radixOfPrefix(QStringView s) {
    if (s.size() < RadixPrefixLength || s[0] != u'&')
        return 0;
    if (s[1] == u'H' || s[1] == u'h')
        return 16;
    if (s[1] == u'O' || s[1] == u'o')
        return 8;
    return 0;
}

// Reads radix digits from `pos` on; the value is the 32-bit pattern they spell.
double readRadixDigits(QStringView s, qsizetype& pos, int radix) {
    std::uint64_t value = 0;
    for (int digit; pos < s.size() && (digit = digitValue(s[pos], radix)) >= 0; ++pos) {
        value = value * std::uint64_t(radix) + std::uint64_t(digit);
        if (value > std::numeric_limits<std::uint32_t>::max())
            throw outOfRange(int32Range());
    }
    return double(std::int32_t(std::uint32_t(value)));
}

// A decimal number as read from a text: value = 0.<digits> x 10^exponent.
struct DecimalParts {
    bool negative = false;
    std::string digits;
    long long exponent = 0;
};

// The length of a group separator at `pos`, or 0. Where the locale separates
// groups with a no-break space, a plain space (what people type) is accepted too.
qsizetype groupSeparatorAt(QStringView s, qsizetype pos, const QString& separator) {
    if (separator.isEmpty() || pos >= s.size())
        return 0;
    if (s.sliced(pos).startsWith(separator))
        return separator.size();
    const bool noBreakSpace = separator == u"\u00A0"_s || separator == u"\u202F"_s;
    return noBreakSpace && s[pos] == u' ' ? 1 : 0;
}

// How a decimal text may be written, beyond [sign] digits [point digits].
struct DecimalSyntax {
    QString decimalSeparator;
    // May stand anywhere in the integer part once a digit is read ("1,2,3");
    // empty when the locale groups no digits.
    QString groupSeparator;
    // "D" as an exponent letter besides "E" (only the leading-number reading).
    bool exponentD = false;
};

bool isExponentLetter(QChar c, bool exponentD) {
    return c == u'E' || c == u'e' || (exponentD && (c == u'D' || c == u'd'));
}

void appendDigits(QStringView s, qsizetype from, qsizetype count, std::string& digits) {
    for (qsizetype i = 0; i < count; ++i)
        digits += char(s[from + i].unicode());
}

// Reads the integer part's digits from `at` on, group separators allowed
// between them once a digit is read. Returns how many digits it read.
qsizetype readIntegerDigits(QStringView s, qsizetype& at, const QString& groupSeparator,
                            std::string& digits) {
    qsizetype count = 0;
    for (;;) {
        const qsizetype run = countDigits(s, at);
        appendDigits(s, at, run, digits);
        at += run;
        count += run;
        const qsizetype separator = count > 0 ? groupSeparatorAt(s, at, groupSeparator) : 0;
        if (separator == 0)
            return count;
        at += separator;
    }
}

// Reads a decimal separator at `at` and the digits after it, unless the
// separator stands alone with no digit on either side.
void readFraction(QStringView s, qsizetype& at, const QString& decimalSeparator,
                  bool afterIntegerDigits, std::string& digits) {
    if (decimalSeparator.isEmpty() || !s.sliced(at).startsWith(decimalSeparator))
        return;
    const qsizetype start = at + decimalSeparator.size();
    const qsizetype count = countDigits(s, start);
    if (count == 0 && !afterIntegerDigits)
        return;
    appendDigits(s, start, count, digits);
    at = start + count;
}

// Reads E [sign] digits at `at`, the value capped at MaxExponent; an exponent
// without digits is left unread and counts as 0.
long long readExponent(QStringView s, qsizetype& at, bool exponentD) {
    if (at >= s.size() || !isExponentLetter(s[at], exponentD))
        return 0;
    qsizetype e = at + 1;
    bool negative = false;
    if (e < s.size() && (s[e] == u'+' || s[e] == u'-'))
        negative = s[e++] == u'-';
    const qsizetype count = countDigits(s, e);
    if (count == 0)
        return 0;
    long long exponent = 0;
    for (qsizetype i = 0; i < count; ++i)
        exponent = std::min(MaxExponent, exponent * 10 + (s[e + i].unicode() - u'0'));
    at = e + count;
    return negative ? -exponent : exponent;
}

// Reads [sign] digits [decimal digits] [E [sign] digits] from `pos` on. An
// exponent without digits is left unread. Returns false when no digit was read.
bool readDecimal(QStringView s, qsizetype& pos, const DecimalSyntax& syntax, DecimalParts& parts) {
    qsizetype at = pos;
    if (at < s.size() && (s[at] == u'+' || s[at] == u'-')) {
        parts.negative = s[at] == u'-';
        ++at;
    }
    const qsizetype integerDigits = readIntegerDigits(s, at, syntax.groupSeparator, parts.digits);
    readFraction(s, at, syntax.decimalSeparator, integerDigits > 0, parts.digits);
    if (parts.digits.empty())
        return false;
    parts.exponent = readExponent(s, at, syntax.exponentD) + integerDigits;
    pos = at;
    return true;
}

double toDouble(DecimalParts parts) {
    const std::size_t leadingZeros =
        std::min(parts.digits.find_first_not_of('0'), parts.digits.size());
    parts.digits.erase(0, leadingZeros);
    if (parts.digits.empty())
        return 0.0;
    parts.exponent -= qsizetype(leadingZeros);

    std::string ascii = parts.negative ? "-0." : "0.";
    ascii += parts.digits;
    ascii += 'e';
    ascii += std::to_string(parts.exponent);
    double value = 0.0;
    const auto [end, error] = std::from_chars(ascii.data(), ascii.data() + ascii.size(), value);
    if (error == std::errc::result_out_of_range) {
        // 0.<digits> lies in [0.1, 1), so the exponent alone tells overflow from underflow.
        if (parts.exponent > 0)
            throw outOfRange(u"número demasiado grande"_s);
        return parts.negative ? -0.0 : 0.0;
    }
    if (error != std::errc() || end != ascii.data() + ascii.size())
        throw notANumber();
    return value;
}

// Takes the currency symbol and the sign off the front (`fromEnd` false) or
// the back of `s`, each at most once in all, with blanks around them.
void takeAffixes(QStringView& s, bool fromEnd, const QString& currency, bool& currencySeen,
                 std::optional<bool>& negative) {
    for (;;) {
        s = trimBlanks(s);
        if (s.isEmpty())
            return;
        if (!currencySeen && !currency.isEmpty() &&
            (fromEnd ? s.endsWith(currency) : s.startsWith(currency))) {
            currencySeen = true;
            s = fromEnd ? s.chopped(currency.size()) : s.sliced(currency.size());
            continue;
        }
        const QChar c = fromEnd ? s.back() : s.front();
        if (!negative && (c == u'+' || c == u'-')) {
            negative = c == u'-';
            s = fromEnd ? s.chopped(1) : s.sliced(1);
            continue;
        }
        return;
    }
}

// The whole text as a number in the regional format (see parseStrictWholeNumber()).
double parseStrictNumber(QStringView text, const RegionalFormat& format) {
    QStringView s = trimBlanks(text);
    qsizetype pos = 0;
    if (const int radix = radixOfPrefix(s)) {
        pos = RadixPrefixLength;
        const double value = readRadixDigits(s, pos, radix);
        if (pos == RadixPrefixLength || pos != s.size())
            throw notANumber();
        return value;
    }

    const bool parenthesised = s.size() >= 2 && s.front() == u'(' && s.back() == u')';
    if (parenthesised)
        s = s.sliced(1, s.size() - 2);
    bool currencySeen = false;
    std::optional<bool> negative;
    takeAffixes(s, false, format.currencySymbol, currencySeen, negative);
    takeAffixes(s, true, format.currencySymbol, currencySeen, negative);
    // One sign at most, and none inside parentheses.
    if (parenthesised && negative)
        throw notANumber();
    if (!s.isEmpty() && (s.front() == u'+' || s.front() == u'-') && (negative || parenthesised))
        throw notANumber();

    DecimalParts parts;
    const DecimalSyntax syntax{format.decimalSeparator, format.groupSeparator, false};
    if (!readDecimal(s, pos, syntax, parts) || pos != s.size())
        throw notANumber();
    if (parenthesised || negative.value_or(false))
        parts.negative = true;
    return toDouble(std::move(parts));
}

bool isValBlank(QChar c) {
    return c == u' ' || c == u'\t' || c == u'\n';
}

// See parseLeadingWholeNumber().
double parseLeadingNumber(QStringView text) {
    // "&H" and "&O" count only with the letter right after the '&': "& HF" is no number.
    qsizetype first = 0;
    while (first < text.size() && isValBlank(text[first]))
        ++first;
    const int radix = radixOfPrefix(text.sliced(first));

    QString compact;
    compact.reserve(text.size());
    for (const QChar c : text) {
        if (!isValBlank(c))
            compact.append(c);
    }
    const QStringView s = compact;
    qsizetype pos = 0;
    if (radix) {
        pos = RadixPrefixLength;
        return readRadixDigits(s, pos, radix);
    }
    DecimalParts parts;
    if (!readDecimal(s, pos, DecimalSyntax{u"."_s, QString(), true}, parts))
        return 0.0;
    return toDouble(std::move(parts));
}

template <typename Int> Int roundToWhole(double value, const QString& range) {
    const double rounded = roundHalfToEven(value);
    if (!(rounded >= double(std::numeric_limits<Int>::min()) &&
          rounded <= double(std::numeric_limits<Int>::max())))
        throw outOfRange(range);
    return Int(rounded);
}

} // namespace

double roundHalfToEven(double value) {
    if (!std::isfinite(value))
        return value;
    if (std::fabs(value - std::trunc(value)) == 0.5)
        return 2.0 * std::round(value / 2.0);
    return std::round(value);
}

std::int32_t parseLeadingWholeNumber(QStringView text) {
    return roundToWhole<std::int32_t>(parseLeadingNumber(text), int32Range());
}

std::int32_t parseStrictWholeNumber(QStringView text, const RegionalFormat& format) {
    return roundToWhole<std::int32_t>(parseStrictNumber(text, format), int32Range());
}

std::int16_t parseWholeNumber16(QStringView text, const RegionalFormat& format) {
    const QString range = u"de -32768 a 32767"_s;
    double value = 0;
    try {
        value = parseStrictNumber(text, format);
    } catch (const ConversionError& error) {
        // "&H" digits past 32 bits fail on the way; the range to quote is still this key's.
        if (error.kind() == ConversionError::Kind::OutOfRange)
            throw outOfRange(range);
        throw;
    }
    return roundToWhole<std::int16_t>(value, range);
}

float parseStrictDecimal(QStringView text, const RegionalFormat& format) {
    const double value = parseStrictNumber(text, format);
    if (std::fabs(value) > double(std::numeric_limits<float>::max()))
        throw outOfRange(u"número demasiado grande"_s);
    return float(value);
}

double parseFontPointSize(QStringView text, const RegionalFormat& format) {
    const double size = parseStrictNumber(text, format);
    if (!(size > 0.0 && size <= MaxFontPointSize))
        throw outOfRange(u"maior que 0 e até 2048"_s);
    return size;
}

double parseReadingDistance(QStringView text, const RegionalFormat& format) {
    const double metres = parseStrictNumber(text, format);
    if (!(metres > 0.0 && metres <= MaxReadingMetres))
        throw outOfRange(u"maior que 0 e até 50 metros"_s);
    return metres;
}

double parseScreenInches(QStringView text, const RegionalFormat& format) {
    const double inches = parseStrictNumber(text, format);
    if (!(inches >= MinScreenInches && inches <= MaxScreenInches))
        throw outOfRange(u"de 5 a 500 polegadas"_s);
    return inches;
}

} // namespace assi
