#include "StatusLine.h"

#include <gtest/gtest.h>

using namespace assi;
using namespace Qt::StringLiterals;

TEST(StatusLine, TellsWhetherTheBoardCanBeTrusted) {
    const QDateTime t0(QDate(2026, 12, 7), QTime(10, 30));
    struct Case {
        const char* name;
        std::function<void(StatusLine&)> events;
        int minutesLater;
        QString text;
        bool alarm;
    };
    const Case cases[] = {
        {"nothing yet", [](StatusLine&) {}, 0, u"A carregar…"_s, false},
        {"fresh", [&](StatusLine& s) { s.refreshSucceeded(t0); }, 3, u"Atualizado às 10:30"_s,
         false},
        {"just within twice the period", [&](StatusLine& s) { s.refreshSucceeded(t0); }, 10,
         u"Atualizado às 10:30"_s, false},
        {"stale", [&](StatusLine& s) { s.refreshSucceeded(t0); }, 11,
         u"Atualizado às 10:30 — sem atualização há 11 min"_s, true},
        {"failed after a success",
         [&](StatusLine& s) {
             s.refreshSucceeded(t0);
             s.refreshFailed(t0.addSecs(300), u"sem ligação"_s);
         },
         6, u"Falha às 10:35: sem ligação — dados de 10:30"_s, true},
        {"failed at start-up", [&](StatusLine& s) { s.refreshFailed(t0, u"sem ligação"_s); }, 0,
         u"Falha às 10:30: sem ligação"_s, true},
        {"recovered",
         [&](StatusLine& s) {
             s.refreshFailed(t0, u"x"_s);
             s.refreshSucceeded(t0.addSecs(60));
         },
         1, u"Atualizado às 10:31"_s, false},
        {"a wrong setting that does not stop the board",
         [&](StatusLine& s) {
             s.refreshSucceeded(t0);
             s.setSettingsProblem(u"Definição inválida em [Geral] SegundosPorPagina"_s);
         },
         1, u"Atualizado às 10:30 — Definição inválida em [Geral] SegundosPorPagina"_s, true},
        {"the setting put right",
         [&](StatusLine& s) {
             s.setSettingsProblem(u"x"_s);
             s.refreshSucceeded(t0);
             s.setSettingsProblem({});
         },
         1, u"Atualizado às 10:30"_s, false},
        {"slow refresh shows it is alive",
         [&](StatusLine& s) {
             s.refreshSucceeded(t0);
             s.refreshStarted(t0.addSecs(120));
         },
         3, u"A atualizar… · Atualizado às 10:30"_s, false},
    };
    for (const Case& c : cases) {
        StatusLine line;
        c.events(line);
        const StatusLine::View v = line.view(t0.addSecs(60 * c.minutesLater), 5);
        EXPECT_EQ(v.text, c.text) << c.name;
        EXPECT_EQ(v.alarm, c.alarm) << c.name;
    }
}

TEST(StatusLine, AQuickRefreshDoesNotFlicker) {
    const QDateTime t0(QDate(2026, 12, 7), QTime(10, 30));
    StatusLine line;
    line.refreshSucceeded(t0);
    line.refreshStarted(t0.addSecs(60));
    EXPECT_EQ(line.view(t0.addMSecs(60500), 5).text, u"Atualizado às 10:30"_s);
}
