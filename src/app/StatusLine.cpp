#include "StatusLine.h"

#include <algorithm>

using namespace Qt::StringLiterals;

namespace assi {

namespace {
constexpr int SecondsPerMinute = 60;

QString clockText(const QDateTime& t) {
    return t.toString(u"HH:mm"_s);
}
} // namespace

void StatusLine::refreshStarted(const QDateTime& now) {
    m_busySince = now;
}

void StatusLine::refreshSucceeded(const QDateTime& now) {
    m_busySince = QDateTime();
    m_lastSuccess = now;
    m_lastFailure = QDateTime();
    m_error.clear();
}

void StatusLine::refreshFailed(const QDateTime& now, const QString& message) {
    m_busySince = QDateTime();
    m_lastFailure = now;
    m_error = message;
}

void StatusLine::setSettingsProblem(const QString& message) {
    m_settingsProblem = message;
}

StatusLine::View StatusLine::view(const QDateTime& now, int periodMinutes) const {
    View v;
    const qint64 staleAfterSecs =
        qint64(StalePeriods) * SecondsPerMinute * std::max(1, periodMinutes);
    const bool stale = m_lastSuccess.isValid() && m_lastSuccess.secsTo(now) > staleAfterSecs;

    if (m_lastFailure.isValid()) {
        v.alarm = true;
        v.text = u"Falha às %1: %2"_s.arg(clockText(m_lastFailure), m_error);
        if (m_lastSuccess.isValid())
            v.text += u" — dados de %1"_s.arg(clockText(m_lastSuccess));
    } else if (m_lastSuccess.isValid()) {
        v.alarm = stale;
        v.text = u"Atualizado às %1"_s.arg(clockText(m_lastSuccess));
        if (stale)
            v.text +=
                u" — sem atualização há %1 min"_s.arg(m_lastSuccess.secsTo(now) / SecondsPerMinute);
    } else {
        v.text = u"A carregar…"_s;
    }

    if (!m_settingsProblem.isEmpty()) {
        v.alarm = true;
        v.text += u" — "_s + m_settingsProblem;
    }
    if (m_busySince.isValid() && m_busySince.msecsTo(now) >= BusyNoticeMilliseconds)
        v.text = u"A atualizar… · "_s + v.text;
    return v;
}

} // namespace assi
