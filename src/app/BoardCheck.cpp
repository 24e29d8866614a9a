#include "app/BoardCheck.h"

#include "core/BoardError.h"
#include "data/ConnectionCheck.h"
#include "data/ConnectionStartup.h"
#include "data/PendingRequests.h"
#include "data/SqlDialect.h"
#include "data/WeekBoard.h"
#include "database/DatabaseConnection.h"
#include "settings/KioskSettings.h"
#include "settings/SettingsLookup.h"
#include "wall/ScreenAwake.h"

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

QString describeHours(const OpeningHours& hours) {
    if (hours.isAlwaysOpen())
        return u"sempre aberto"_s;
    static const char16_t* const dayNames[] = {u"seg", u"ter", u"qua", u"qui",
                                               u"sex", u"sáb", u"dom"};
    QStringList days;
    for (size_t day = 0; day < hours.days.size(); ++day) {
        if (hours.days[day])
            days << QString::fromUtf16(dayNames[day]);
    }
    const auto clock = [](int minutes) {
        return u"%1:%2"_s.arg(minutes / 60, 2, 10, QChar(u'0'))
            .arg(minutes % 60, 2, 10, QChar(u'0'));
    };
    return u"das %1 às %2 (%3)"_s.arg(clock(hours.opensAt), clock(hours.closesAt), days.join(u","));
}

QString describeMechanism(ScreenAwake::Mechanism mechanism) {
    switch (mechanism) {
    case ScreenAwake::Mechanism::DBus:
        return u"pelo serviço org.freedesktop.ScreenSaver do ambiente de trabalho"_s;
    case ScreenAwake::Mechanism::X11:
        return u"desligando a proteção de ecrã e o DPMS do servidor X"_s;
    case ScreenAwake::Mechanism::None:
        break;
    }
    return u"esta sessão não o permite; o ecrã fica entregue à sessão"_s;
}

// The wall's side of the board: when it is open and how it keeps the screen awake.
bool reportKiosk(const QString& settingsFile, QTextStream& out) {
    const SettingsLookup settings(settingsFile);
    const HoursSetting hours = readOpeningHours(settings);
    const ScaleChoice scale = readScaleSetting(settings);
    out << u"Horário de funcionamento: %1"_s.arg(describeHours(hours.hours)) << Qt::endl;
    for (const QString& problem : {hours.problem, scale.problem}) {
        if (!problem.isEmpty())
            out << problem << Qt::endl;
    }
    const auto awake = ScreenAwake::forSession();
    out << u"Ecrã ligado em horário de funcionamento: %1 (%2)"_s.arg(
               mechanismName(awake->mechanism()), describeMechanism(awake->mechanism()))
        << Qt::endl;
    return hours.problem.isEmpty() && scale.problem.isEmpty();
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
    allWell = reportKiosk(locateSettingsFile(baseDirOverride, appDir), out) && allWell;
    out << (allWell ? u"Tudo em ordem."_s : u"Há problemas: veja acima."_s) << Qt::endl;
    return allWell ? 0 : 1;
}

} // namespace assi
