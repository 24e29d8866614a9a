#include "NumberConversions.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <limits>
#include <string>

namespace assi {

using namespace Qt::StringLiterals;

namespace {

// Far beyond any double, and keeps the exponent's arithmetic bounded.
constexpr long long MaxExponent = 100000;
// The largest size a grid's fonts take.
constexpr double MaxFontPointSize = 2048.0;
// "&H" or "&O" before hexadecimal or octal digits.
constexpr qsizetype RadixPrefixLength = 2;
// Digits between two group separators, as in "1.234.567".
constexpr qsizetype GroupDigits = 3;

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

// Reads [sign] digits [decimal digits] [E [sign] digits] from `pos` on. The
// integer digits may be split in groups of three by `groupSeparator`; an
// exponent without digits is left unread. Returns false when no digit was read.
bool readDecimal(QStringView s, qsizetype& pos, const QString& decimalSeparator,
                 const QString& groupSeparator, DecimalParts& parts) {
    qsizetype at = pos;
    if (at < s.size() && (s[at] == u'+' || s[at] == u'-')) {
        parts.negative = s[at] == u'-';
        ++at;
    }
    qsizetype integerDigits = 0;
    const qsizetype firstRun = countDigits(s, at);
    for (qsizetype i = 0; i < firstRun; ++i)
        parts.digits += char(s[at + i].unicode());
    at += firstRun;
    integerDigits += firstRun;
    if (firstRun >= 1 && firstRun <= GroupDigits) {
        for (qsizetype sep; (sep = groupSeparatorAt(s, at, groupSeparator)) > 0;) {
            if (countDigits(s, at + sep) != GroupDigits)
                break;
            for (qsizetype i = 0; i < GroupDigits; ++i)
                parts.digits += char(s[at + sep + i].unicode());
            at += sep + GroupDigits;
            integerDigits += GroupDigits;
        }
    }
    if (!decimalSeparator.isEmpty() && s.sliced(at).startsWith(decimalSeparator)) {
        const qsizetype fraction = countDigits(s, at + decimalSeparator.size());
        if (fraction > 0 || integerDigits > 0) {
            for (qsizetype i = 0; i < fraction; ++i)
                parts.digits += char(s[at + decimalSeparator.size() + i].unicode());
            at += decimalSeparator.size() + fraction;
        }
    }
    if (parts.digits.empty())
        return false;

    long long exponent = 0;
    if (at < s.size() && (s[at] == u'E' || s[at] == u'e')) {
        qsizetype e = at + 1;
        bool negativeExponent = false;
        if (e < s.size() && (s[e] == u'+' || s[e] == u'-'))
            negativeExponent = s[e++] == u'-';
        const qsizetype exponentDigits = countDigits(s, e);
        if (exponentDigits > 0) {
            for (qsizetype i = 0; i < exponentDigits; ++i)
                exponent = std::min(MaxExponent, exponent * 10 + (s[e + i].unicode() - u'0'));
            if (negativeExponent)
                exponent = -exponent;
            at = e + exponentDigits;
        }
    }
    parts.exponent = exponent + integerDigits;
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

// The whole text as a number in the regional format (see parseStrictWholeNumber()).
double parseStrictNumber(QStringView text, const RegionalFormat& format) {
    const QStringView s = trimBlanks(text);
    qsizetype pos = 0;
    if (const int radix = radixOfPrefix(s)) {
        pos = RadixPrefixLength;
        const double value = readRadixDigits(s, pos, radix);
        if (pos == RadixPrefixLength || pos != s.size())
            throw notANumber();
        return value;
    }
    DecimalParts parts;
    if (!readDecimal(s, pos, format.decimalSeparator, format.groupSeparator, parts) ||
        pos != s.size())
        throw notANumber();
    return toDouble(std::move(parts));
}

// See parseLeadingWholeNumber().
double parseLeadingNumber(QStringView text) {
    QString compact;
    compact.reserve(text.size());
    for (const QChar c : text) {
        if (c != u' ' && c != u'\t' && c != u'\n')
            compact.append(c);
    }
    const QStringView s = compact;
    qsizetype pos = 0;
    if (const int radix = radixOfPrefix(s)) {
        pos = RadixPrefixLength;
        return readRadixDigits(s, pos, radix);
    }
    DecimalParts parts;
    if (!readDecimal(s, pos, u"."_s, QString(), parts))
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

} // namespace assi
