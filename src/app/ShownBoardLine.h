#pragma once

#include <QList>
#include <QString>

namespace assi {

class Assi;

/// A grid's page as its caption shows it: `current` of `count`, from 1.
struct ShownPage {
    int current = 1;
    int count = 1;
};

/// "página 2/4": the page of the grid with the most pages, whose round is
/// the board's longest (the first such grid on a tie); empty when no grid
/// has more than one page.
QString pageWords(const QList<ShownPage>& pages);

/// What the wall shows, in one line for someone who cannot see it (the
/// service manager's status, `--estado`): the footer's words, then, while
/// the grids show data, how many requests and orders and which page, e.g.
/// "Atualizado às 10:41 · 60 pedidos · 36 ordens · página 2/4". A board
/// that could not start says why; a closed one, that it is closed.
QString describeShownBoard(const Assi& window);

} // namespace assi
