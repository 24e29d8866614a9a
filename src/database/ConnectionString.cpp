#include "database/ConnectionString.h"

#include <array>

using namespace Qt::StringLiterals;

namespace assi {

namespace {

const QString Mask = u"****"_s;

// The keys a connection text gives the password under.
const std::array PasswordKeys = {u"PWD="_s, u"Password="_s};

bool isWordCharacter(QChar c) {
    return c.isLetterOrNumber() || c == u'_';
}

// The length of the password key that starts at `at`, 0 for none: a key
// after a separator, never the end of a longer name.
qsizetype passwordKeyLength(const QString& text, qsizetype at) {
    if (at > 0 && isWordCharacter(text[at - 1]))
        return 0;
    for (const QString& key : PasswordKeys) {
        if (QStringView(text).mid(at).startsWith(key, Qt::CaseInsensitive))
            return key.size();
    }
    return 0;
}

// A value masked, its braces kept.
QString maskedValue(QStringView value) {
    if (value.isEmpty())
        return {};
    if (value.size() >= 2 && value.front() == u'{' && value.back() == u'}')
        return u'{' + Mask + u'}';
    return Mask;
}

// How long the value that starts at `at` is: braced, with "}}" for a brace
// inside; the password as it stands; or anything else up to the attribute's
// end, as a password a driver quotes cut short.
qsizetype valueLength(QStringView text, qsizetype at, const QString& password) {
    const QStringView value = text.mid(at);
    if (value.startsWith(u'{')) {
        qsizetype i = 1;
        while (i < value.size()) {
            if (value[i] == u'}' && i + 1 < value.size() && value[i + 1] == u'}')
                i += 2;
            else if (value[i] == u'}')
                return i + 1;
            else
                ++i;
        }
        return value.size();
    }
    const auto endsValue = [&](qsizetype i) {
        return i == value.size() || value[i] == u';' || value[i].isSpace();
    };
    if (!password.isEmpty() && value.startsWith(password) && endsValue(password.size()))
        return password.size();
    qsizetype i = 0;
    while (!endsValue(i))
        ++i;
    return i;
}

// Whether `form` stands at `at` as a word of its own: an edge of it that is
// part of a word is not glued to more of one, so "x" is masked in "x." but
// never inside "expired".
bool standsAlone(QStringView text, qsizetype at, const QString& form) {
    if (!text.mid(at).startsWith(form))
        return false;
    const qsizetype end = at + form.size();
    const bool startFree =
        !isWordCharacter(form.front()) || at == 0 || !isWordCharacter(text[at - 1]);
    const bool endFree =
        !isWordCharacter(form.back()) || end == text.size() || !isWordCharacter(text[end]);
    return startFree && endFree;
}

} // namespace

QString ConnectionString::describe() const {
    if (engine == DatabaseEngine::Sqlite)
        return u"base de dados SQLite %1"_s.arg(database);
    return u"servidor %1, base de dados %2"_s.arg(server, database);
}

QString ConnectionString::withoutSecrets(QString text) const {
    // The whole ODBC text holds the password: masked whole, it leaves no
    // half-masked copy behind.
    if (!databaseName.isEmpty() && databaseName.contains(u"PWD="_s, Qt::CaseInsensitive))
        text.replace(databaseName, Mask);
    // The password as a value, and as a word of its own; its braced form
    // doubles a "}" inside it.
    QString doubled = password;
    doubled.replace(u'}', u"}}"_s);
    QString cleaned;
    qsizetype at = 0;
    while (at < text.size()) {
        if (const qsizetype keyLength = passwordKeyLength(text, at)) {
            const qsizetype valueAt = at + keyLength;
            const qsizetype length = valueLength(text, valueAt, password);
            cleaned +=
                text.mid(at, keyLength) + maskedValue(QStringView(text).mid(valueAt, length));
            at = valueAt + length;
        } else if (!password.isEmpty() && standsAlone(text, at, doubled)) {
            cleaned += Mask;
            at += doubled.size();
        } else if (!password.isEmpty() && standsAlone(text, at, password)) {
            cleaned += Mask;
            at += password.size();
        } else {
            cleaned += text[at];
            ++at;
        }
    }
    return cleaned;
}

} // namespace assi
