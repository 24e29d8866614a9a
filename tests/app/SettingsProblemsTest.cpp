#include "app/SettingsProblems.h"

#include <gtest/gtest.h>

using namespace assi;
using namespace Qt::StringLiterals;

namespace {

using Step = SettingsProblems::Step;

StatusLine::SettingsProblem problem(const QString& place) {
    return {place, u"Definição inválida em %1: \"x\" não é um número"_s.arg(place)};
}

// The places of `problems`, in order, as one line.
std::string places(const QList<StatusLine::SettingsProblem>& problems) {
    QStringList names;
    for (const StatusLine::SettingsProblem& p : problems)
        names << p.place;
    return names.join(u", "_s).toStdString();
}

} // namespace

// Each step replaces only what it found; the whole list names every problem
// once, in the order of the steps, and says what came and what went.
TEST(SettingsProblems, EachStepReplacesOnlyItsOwn) {
    const auto general = problem(u"[Geral] SegundosPorPagina"_s);
    const auto heading = problem(u"[GrelhaPedidos] Cabecalho_FonteSize"_s);
    const auto board = problem(u"[GrelhaAssistencias] AlturaLinhas"_s);
    const auto width = problem(u"[GrelhaPedidos] Grid_Coluna2"_s);
    SettingsProblems problems;

    SettingsProblems::Changes changes = problems.set(Step::RequestColumns, {width});
    EXPECT_EQ(places(changes.found), places({width}));
    changes = problems.set(Step::RequestLooks, {heading});
    EXPECT_EQ(places(changes.found), places({heading}));
    changes = problems.set(Step::General, {general});
    changes = problems.set(Step::BoardLook, {board});
    EXPECT_EQ(places(problems.all()), places({general, heading, board, width}));

    // The second request grid finds what the first did: nothing new.
    changes = problems.set(Step::RequestLooks, {heading});
    EXPECT_TRUE(changes.found.isEmpty());
    EXPECT_TRUE(changes.gone.isEmpty());

    // The same message from two steps is one problem, gone only when both drop it.
    changes = problems.set(Step::General, {general, heading});
    EXPECT_TRUE(changes.found.isEmpty());
    EXPECT_EQ(places(problems.all()), places({general, heading, board, width}));
    changes = problems.set(Step::RequestLooks, {});
    EXPECT_TRUE(changes.gone.isEmpty());
    changes = problems.set(Step::General, {});
    EXPECT_EQ(places(changes.gone), places({general, heading}));
    EXPECT_EQ(places(problems.all()), places({board, width}));
}
