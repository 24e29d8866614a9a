#include "settings/IniText.h"

#include "settings/Logging.h"

#include <QStringDecoder>
#include <atomic>
#include <utility>

namespace assi {

namespace {

bool isBlank(QChar c) {
    return c == u' ' || c == u'\t' || c == u'\r' || c == u'\n' || c == u'\v' || c == u'\f';
}

QStringView trimBlanks(QStringView s) {
    qsizetype begin = 0;
    qsizetype end = s.size();
    while (begin < end && isBlank(s[begin]))
        ++begin;
    while (end > begin && isBlank(s[end - 1]))
        --end;
    return s.sliced(begin, end - begin);
}

QStringView stripEnclosingQuotes(QStringView value) {
    if (value.size() < 2)
        return value;
    const QChar first = value.front();
    if ((first == u'"' || first == u'\'') && value.back() == first)
        return value.sliced(1, value.size() - 2);
    return value;
}

// The line starting at `pos`, which moves past its end. A lone carriage
// return ends a line too, as old Mac editors and some scripts write them.
QStringView nextLine(QStringView text, qsizetype& pos) {
    const qsizetype start = pos;
    while (pos < text.size() && text[pos] != u'\n' && text[pos] != u'\r')
        ++pos;
    const QStringView line = text.sliced(start, pos - start);
    ++pos;
    return line;
}

bool isSameName(QStringView a, QStringView b) {
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

QString decodeWindows1252(const QByteArray& bytes) {
    // Debian's Qt reaches this code page through ICU. A Qt built without ICU
    // cannot, and Latin-1 is then the nearest reading: it differs only in
    // 0x80-0x9F (the euro sign, curly quotes, dashes), never in accented letters.
    QStringDecoder decoder("windows-1252", QStringConverter::Flag::Stateless);
    if (decoder.isValid())
        return decoder.decode(bytes);
    static std::atomic_bool warned = false;
    if (!warned.exchange(true))
        qCWarning(lcSettings) << "Windows-1252 indisponível; a ler o ficheiro como Latin-1";
    return QString::fromLatin1(bytes);
}

} // namespace

QString IniText::decode(const QByteArray& bytes) {
    // Stateless: a file cut inside its last character is an error, not a silent loss.
    constexpr auto flags = QStringConverter::Flag::Stateless;
    const std::pair<QByteArrayView, QStringConverter::Encoding> byteOrderMarks[] = {
        {"\xFF\xFE", QStringConverter::Utf16LE},
        {"\xFE\xFF", QStringConverter::Utf16BE},
        {"\xEF\xBB\xBF", QStringConverter::Utf8},
    };
    for (const auto& [mark, encoding] : byteOrderMarks) {
        if (bytes.startsWith(mark))
            return QStringDecoder(encoding, flags)
                .decode(QByteArrayView(bytes).sliced(mark.size()));
    }

    QStringDecoder utf8(QStringConverter::Utf8, flags);
    QString text = utf8.decode(bytes);
    if (!utf8.hasError())
        return text;
    return decodeWindows1252(bytes);
}

std::optional<QString> IniText::lookUpValue(QStringView text, QStringView section,
                                            QStringView key) {
    const QStringView wantedSection = trimBlanks(section);
    const QStringView wantedKey = trimBlanks(key);
    if (wantedKey.isEmpty())
        return std::nullopt;

    bool inWantedSection = false;
    for (qsizetype pos = 0; pos < text.size();) {
        const QStringView line = trimBlanks(nextLine(text, pos));
        if (line.isEmpty() || line.front() == u';')
            continue;
        if (line.front() == u'[') {
            // The name ends at the first ']', or with the line when there is none.
            const QStringView rest = line.sliced(1);
            const qsizetype close = rest.indexOf(u']');
            const QStringView name = close < 0 ? rest : rest.first(close);
            // A later section of the same name is never searched.
            if (inWantedSection)
                return std::nullopt;
            inWantedSection = isSameName(trimBlanks(name), wantedSection);
            continue;
        }
        if (!inWantedSection)
            continue;
        const qsizetype equals = line.indexOf(u'=');
        if (equals < 0 || !isSameName(trimBlanks(line.first(equals)), wantedKey))
            continue;
        return stripEnclosingQuotes(trimBlanks(line.sliced(equals + 1))).toString();
    }
    return std::nullopt;
}

QString IniText::findValue(QStringView text, QStringView section, QStringView key) {
    return lookUpValue(text, section, key).value_or(QString());
}

} // namespace assi
