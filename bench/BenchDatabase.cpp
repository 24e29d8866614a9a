#include "BenchDatabase.h"

#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <cstdio>
#include <cstdlib>

using namespace Qt::StringLiterals;

namespace assi::bench {

namespace {

constexpr int departmentCount = 12;
constexpr int clientCount = 60;
constexpr int technicianCount = 40;
constexpr int requestDays = 300;
// Far above the demo's own ids.
constexpr int firstBenchId = 10000;

void exec(QSqlQuery& query, const QString& sql) {
    if (!query.exec(sql)) {
        std::fprintf(stderr, "%s\n%s\n", qPrintable(sql), qPrintable(query.lastError().text()));
        std::exit(1);
    }
}

} // namespace

// The same rows as assi_refresh_bench adds, so that figures of the two line up.
void addBenchRows(const QString& databaseFile, int rows, const QDate& today) {
    const QString name = u"assi-bench-fill"_s;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(u"QSQLITE"_s, name);
        db.setDatabaseName(databaseFile);
        if (!db.open()) {
            std::fprintf(stderr, "%s: %s\n", qPrintable(databaseFile),
                         qPrintable(db.lastError().text()));
            std::exit(1);
        }
        QSqlQuery q(db);
        const auto series = [](int count) {
            return u"with recursive n(i) as (select 0 union all select i + 1 from n where i < %1) "_s
                .arg(count - 1);
        };
        exec(q, u"begin"_s);
        exec(q, series(departmentCount) +
                    u"insert into zlv_OTK_Equipas select %1 + i, 'Departamento ' || i from n"_s.arg(
                        firstBenchId));
        exec(q, series(clientCount) +
                    u"insert into Clientes select %1 + i, 'Cliente de Assistência Técnica n.º '"
                    u" || i || ', Lda.' from n"_s.arg(firstBenchId));
        exec(q, series(technicianCount) +
                    u"insert into zlv_OTK_Funcionarios select %1 + i, 'Técnico ' || i from n"_s.arg(
                        firstBenchId));
        exec(q, series(rows) +
                    u"insert into zlv_OTK_Assistencias select 2026, %1 + i, i % 3, 0,"
                    u" %1 + i % %2, %1 + (i * 7) % %3,"
                    u" datetime('%4', '-' || (i % %5) || ' days', '+' || (8 + i % 10) || ' hours'),"
                    u" case when i % 7 = 0 then null else 'Equipamento não arranca depois da falha"
                    u" de energia; pedido ' || i end from n"_s.arg(firstBenchId)
                        .arg(departmentCount)
                        .arg(clientCount)
                        .arg(today.toString(Qt::ISODate))
                        .arg(requestDays));
        exec(q,
             series(rows) +
                 u"insert into zlv_OTK_OrdensServico select"
                 u" datetime('%1', '+' || (i * 7 / %2) || ' days', '+' || (8 + i % 9) || ' hours'),"
                 u" i % 3, %3 + (i * 11) % %4, case when i % 9 = 0 then null else %3 + i % %5 end"
                 u" from n"_s.arg(today.toString(Qt::ISODate))
                     .arg(rows)
                     .arg(firstBenchId)
                     .arg(clientCount)
                     .arg(technicianCount));
        exec(q, u"commit"_s);
    }
    QSqlDatabase::removeDatabase(name);
}

} // namespace assi::bench
