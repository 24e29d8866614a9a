#include "data/SqlDialect.h"

#include "common/ScopedLocale.h"

#include <gtest/gtest.h>

using namespace assi;
using namespace Qt::StringLiterals;

namespace {

// The texts the sites' SQL Server databases are read with, piece by piece,
// every blank as it stands.
QString expectedPendingRequests() {
    const QStringList pieces{
        u" select d.Nome as Dep,c.Nome as Cliente,cast(a.Ano as nvarchar(4))+'/'+cast(a.Numero as nvarchar(10)) as Pedido,DataCriacao as DataPedido,Detalhes as Obs"_s,
        u" from zlv_OTK_Assistencias as a"_s,
        u" left outer join zlv_OTK_Equipas as d ON d.EquipaId=a.CodDepar"_s,
        u" left outer Join Clientes as c ON c.Codigo=a.Cliente"_s,
        u" Where a.Estado <= 2 And a.GeraOrdservico = 0"_s,
        u" order by d.Nome"_s,
    };
    return pieces.join(QString());
}

QString expectedWeekOrders(const QString& start, const QString& end) {
    const QStringList pieces{
        u" select "_s,
        u" Case DatePart(Weekday, o.DataEntrega)"_s,
        u" WHEN 1 THEN 'DOMINGO'"_s,
        u" WHEN 2 THEN 'SEGUNDA'"_s,
        u" WHEN 3 THEN 'TERÇA'"_s,
        u" WHEN 4 THEN 'QUARTA'"_s,
        u" WHEN 5 THEN 'QUINTA'"_s,
        u" WHEN 6 THEN 'SEXTA'"_s,
        u" WHEN 7 THEN 'SÁBADO'"_s,
        u" END as DiaSemana,format(o.DataEntrega,'yyyy-MM-dd') as Data,"_s,
        u" coalesce(f.FuncNome,'') as Tecnico,c.Nome as Cliente "_s,
        u" from zlv_OTK_OrdensServico as o"_s,
        u" inner join Clientes as c ON c.Codigo=o.Cliente"_s,
        u" left outer Join zlv_OTK_Funcionarios as f ON f.FuncId=o.FuncId"_s,
        u" Where o.Estado <= 2 and "_s,
        u" o.DataEntrega >= CONVERT(DATETIME, '"_s,
        start,
        u" ', 102) AND   o.DataEntrega <= CONVERT(DATETIME, '"_s,
        end,
        u" ', 102)"_s,
        u" order by format(o.DataEntrega,'yyyy-MM-dd')"_s,
    };
    return pieces.join(QString());
}

struct WindowCase {
    QDate today;
    const char16_t* start;
    const char16_t* end;
};

const WindowCase windowCases[] = {
    {QDate(2026, 12, 7), u"2026-12-07 00:00:00", u"2026-12-13 23:59:59"},
    {QDate(2026, 12, 28), u"2026-12-28 00:00:00", u"2027-01-03 23:59:59"}, // new year
    {QDate(2028, 2, 25), u"2028-02-25 00:00:00", u"2028-03-02 23:59:59"},  // leap day inside
    {QDate(2027, 2, 25), u"2027-02-25 00:00:00", u"2027-03-03 23:59:59"},  // no leap day
    {QDate(2026, 3, 26), u"2026-03-26 00:00:00", u"2026-04-01 23:59:59"},  // summer time starts
};

} // namespace

TEST(SqlDialect, SqlServerPendingRequestsTextIsVerbatim) {
    const auto dialect = SqlDialect::forEngine(DatabaseEngine::SqlServer);
    EXPECT_EQ(dialect->pendingRequestsSql(), expectedPendingRequests());
}

TEST(SqlDialect, SqlServerWeekOrdersTextIsVerbatimWithItsBounds) {
    const auto dialect = SqlDialect::forEngine(DatabaseEngine::SqlServer);
    // The texts must not follow the regional number or date format.
    for (const char* locale : {"C", "pt_PT.UTF-8", "en_US.UTF-8"}) {
        test::ScopedLocale scoped(locale);
        for (const WindowCase& c : windowCases) {
            SCOPED_TRACE(c.today.toString(Qt::ISODate).toStdString() + " " + locale);
            const QString start = QString::fromUtf16(c.start), end = QString::fromUtf16(c.end);
            EXPECT_EQ(SqlDialect::windowStartText(c.today), start);
            EXPECT_EQ(SqlDialect::windowEndText(c.today), end);
            EXPECT_EQ(dialect->weekOrdersSql(c.today), expectedWeekOrders(start, end));
        }
    }
    // Each bound reaches the server with one blank before its closing quote.
    EXPECT_TRUE(dialect->weekOrdersSql(QDate(2026, 12, 7)).contains(u"'2026-12-07 00:00:00 '"_s));
}

TEST(SqlDialect, SqliteUsesTheSameWindowBounds) {
    const auto dialect = SqlDialect::forEngine(DatabaseEngine::Sqlite);
    const QString sql = dialect->weekOrdersSql(QDate(2026, 12, 28));
    EXPECT_TRUE(sql.contains(u"'2026-12-28 00:00:00'"_s)) << sql.toStdString();
    EXPECT_TRUE(sql.contains(u"'2027-01-03 23:59:59'"_s)) << sql.toStdString();
}
