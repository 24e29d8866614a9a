#include "app/StatusLine.h"

#include <gtest/gtest.h>

using namespace assi;
using namespace Qt::StringLiterals;

namespace {
using State = StatusLine::State;

const QString connectFailure =
    u"Não foi possível ligar à base de dados (servidor db1, base de dados servicos): "
    u"Adaptive Server is unavailable or does not exist"_s;
const StatusLine::SettingsProblem badSetting = {
    u"[GrelhaPedidos] Cabecalho_FonteSize"_s,
    u"Definição inválida em [GrelhaPedidos] Cabecalho_FonteSize: \"doze\" não é um número "
    u"(/srv/quadro/zelvio/OTK.zlv)"_s};
const StatusLine::SettingsProblem badPage = {
    u"[Geral] SegundosPorPagina"_s,
    u"Definição inválida em [Geral] SegundosPorPagina: falta a chave SegundosPorPagina "
    u"(/srv/quadro/zelvio/OTK.zlv)"_s};
} // namespace

// Monday 7 December 2026; the board refreshes every 5 minutes and its next
// attempt is always at 10:43 unless the case says otherwise.
TEST(StatusLine, SaysWhatTheDataIsWorthAndSinceWhen) {
    const QDate monday(2026, 12, 7);
    const QDateTime now(monday, QTime(10, 42));
    const QDateTime friday(QDate(2026, 12, 4), QTime(9, 58));
    auto at = [&](int hour, int minute) { return QDateTime(monday, QTime(hour, minute)); };
    struct Case {
        const char* name;
        std::function<void(StatusLine&)> events;
        QString status;
        State state;
        QDateTime next = QDateTime(QDate(2026, 12, 7), QTime(10, 43));
    };
    const Case cases[] = {
        {"nothing yet", [](StatusLine&) {}, u"A carregar…"_s, State::Refreshing},
        {"fresh", [&](StatusLine& s) { s.refreshSucceeded(at(10, 41)); }, u"Atualizado às 10:41"_s,
         State::Ok},
        {"just within twice the period", [&](StatusLine& s) { s.refreshSucceeded(at(10, 32)); },
         u"Atualizado às 10:32"_s, State::Ok},
        {"stale", [&](StatusLine& s) { s.refreshSucceeded(at(10, 31)); },
         u"Sem atualização desde as 10:31 · nova tentativa às 10:43"_s, State::Stale},
        {"stale since another day", [&](StatusLine& s) { s.refreshSucceeded(friday); },
         u"Sem atualização desde sexta-feira, 4 de dezembro, às 09:58 · nova tentativa às 10:43"_s,
         State::Stale},
        {"stale since last year",
         [&](StatusLine& s) { s.refreshSucceeded(QDateTime(QDate(2025, 12, 31), QTime(23, 58))); },
         u"Sem atualização desde quarta-feira, 31 de dezembro de 2025, às 23:58 · "
         u"nova tentativa às 10:43"_s,
         State::Stale},
        {"stale while a refresh hangs",
         [&](StatusLine& s) {
             s.refreshSucceeded(at(10, 2));
             s.refreshStarted(at(10, 30));
         },
         u"Sem atualização desde as 10:02 · a atualizar…"_s, State::Stale},
        {"a first refresh that never ends", [&](StatusLine& s) { s.refreshStarted(friday); },
         u"À espera da base de dados desde sexta-feira, 4 de dezembro, às 09:58 · a atualizar…"_s,
         State::Stale},
        {"failing since the first failure of the run",
         [&](StatusLine& s) {
             s.refreshSucceeded(at(10, 1));
             s.refreshFailed(at(10, 2), connectFailure);
             s.refreshFailed(at(10, 3), connectFailure);
             s.refreshFailed(at(10, 41), u"A consulta à base de dados falhou: x"_s);
         },
         u"Erro ao ler os dados da base de dados desde as 10:02 · nova tentativa às 10:43"_s,
         State::Failed},
        {"failing since Friday, next attempt tomorrow",
         [&](StatusLine& s) { s.refreshFailed(friday, connectFailure); },
         u"Sem ligação à base de dados desde sexta-feira, 4 de dezembro, às 09:58 · "
         u"nova tentativa terça-feira, 8 de dezembro, às 00:00"_s,
         State::Failed, QDateTime(QDate(2026, 12, 8), QTime(0, 0))},
        {"a retry that takes its time",
         [&](StatusLine& s) {
             s.refreshFailed(at(10, 2), connectFailure);
             s.refreshStarted(at(10, 41));
         },
         u"Sem ligação à base de dados desde as 10:02 · a tentar de novo…"_s, State::Failed},
        {"no next attempt planned", [&](StatusLine& s) { s.refreshFailed(at(10, 2), u"?"_s); },
         u"A atualização do quadro falhou desde as 10:02"_s, State::Failed, QDateTime()},
        {"recovered",
         [&](StatusLine& s) {
             s.refreshFailed(friday, connectFailure);
             s.refreshSucceeded(at(10, 41));
         },
         u"Atualizado às 10:41"_s, State::Ok},
        {"failing again after recovering counts afresh",
         [&](StatusLine& s) {
             s.refreshFailed(friday, connectFailure);
             s.refreshSucceeded(at(10, 30));
             s.refreshFailed(at(10, 40), connectFailure);
         },
         u"Sem ligação à base de dados desde as 10:40 · nova tentativa às 10:43"_s, State::Failed},
        {"a setting gone wrong names its section and key",
         [&](StatusLine& s) {
             s.refreshStarted(at(10, 30));
             s.setSettingsProblems({badSetting});
             s.refreshSucceeded(at(10, 30));
         },
         u"Definições com erro: [GrelhaPedidos] Cabecalho_FonteSize · nova tentativa às 10:43"_s,
         State::Failed},
        {"settings gone wrong, each named",
         [&](StatusLine& s) {
             s.setSettingsProblems({badPage, badSetting});
             s.refreshSucceeded(at(10, 30));
         },
         u"Definições com erro: [Geral] SegundosPorPagina, [GrelhaPedidos] Cabecalho_FonteSize · "
         u"nova tentativa às 10:43"_s,
         State::Failed},
        {"a setting gone wrong while a refresh runs",
         [&](StatusLine& s) {
             s.setSettingsProblems({badSetting});
             s.refreshSucceeded(at(10, 30));
             s.refreshStarted(at(10, 41));
         },
         u"Definições com erro: [GrelhaPedidos] Cabecalho_FonteSize · a atualizar…"_s,
         State::Failed},
        {"a setting corrected",
         [&](StatusLine& s) {
             s.refreshStarted(at(10, 40));
             s.setSettingsProblems({badSetting});
             s.refreshSucceeded(at(10, 40));
             s.setSettingsProblems({});
         },
         u"Atualizado às 10:40"_s, State::Ok},
        {"a slow refresh shows it is alive",
         [&](StatusLine& s) {
             s.refreshSucceeded(at(10, 35));
             s.refreshStarted(at(10, 40));
         },
         u"A atualizar… · Atualizado às 10:35"_s, State::Refreshing},
    };
    for (const Case& c : cases) {
        StatusLine line;
        c.events(line);
        const StatusLine::View v = line.view(now, 5, c.next);
        EXPECT_EQ(v.status.toStdString(), c.status.toStdString()) << c.name;
        EXPECT_EQ(v.state, c.state) << c.name;
        EXPECT_EQ(v.clockForms.value(0), u"segunda-feira, 7 de dezembro de 2026 · 10:42"_s)
            << c.name;
    }
}

