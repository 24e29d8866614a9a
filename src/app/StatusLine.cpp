#include "app/StatusLine.h"

#include <QLocale>
#include <algorithm>

using namespace Qt::StringLiterals;

namespace assi {

// A moment in words, written out in full and briefer for a narrower band.
struct MomentWords {
    QString full;
    QString brief;
};

namespace {
constexpr qint64 MillisecondsPerMinute = 60000;

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
// so that Friday's failure is never read as today's after a weekend (briefly,
// without the day of the week).
MomentWords momentOf(const QDateTime& t, const QDateTime& now, const QString& sameDayArticle) {
    if (t.date() == now.date()) {
        const QString sameDay = sameDayArticle + u' ' + clockText(t);
        return {sameDay, sameDay};
    }
    const QString year = t.date().year() == now.date().year() ? QString() : u" 'de' yyyy"_s;
    const auto onDay = [&](const QString& dayFormat) {
        return u"%1, às %2"_s.arg(portuguese().toString(t.date(), dayFormat + year), clockText(t));
    };
    return {onDay(u"dddd, d 'de' MMMM"_s), onDay(u"d 'de' MMMM"_s)};
}

MomentWords prefixed(const QString& words, const MomentWords& moment) {
    return {words + moment.full, words + moment.brief};
}

// The lead of a setting that is wrong: which ones, by section and key.
const QString SettingsLead = u"Definições com erro: "_s;

struct FailureWords {
    QString marker;
    QString phrase; // empty: the setting the message names
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
    // It goes on "[Section] Key: value and why (file)": the band names the
    // section and the key, the tooltip keeps the rest.
    {u"Definição inválida em"_s, {}},
};

struct PlainWords {
    QString text;          // empty when the message is none the board knows
    bool setApart = false; // names a setting: "desde" after it is set apart
};

PlainWords plainWords(const QString& message) {
    for (const FailureWords& words : failureWords) {
        const qsizetype at = message.indexOf(words.marker, 0, Qt::CaseInsensitive);
        if (at < 0)
            continue;
        if (!words.phrase.isEmpty())
            return {words.phrase};
        const qsizetype placeAt = at + words.marker.size();
        const qsizetype colon = message.indexOf(u':', placeAt);
        return {SettingsLead + message.mid(placeAt, colon - placeAt).trimmed(), true};
    }
    return {};
}

// The sentences the band may show, the fullest first: each of `whats` (the
// fullest first) with the moments written out, written briefly, with only
// the next one, and alone.
QStringList sentenceForms(const QStringList& whats, bool setApart, const MomentWords& since,
                          const MomentWords& next) {
    struct Tail {
        QString since;
        QString next;
    };
    const Tail tails[] = {{since.full, next.full},
                          {since.brief, next.brief},
                          {QString(), next.brief},
                          {QString(), QString()}};
    QStringList forms;
    for (const QString& what : whats) {
        for (const Tail& tail : tails) {
            QString text = what;
            if (!tail.since.isEmpty())
                text += (setApart ? u" · "_s : u" "_s) + tail.since;
            if (!tail.next.isEmpty())
                text += u" · "_s + tail.next;
            if (!forms.contains(text))
                forms << text;
        }
    }
    return forms;
}

void setSentences(StatusLine::View& v, QStringList forms) {
    v.status = forms.value(0);
    v.statusForms = std::move(forms);
}

} // namespace

QString StatusLine::View::wholeStatus() const {
    return detail.isEmpty() ? status : status + u" — "_s + detail;
}

void StatusLine::refreshStarted(const ClockReading& now) {
    m_busySince = now;
}

void StatusLine::refreshSucceeded(const ClockReading& now) {
    m_busySince = ClockReading();
    m_lastSuccess = now;
    m_failingSince = QDateTime();
    m_error.clear();
}

void StatusLine::refreshFailed(const ClockReading& now, const QString& message) {
    m_busySince = ClockReading();
    if (!m_failingSince.isValid())
        m_failingSince = now.wall;
    m_error = message;
}

qint64 StatusLine::msecsUntilBusyNotice(qint64 steadyNow) const {
    if (!m_busySince.isValid())
        return 0;
    return std::max<qint64>(0, m_busySince.steady + BusyNoticeMilliseconds - steadyNow);
}

void StatusLine::setSettingsProblems(QList<SettingsProblem> problems) {
    m_settingsProblems = std::move(problems);
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

QString messagesOf(const QList<StatusLine::SettingsProblem>& problems) {
    QStringList messages;
    for (const StatusLine::SettingsProblem& problem : problems)
        messages << problem.message;
    return messages.join(u" · "_s);
}

// Every wrong setting named, or the first and how many more.
QStringList settingsHeadlines(const QList<StatusLine::SettingsProblem>& problems) {
    QStringList places;
    for (const StatusLine::SettingsProblem& problem : problems)
        places << problem.place;
    QStringList headlines = {SettingsLead + places.join(u", "_s)};
    if (places.size() > 1)
        headlines << SettingsLead + u"%1 e mais %2"_s.arg(places.first()).arg(places.size() - 1);
    return headlines;
}

} // namespace

void StatusLine::describeFailure(View& v, const QDateTime& now, const MomentWords& next) const {
    v.state = State::Failed;
    PlainWords what = plainWords(m_error);
    if (what.text.isEmpty())
        what.text = u"A atualização do quadro falhou"_s;
    setSentences(v, sentenceForms({what.text}, what.setApart,
                                  prefixed(u"desde "_s, momentOf(m_failingSince, now, u"as"_s)),
                                  next));
    v.detail = m_settingsProblems.isEmpty() ? m_error
                                            : m_error + u" — "_s + messagesOf(m_settingsProblems);
}

void StatusLine::describeSettingsProblems(View& v, const MomentWords& next) const {
    v.state = State::Failed;
    setSentences(v, sentenceForms(settingsHeadlines(m_settingsProblems), true, {}, next));
    v.detail = messagesOf(m_settingsProblems);
}

StatusLine::View StatusLine::view(const ClockReading& now, int periodMinutes,
                                  const QDateTime& nextAttempt) const {
    View v;
    const QDateTime& wall = now.wall;
    v.clockForms = clockFormsAt(wall);

    const bool busy =
        m_busySince.isValid() && now.msecsSince(m_busySince) >= BusyNoticeMilliseconds;
    const MomentWords nextWords =
        nextAttempt.isValid() ? prefixed(u"nova tentativa "_s, momentOf(nextAttempt, wall, u"às"_s))
                              : MomentWords{};
    const auto words = [](const QString& text) { return MomentWords{text, text}; };
    const qint64 staleAfterMsecs =
        qint64(StalePeriods) * MillisecondsPerMinute * std::max(1, periodMinutes);

    if (m_closed) {
        setSentences(v, {u"Fora do horário de funcionamento"_s});
    } else if (m_failingSince.isValid()) {
        describeFailure(v, wall, busy ? words(u"a tentar de novo…"_s) : nextWords);
    } else if (!m_settingsProblems.isEmpty()) {
        // Settings are read again at each refresh: the next one is when a correction shows.
        describeSettingsProblems(v, busy ? words(u"a atualizar…"_s) : nextWords);
    } else if (m_lastSuccess.isValid() && now.msecsSince(m_lastSuccess) > staleAfterMsecs) {
        v.state = State::Stale;
        setSentences(
            v, sentenceForms({u"Sem atualização"_s}, false,
                             prefixed(u"desde "_s, momentOf(m_lastSuccess.wall, wall, u"as"_s)),
                             busy ? words(u"a atualizar…"_s) : nextWords));
    } else if (m_lastSuccess.isValid()) {
        v.state = busy ? State::Refreshing : State::Ok;
        const QString updated = u"Atualizado "_s + momentOf(m_lastSuccess.wall, wall, u"às"_s).full;
        setSentences(v, {busy ? u"A atualizar… · "_s + updated : updated});
    } else if (m_busySince.isValid() && now.msecsSince(m_busySince) > staleAfterMsecs) {
        // The very first refresh hangs: there has never been data to go stale.
        v.state = State::Stale;
        setSentences(v,
                     sentenceForms({u"À espera da base de dados"_s}, false,
                                   prefixed(u"desde "_s, momentOf(m_busySince.wall, wall, u"as"_s)),
                                   words(u"a atualizar…"_s)));
    } else {
        v.state = State::Refreshing;
        setSentences(v, {busy ? u"A atualizar…"_s : u"A carregar…"_s});
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
