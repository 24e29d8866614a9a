// Randomized tests of the INI reading with a fixed seed, so that any failure
// reproduces. Generated files must read back exactly what was written; mutated
// bytes must never crash the reader or make it return more than one line.

#include "common/TempDir.h"
#include "settings/IniText.h"
#include "settings/SettingsReader.h"

#include <QStringEncoder>
#include <gtest/gtest.h>
#include <random>

using namespace assi;
using namespace Qt::StringLiterals;

namespace {

class Generator {
public:
    explicit Generator(unsigned seed) : m_random(seed) {}

    int below(int n) { return std::uniform_int_distribution<int>(0, n - 1)(m_random); }
    bool chance(int percent) { return below(100) < percent; }

    QString pick(QStringView alphabet, int minLength, int maxLength) {
        QString text;
        const int length = minLength + below(maxLength - minLength + 1);
        for (int i = 0; i < length; ++i)
            text += alphabet[below(int(alphabet.size()))];
        return text;
    }

    QString randomCase(const QString& name) {
        QString out;
        for (const QChar c : name)
            out += chance(50) ? c.toUpper() : c.toLower();
        return out;
    }

    QString blanks() { return pick(u" \t", 0, 2); }

private:
    std::mt19937 m_random;
};

// Letters Windows-1252 holds whose bytes can never form a UTF-8 sequence (no
// byte in 0x80-0xBF), so an ANSI file of them is never mistaken for UTF-8.
constexpr QStringView NameLetters =
    u"abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789_çãõáéí";
constexpr QStringView ValueLetters = u"abcXYZ019 \t;=[]\"'#&.,-çãõáéíÁÉÇêô";

struct Entry {
    QString section;
    QString key;
    QString value;
};

// Writes key=value lines the way people and tools do, with blanks, comments,
// quotes, CRLF or LF, and shadowed duplicates that must never be read.
QByteArray writeIni(Generator& g, const QList<Entry>& entries) {
    const QString eol = g.chance(50) ? u"\r\n"_s : u"\n"_s;
    QString text;
    QString currentSection;
    QStringList written;
    for (const Entry& e : entries) {
        if (e.section != currentSection) {
            text += g.blanks() + u"["_s + g.blanks() + e.section + g.blanks() + u"]"_s + eol;
            currentSection = e.section;
        }
        if (g.chance(20))
            text += g.blanks() + u";"_s + g.pick(ValueLetters, 0, 12) + eol;
        if (g.chance(10))
            text += eol;
        const bool mustQuote =
            !e.value.isEmpty() &&
            (e.value.front().isSpace() || e.value.back().isSpace() || e.value.front() == u'"' ||
             e.value.front() == u'\'' || e.value.back() == u'"' || e.value.back() == u'\'');
        const QString value = mustQuote || g.chance(20) ? u"\""_s + e.value + u"\""_s : e.value;
        text += g.blanks() + e.key + g.blanks() + u"="_s + g.blanks() + value + g.blanks() + eol;
        if (g.chance(15))
            text += e.key + u"=sombra"_s + eol; // a later duplicate
    }
    for (const Entry& e : entries) {
        if (!written.contains(e.section, Qt::CaseInsensitive) && g.chance(20)) {
            text += u"["_s + e.section.toUpper() + u"]"_s + eol + e.key + u"=sombra"_s + eol;
            written += e.section;
        }
    }

    switch (g.below(5)) {
    case 0:
        return text.toUtf8();
    case 1:
        return "\xEF\xBB\xBF" + text.toUtf8();
    case 2:
        return "\xFF\xFE" + QByteArray(QStringEncoder(QStringConverter::Utf16LE).encode(text));
    case 3:
        return "\xFE\xFF" + QByteArray(QStringEncoder(QStringConverter::Utf16BE).encode(text));
    default: {
        QStringEncoder ansi("windows-1252");
        return QByteArray(ansi.encode(text));
    }
    }
}

QList<Entry> randomEntries(Generator& g) {
    QList<Entry> entries;
    QStringList sections;
    const int sectionCount = 1 + g.below(4);
    for (int s = 0; s < sectionCount; ++s) {
        const QString section = g.pick(NameLetters, 1, 12);
        if (sections.contains(section, Qt::CaseInsensitive))
            continue;
        sections += section;
        QStringList keys;
        const int keyCount = 1 + g.below(6);
        for (int k = 0; k < keyCount; ++k) {
            const QString key = g.pick(NameLetters, 1, 20);
            if (keys.contains(key, Qt::CaseInsensitive))
                continue;
            keys += key;
            QString value = g.pick(ValueLetters, 0, 40);
            if (g.chance(2))
                value = g.pick(ValueLetters, 300, 3000); // longer than many readers allow
            entries.append({section, key, value});
        }
    }
    return entries;
}

} // namespace

TEST(SettingsReaderRandomized, WrittenValuesReadBack) {
    Generator g(20261207);
    test::TempDir dir;
    for (int round = 0; round < 3000; ++round) {
        const QList<Entry> entries = randomEntries(g);
        const QByteArray bytes = writeIni(g, entries);
        const QString text = IniText::decode(bytes);
        for (const Entry& e : entries) {
            const QString section = g.blanks() + g.randomCase(e.section);
            ASSERT_EQ(IniText::findValue(text, section, g.randomCase(e.key)), e.value)
                << "round " << round << " [" << e.section.toStdString() << "] "
                << e.key.toStdString() << "\n"
                << bytes.toStdString();
            ASSERT_EQ(IniText::findValue(text, section, e.key + u"~"_s), QString());
        }
        if (round % 100 == 0) {
            SettingsReader reader;
            reader.read(dir.write(u"OTK.zlv"_s, bytes));
            ASSERT_EQ(reader.readValue(entries.front().section, entries.front().key),
                      entries.front().value);
        }
    }
}

TEST(SettingsReaderRandomized, MutatedBytesNeverBreakTheReader) {
    Generator g(7);
    static const char raw[] = "\0\r\n[]=;\"' \t\xEF\xBB\xBF\xFF\xFE\x80\xC3";
    const QByteArray specials(raw, sizeof raw - 1);
    for (int round = 0; round < 4000; ++round) {
        const QList<Entry> entries = randomEntries(g);
        QByteArray bytes = writeIni(g, entries);
        const int mutations = 1 + g.below(8);
        for (int m = 0; m < mutations && !bytes.isEmpty(); ++m) {
            const int at = g.below(int(bytes.size()));
            switch (g.below(5)) {
            case 0:
                bytes[at] = char(g.below(256));
                break;
            case 1:
                bytes.insert(at, specials[g.below(int(specials.size()))]);
                break;
            case 2:
                bytes.remove(at, 1 + g.below(8));
                break;
            case 3:
                bytes.truncate(at);
                break;
            default:
                bytes.insert(at, bytes.mid(g.below(int(bytes.size())), g.below(16)));
            }
        }
        const QString text = IniText::decode(bytes);
        ASSERT_EQ(IniText::decode(bytes), text);
        for (const Entry& e : entries) {
            const QString value = IniText::findValue(text, e.section, e.key);
            ASSERT_FALSE(value.contains(u'\n')) << "round " << round;
            ASSERT_LE(value.size(), text.size());
        }
        ASSERT_EQ(IniText::findValue(text, entries.front().section, QString()), QString());
    }
}