// Every message the board's layers produce reads as a person would say it; the
// message itself stays whole behind it.
TEST(StatusLine, FailuresInPlainWords) {
    const QDateTime now(QDate(2026, 12, 7), QTime(10, 42));
    // A setting's place ends in its key: "desde" is set apart from it.
    const std::pair<QString, QString> cases[] = {
        {connectFailure, u"Sem ligação à base de dados"_s},
        {u"Não foi possível ligar à base de dados (servidor db1): [FreeTDS][SQL Server]Login "
         u"timeout expired"_s,
         u"A base de dados não respondeu a tempo"_s},
        {u"A consulta à base de dados falhou (servidor db1): Timeout expired"_s,
         u"A base de dados não respondeu a tempo"_s},
        {u"A consulta à base de dados falhou: a ligação não está aberta."_s,
         u"Erro ao ler os dados da base de dados"_s},
        {u"O ficheiro de definições /srv/OTK.zlv é uma pasta."_s,
         u"O ficheiro de definições não pode ser lido"_s},
        {u"Definição inválida em [BaseDados] Motor: \"oracle\" não é \"sqlserver\" nem \"sqlite\" "
         u"(/srv/OTK.zlv)"_s,
         u"Definições com erro: [BaseDados] Motor ·"_s},
        {u"A base de dados não respondeu em 60 s (servidor db1); a ligação foi abandonada e será "
         u"refeita na próxima atualização."_s,
         u"A base de dados não respondeu a tempo"_s},
        {u"bad_alloc"_s, u"A atualização do quadro falhou"_s},
    };
    for (const auto& [message, words] : cases) {
        StatusLine line;
        line.refreshFailed(now, message);
        const StatusLine::View v = line.view(now, 5, {});
        EXPECT_EQ(v.status.toStdString(), (words + u" desde as 10:42"_s).toStdString());
        EXPECT_EQ(v.wholeStatus(), v.status + u" — "_s + message);
        EXPECT_TRUE(v.alarm());
    }
}

