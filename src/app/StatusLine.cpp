#include "app/StatusLine.h"

#include <QLocale>
#include <algorithm>

using namespace Qt::StringLiterals;

namespace assi {

namespace {
constexpr int SecondsPerMinute = 60;

// The board's words do not follow the machine's locale: it speaks Portuguese
// wherever it runs.
const QLocale& portuguese() {
    static const QLocale locale(QLocale::Portuguese, QLocale::Portugal);
    return locale;
}

QString clockText(const QDateTime& t) {
    return t.toString(u"HH:mm"_s);
}

// "as 10:02" on the day of `now`; on another day the day is written out too,
// so that Friday's failure is never read as today's after a weekend.
QString momentText(const QDateTime& t, const QDateTime& now, const QString& sameDayArticle) {
    if (t.date() == now.date())
        return sameDayArticle + u' ' + clockText(t);
    const QString dayFormat = t.date().year() == now.date().year()
                                  ? u"dddd, d 'de' MMMM"_s
                                  : u"dddd, d 'de' MMMM 'de' yyyy"_s;
    return u"%1, às %2"_s.arg(portuguese().toString(t.date(), dayFormat), clockText(t));
}

struct FailureWords {
    QString marker;
    QString phrase; // empty: the message's own words from the marker on
};

// The messages the board's layers produce, as a person at the board would say
// them; the first marker found in a message decides.
const FailureWords failureWords[] = {
    // What FreeTDS says when the server does not answer within the timeout.
    {u"timeout expired"_s, u"A base de dados não respondeu a tempo"_s},
    // The refresh's own deadline, and the loads still stuck behind it.
    {u"A base de dados não respondeu"_s, u"A base de dados não respondeu a tempo"_s},
    {u"Não foi possível ligar à base de dados"_s, u"Sem ligação à base de dados"_s},
    {u"A consulta à base de dados falhou"_s, u"Erro ao ler os dados da base de dados"_s},
    {u"O ficheiro de definições"_s, u"O ficheiro de definições não pode ser lido"_s},
    // Already plain: it names the section, the key and the value.
    {u"Definição inválida em"_s, {}},
};

struct PlainWords {
    QString text; // empty when the message is none the board knows
    bool quoted = false;
};

PlainWords plainWords(const QString& message) {
    for (const FailureWords& words : failureWords) {
        const qsizetype at = message.indexOf(words.marker, 0, Qt::CaseInsensitive);
        if (at < 0)
            continue;
        if (!words.phrase.isEmpty())
            return {words.phrase};
        QString setting = message.mid(at);
        // The file's path stays in the tooltip; on the band it only pushes the rest off.
        const qsizetype file = setting.lastIndexOf(u" ("_s);
        if (setting.endsWith(u')') && file > 0)
            setting.truncate(file);
        return {setting, true};
    }
    return {};
}

QString sentence(const PlainWords& what, const QDateTime& since, const QDateTime& now,
                 const QString& next) {
    QString text = what.text;
    // A quoted message ends in a value: the "desde" after it needs setting apart.
    if (since.isValid())
        text += (what.quoted ? u" · desde "_s : u" desde "_s) + momentText(since, now, u"as"_s);
    if (!next.isEmpty())
        text += u" · "_s + next;
    return text;
}
} // namespace

QString StatusLine::View::wholeStatus() const {
    return detail.isEmpty() ? status : status + u" — "_s + detail;
}

void StatusLine::refreshStarted(const QDateTime& now) {
    m_busySince = now;
    m_lastStart = now;
}

void StatusLine::refreshSucceeded(const QDateTime& now) {
    m_busySince = QDateTime();
    m_lastSuccess = now;
    m_failingSince = QDateTime();
    m_error.clear();
}

void StatusLine::refreshFailed(const QDateTime& now, const QString& message) {
    m_busySince = QDateTime();
    if (!m_failingSince.isValid())
        m_failingSince = now;
    m_error = message;
}

void StatusLine::setSettingsProblem(const QString& message) {
    if (message.isEmpty())
        m_settingsProblemSince = QDateTime();
    else if (m_settingsProblem.isEmpty())
        m_settingsProblemSince = m_lastStart;
    m_settingsProblem = message;
}

namespace {

// The day and time written out, then shorter forms for a narrower band.
QStringList clockFormsAt(const QDateTime& now) {
    const QString time = clockText(now);
    QStringList forms = {portuguese().toString(now.date(), u"dddd, d 'de' MMMM 'de' yyyy"_s),
                         portuguese().toString(now.date(), u"dddd, d 'de' MMMM"_s),
                         portuguese().toString(now.date(), u"dddd"_s)};
    for (QString& form : forms)
        form += u" · "_s + time;
    forms.append(time);
    return forms;
}

} // namespace

void StatusLine::describeFailure(View& v, const QDateTime& now, const QString& whatNext) const {
    v.state = State::Failed;
    PlainWords what = plainWords(m_error);
    if (what.text.isEmpty())
        what.text = u"A atualização do quadro falhou"_s;
    v.status = sentence(what, m_failingSince, now, whatNext);
    v.detail = m_settingsProblem.isEmpty() ? m_error : m_error + u" — "_s + m_settingsProblem;
}

void StatusLine::describeSettingsProblem(View& v, const QDateTime& now,
                                         const QString& whatNext) const {
    v.state = State::Failed;
    PlainWords what = plainWords(m_settingsProblem);
    if (what.text.isEmpty())
        what = {m_settingsProblem, true};
    v.status = sentence(what, m_settingsProblemSince, now, whatNext);
    v.detail = m_settingsProblem;
}

StatusLine::View StatusLine::view(const QDateTime& now, int periodMinutes,
                                  const QDateTime& nextAttempt) const {
    View v;
    v.clockForms = clockFormsAt(now);

    const bool busy = m_busySince.isValid() && m_busySince.msecsTo(now) >= BusyNoticeMilliseconds;
    const QString nextWords = nextAttempt.isValid()
                                  ? u"nova tentativa "_s + momentText(nextAttempt, now, u"às"_s)
                                  : QString();
    const qint64 staleAfterSecs =
        qint64(StalePeriods) * SecondsPerMinute * std::max(1, periodMinutes);

    if (m_closed) {
        v.status = u"Fora do horário de funcionamento"_s;
    } else if (m_failingSince.isValid()) {
        describeFailure(v, now, busy ? u"a tentar de novo…"_s : nextWords);
    } else if (!m_settingsProblem.isEmpty()) {
        // Settings are read again at each refresh: the next one is when a correction shows.
        const QString nextReading = nextAttempt.isValid()
                                        ? u"nova leitura "_s + momentText(nextAttempt, now, u"às"_s)
                                        : QString();
        describeSettingsProblem(v, now, busy ? u"a atualizar…"_s : nextReading);
    } else if (m_lastSuccess.isValid() && m_lastSuccess.secsTo(now) > staleAfterSecs) {
        v.state = State::Stale;
        v.status = sentence({u"Sem atualização"_s}, m_lastSuccess, now,
                            busy ? u"a atualizar…"_s : nextWords);
    } else if (m_lastSuccess.isValid()) {
        v.state = busy ? State::Refreshing : State::Ok;
        v.status = u"Atualizado "_s + momentText(m_lastSuccess, now, u"às"_s);
        if (busy)
            v.status = u"A atualizar… · "_s + v.status;
    } else if (m_busySince.isValid() && m_busySince.secsTo(now) > staleAfterSecs) {
        // The very first refresh hangs: there has never been data to go stale.
        v.state = State::Stale;
        v.status = sentence({u"À espera da base de dados"_s}, m_busySince, now, u"a atualizar…"_s);
    } else {
        v.state = State::Refreshing;
        v.status = busy ? u"A atualizar…"_s : u"A carregar…"_s;
    }
    return v;
}

QString StatusLine::stateName(State state) {
    switch (state) {
    case State::Ok:
        return u"ok"_s;
    case State::Stale:
        return u"stale"_s;
    case State::Failed:
        return u"failed"_s;
    case State::Refreshing:
        return u"refreshing"_s;
    }
    return {};
}

} // namespace assi
