#include "BoardCheck.h"

#include "BoardError.h"
#include "ConnectionCheck.h"
#include "DatabaseConnection.h"
#include "PendingRequests.h"
#include "SqlDialect.h"
#include "WeekBoard.h"

#include <QTextStream>
#include <cstdio>

using namespace Qt::StringLiterals;

namespace assi {

namespace {

constexpr int WorkingDays = 5;
constexpr int LastDayOfTheWeek = 6; // the board shows the seven days from today

// Runs a query as the board does and counts its rows.
int countRows(DatabaseConnection& connection, const QString& sql) {
    return connection.openQuery(sql).recordCount();
}

// What the board's two queries return today; a failing query is reported, not thrown.
bool checkQueries(DatabaseConnection& connection, QTextStream& out, const QDate& today) {
    const auto dialect = SqlDialect::forEngine(connection.engine());
    bool allWell = true;
    try {
        Recordset first, second;
        const int rows = countRows(connection, dialect->pendingRequestsSql());
        LoadPendingRequests(connection, first, second);
        out << u"Consulta dos pedidos pendentes: %1 linhas (%2 na Grelha_1, %3 na Grelha_11)"_s
                   .arg(rows)
                   .arg(first.recordCount())
                   .arg(second.recordCount())
            << Qt::endl;
    } catch (const BoardError& e) {
        out << u"Consulta dos pedidos pendentes: FALHOU — %1"_s.arg(e.message()) << Qt::endl;
        allWell = false;
    }
    try {
        const int rows = countRows(connection, dialect->weekOrdersSql(today));
        Recordset board;
        WeekDayNames dayNames{};
        bool ok = false;
        LoadWeekBoard(connection, today, board, dayNames, ok);
        out << u"Consulta das ordens de serviço de %1 a %2: %3 linhas"_s
                   .arg(today.toString(u"dd-MM-yyyy"_s),
                        today.addDays(LastDayOfTheWeek).toString(u"dd-MM-yyyy"_s))
                   .arg(rows);
        if (ok)
            out << u" (quadro de %1 linhas; colunas %2)"_s.arg(board.recordCount())
                       .arg(QStringList(dayNames.begin(), dayNames.begin() + WorkingDays)
                                .join(u", "_s));
        out << Qt::endl;
    } catch (const BoardError& e) {
        out << u"Consulta das ordens de serviço: FALHOU — %1"_s.arg(e.message()) << Qt::endl;
        allWell = false;
    }
    return allWell;
}

} // namespace

int runBoardCheck(const QString& baseDirOverride, const QString& appDir, const QDate& today) {
    QTextStream out(stdout);
    bool allWell = false;
    try {
        allWell = checkConnection(baseDirOverride, appDir, out,
                                  [&today](DatabaseConnection& connection, QTextStream& stream) {
                                      return checkQueries(connection, stream, today);
                                  });
    } catch (const BoardError& e) {
        out << e.message() << Qt::endl;
    }
    out << (allWell ? u"Tudo em ordem."_s : u"Há problemas: veja acima."_s) << Qt::endl;
    return allWell ? 0 : 1;
}

} // namespace assi
