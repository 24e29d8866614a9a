#include "data/ConnectionCheck.h"

#include "core/BoardError.h"
#include "data/ConnectionStartup.h"
#include "data/PasswordFileWarning.h"
#include "data/PendingRequests.h"
#include "data/SqlDialect.h"
#include "data/WeekBoard.h"
#include "database/ConnectionStringBuilder.h"
#include "database/DatabaseConnection.h"

#include <QDir>
#include <QTextStream>

using namespace Qt::StringLiterals;

namespace assi {

namespace {

using Key = ConnectionProfile::Key;

constexpr int WorkingDays = 5;
constexpr int LastDayOfTheWeek = 6; // the board shows the seven days from today

// Runs a query as the board does and counts its rows.
int countRows(DatabaseConnection& connection, const QString& sql) {
    return connection.openQuery(sql).recordCount();
}

QString shown(const QString& path) {
    return QDir::toNativeSeparators(path);
}

void writeSettingsFile(const ConnectionPlan& plan, QTextStream& out) {
    out << u"Ficheiro de definições: "_s << shown(plan.settingsFilePath) << u'\n';
    if (plan.siteFolderExists)
        out << u"  Escolhido porque existe a pasta do local "_s << shown(plan.siteFolder)
            << u".\n"_s;
    else
        out << u"  Escolhido porque não existe a pasta do local "_s << shown(plan.siteFolder)
            << u": usa-se a pasta do programa "_s << shown(plan.programFolder) << u".\n"_s;
    if (!plan.settingsFileExists)
        out << u"  ATENÇÃO: este ficheiro não existe.\n"_s;
}

void writeProgramFolder(const ConnectionPlan& plan, QTextStream& out) {
    out << u"Pasta do programa: "_s << shown(plan.programFolder) << u'\n';
    out << u"  Porque "_s << plan.programFolderReason << u".\n"_s;
}

// Said, not failed: the board runs all the same.
void writePasswordWarnings(const ConnectionPlan& plan, QTextStream& out) {
    for (const QString& warning : readablePasswordWarnings(plan))
        out << u"AVISO: "_s << warning << u'\n';
}

QString whereFrom(const ConnectionPlan& plan) {
    return plan.usesCatalogue ? u"catálogo"_s : u"ficheiro de definições"_s;
}

QString describeValue(const ConnectionPlan& plan, Key key) {
    const ConnectionProfile& profile = plan.profile;
    const QString origin = u" ("_s + whereFrom(plan) + u')';
    const QString raw = profile.rawValue(key).trimmed();
    switch (key) {
    case Key::Senha:
        return profile.password().isEmpty() ? u"(vazia)"_s + origin : u"****"_s + origin;
    case Key::Motor:
        return raw.isEmpty() ? u"sqlserver (por omissão)"_s : raw + origin;
    case Key::Driver: {
        const bool sqlite =
            profile.rawValue(Key::Motor).trimmed().compare(u"sqlite"_s, Qt::CaseInsensitive) == 0;
        if (sqlite && ConnectionStringBuilder::isSqlServerDriver(raw))
            return raw + origin +
                   u": ignorado, o motor sqlite abre o ficheiro com o controlador SQLite do Qt"_s;
        if (!raw.isEmpty())
            return raw + origin;
        return sqlite ? u"(nenhum: controlador SQLite do Qt)"_s : u"FreeTDS (por omissão)"_s;
    }
    case Key::BaseDados:
        return profile.database().isEmpty() ? u"(vazio)"_s + origin
                                            : shown(profile.database()) + origin;
    case Key::Servidor:
    case Key::Utilizador:
        break;
    }
    const QString value = profile.rawValue(key);
    return value.isEmpty() ? u"(vazio)"_s + origin : value + origin;
}

void writeValues(const ConnectionPlan& plan, QTextStream& out) {
    if (!plan.usesCatalogue) {
        out << u"Valores de ligação: do ficheiro de definições.\n"_s;
    } else {
        out << u"Valores de ligação: do catálogo "_s << shown(plan.catalogueFilePath);
        if (!plan.settingsFileExists)
            out << u", porque o ficheiro de definições não existe.\n"_s;
        else
            out << u", porque no ficheiro de definições falta "_s
                << plan.emptyInSettings.join(u", "_s) << u".\n"_s;
        if (!plan.profile.sourceFileExists())
            out << u"  ATENÇÃO: o catálogo não existe.\n"_s;
    }
    const Key order[] = {Key::Motor,     Key::Driver,     Key::Servidor,
                         Key::BaseDados, Key::Utilizador, Key::Senha};
    // One blank after the longest key name lines the values up.
    const qsizetype keyWidth = ConnectionProfile::keyName(Key::Utilizador).size() + 1;
    for (Key key : order)
        out << u"  "_s << ConnectionProfile::keyName(key).leftJustified(keyWidth) << u"= "_s
            << describeValue(plan, key) << u'\n';
}

} // namespace

bool checkConnection(const QString& baseFolderOverride, const QString& appDir, QTextStream& out,
                     const OpenConnectionCheck& moreChecks) {
    const ConnectionPlan plan = planConnection(baseFolderOverride, appDir);
    writeProgramFolder(plan, out);
    writeSettingsFile(plan, out);
    writeValues(plan, out);
    writePasswordWarnings(plan, out);

    DatabaseConnection connection;
    try {
        LIgarBd(plan, connection);
    } catch (const BoardError& error) {
        out << u"Ligação: FALHOU.\n  "_s << error.message() << u'\n';
        out.flush();
        return false;
    }
    out << u"Ligação: aberta ("_s << connection.connectionString().describe() << u").\n"_s;

    bool ok = plan.settingsFileExists;
    if (moreChecks)
        ok = moreChecks(connection, out) && ok;
    out.flush();
    return ok;
}

bool checkBoardQueries(DatabaseConnection& connection, QTextStream& out, const QDate& today) {
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
        int weekendOrders = 0;
        LoadWeekBoard(connection, today, board, dayNames, ok, &weekendOrders);
        out << u"Consulta das ordens de serviço de %1 a %2: %3 linhas"_s
                   .arg(today.toString(u"dd-MM-yyyy"_s),
                        today.addDays(LastDayOfTheWeek).toString(u"dd-MM-yyyy"_s))
                   .arg(rows);
        // Said so that the rows above and the orders the board shows add up.
        QStringList details;
        if (weekendOrders > 0)
            details << u"%1 ao fim de semana, fora das colunas do quadro"_s.arg(weekendOrders);
        if (ok)
            details << u"quadro de %1 linhas; colunas %2"_s.arg(board.recordCount())
                           .arg(QStringList(dayNames.begin(), dayNames.begin() + WorkingDays)
                                    .join(u", "_s));
        if (!details.isEmpty())
            out << u" ("_s << details.join(u"; "_s) << u')';
        out << Qt::endl;
    } catch (const BoardError& e) {
        out << u"Consulta das ordens de serviço: FALHOU — %1"_s.arg(e.message()) << Qt::endl;
        allWell = false;
    }
    return allWell;
}

} // namespace assi