TEST(StatusLine, AQuickRefreshDoesNotFlicker) {
    const QDateTime t0(QDate(2026, 12, 7), QTime(10, 30));
    StatusLine line;
    line.refreshSucceeded(t0);
    line.refreshStarted(t0.addSecs(60));
    const StatusLine::View v = line.view(t0.addMSecs(60500), 5, {});
    EXPECT_EQ(v.status, u"Atualizado às 10:30"_s);
    EXPECT_EQ(v.state, State::Ok);
}

// The wall clock is set forward and back (by hand, by the time service); the
// data's age and a refresh's length are what really passed. Each case: the
// wall clock jumps by `wallJump` and `elapsed` really passes.
TEST(StatusLine, AgesFollowTheSteadyClockWhateverTheWallClockDoes) {
    const QDateTime start(QDate(2026, 12, 7), QTime(10, 41));
    constexpr qint64 startSteady = 5000000;
    const ClockReading then(start, startSteady);
    struct Case {
        const char* name;
        bool refreshRunning; // since `then`; else the last success was then
        qint64 wallJumpSecs;
        qint64 elapsedMsecs;
        QString status;
        State state;
    };
    constexpr qint64 hour = 3600;
    constexpr qint64 minute = 60000;
    const Case cases[] = {
        {"clock forward, a minute gone", false, hour, minute, u"Atualizado às 10:41"_s, State::Ok},
        {"clock back, eleven minutes gone", false, -hour, 11 * minute,
         u"Sem atualização desde as 10:41 · nova tentativa às 09:53"_s, State::Stale},
        {"clock back, nine minutes gone", false, -hour, 9 * minute, u"Atualizado às 10:41"_s,
         State::Ok},
        {"refresh, clock forward, half a second gone", true, hour, 500, u"A carregar…"_s,
         State::Refreshing},
        {"refresh, clock back, a second gone", true, -hour, 1000, u"A atualizar…"_s,
         State::Refreshing},
        {"first refresh hanging, clock back", true, -hour, 11 * minute,
         u"À espera da base de dados desde as 10:41 · a atualizar…"_s, State::Stale},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        StatusLine line;
        if (c.refreshRunning)
            line.refreshStarted(then);
        else
            line.refreshSucceeded(then);
        const QDateTime wallNow = start.addSecs(c.wallJumpSecs).addMSecs(c.elapsedMsecs);
        const ClockReading now(wallNow, startSteady + c.elapsedMsecs);
        const StatusLine::View v = line.view(now, 5, wallNow.addSecs(60));
        EXPECT_EQ(v.status.toStdString(), c.status.toStdString());
        EXPECT_EQ(v.state, c.state);
        EXPECT_EQ(v.clockForms.last(), wallNow.toString(u"HH:mm"_s)) << "the clock tells the wall";
        EXPECT_EQ(line.msecsUntilBusyNotice(now.steady),
                  c.refreshRunning ? std::max<qint64>(0, 1000 - c.elapsedMsecs) : 0);
    }
}
