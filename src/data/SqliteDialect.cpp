#include "data/SqliteDialect.h"

using namespace Qt::StringLiterals;

namespace assi {

// Rows that tie on the ordering key come in the order they were stored
// (rowid), which is what SQL Server's scans give in practice; the board's
// sequence numbers depend on that order, so it is made explicit here.

QString SqliteDialect::pendingRequestsSql() const {
    // "||" gives NULL when either part is NULL, like "+" on SQL Server; NULL
    // department names sort first on both engines.
    return u"select d.Nome as Dep, c.Nome as Cliente,"_s
           u" cast(a.Ano as text) || '/' || cast(a.Numero as text) as Pedido,"_s
           u" a.DataCriacao as DataPedido, a.Detalhes as Obs"_s
           u" from zlv_OTK_Assistencias as a"_s
           u" left outer join zlv_OTK_Equipas as d on d.EquipaId = a.CodDepar"_s
           u" left outer join Clientes as c on c.Codigo = a.Cliente"_s
           u" where a.Estado <= 2 and a.GeraOrdservico = 0"_s
           u" order by d.Nome, a.rowid"_s;
}

QString SqliteDialect::weekOrdersSql(const QDate& today) const {
    // strftime('%w') counts Sunday as 0; one more gives SQL Server's
    // numbering with Sunday as day 1. datetime() on both sides compares
    // instants, not texts, so a value stored without its time still counts.
    return u"select case cast(strftime('%w', o.DataEntrega) as integer) + 1"_s
           u" when 1 then 'DOMINGO'"_s
           u" when 2 then 'SEGUNDA'"_s
           u" when 3 then 'TERÇA'"_s
           u" when 4 then 'QUARTA'"_s
           u" when 5 then 'QUINTA'"_s
           u" when 6 then 'SEXTA'"_s
           u" when 7 then 'SÁBADO'"_s
           u" end as DiaSemana, strftime('%Y-%m-%d', o.DataEntrega) as Data,"_s
           u" coalesce(f.FuncNome, '') as Tecnico, c.Nome as Cliente"_s
           u" from zlv_OTK_OrdensServico as o"_s
           u" inner join Clientes as c on c.Codigo = o.Cliente"_s
           u" left outer join zlv_OTK_Funcionarios as f on f.FuncId = o.FuncId"_s
           u" where o.Estado <= 2"_s
           u" and datetime(o.DataEntrega) >= datetime('"_s +
           windowStartText(today) + u"')"_s + u" and datetime(o.DataEntrega) <= datetime('"_s +
           windowEndText(today) + u"')"_s +
           u" order by strftime('%Y-%m-%d', o.DataEntrega), o.rowid"_s;
}

} // namespace assi
