#include "data/SqlServerDialect.h"

using namespace Qt::StringLiterals;

namespace assi {

// The texts below are kept exactly as the existing installations use them,
// blanks included, so that a DBA comparing traces sees the same statements.

QString SqlServerDialect::pendingRequestsSql() const {
    return u" select d.Nome as Dep,c.Nome as Cliente,cast(a.Ano as nvarchar(4))+'/'+cast(a.Numero as nvarchar(10)) as Pedido,DataCriacao as DataPedido,Detalhes as Obs"_s
           u" from zlv_OTK_Assistencias as a"_s
           u" left outer join zlv_OTK_Equipas as d ON d.EquipaId=a.CodDepar"_s
           u" left outer Join Clientes as c ON c.Codigo=a.Cliente"_s
           u" Where a.Estado <= 2 And a.GeraOrdservico = 0"_s
           u" order by d.Nome"_s;
}

QString SqlServerDialect::weekOrdersSql(const QDate& today) const {
    return u" select "_s
           u" Case DatePart(Weekday, o.DataEntrega)"_s
           u" WHEN 1 THEN 'DOMINGO'"_s
           u" WHEN 2 THEN 'SEGUNDA'"_s
           u" WHEN 3 THEN 'TERÇA'"_s
           u" WHEN 4 THEN 'QUARTA'"_s
           u" WHEN 5 THEN 'QUINTA'"_s
           u" WHEN 6 THEN 'SEXTA'"_s
           u" WHEN 7 THEN 'SÁBADO'"_s
           u" END as DiaSemana,format(o.DataEntrega,'yyyy-MM-dd') as Data,"_s
           u" coalesce(f.FuncNome,'') as Tecnico,c.Nome as Cliente "_s
           u" from zlv_OTK_OrdensServico as o"_s
           u" inner join Clientes as c ON c.Codigo=o.Cliente"_s
           u" left outer Join zlv_OTK_Funcionarios as f ON f.FuncId=o.FuncId"_s
           u" Where o.Estado <= 2 and "_s
           u" o.DataEntrega >= CONVERT(DATETIME, '"_s +
           windowStartText(today) + u" ', 102) AND   o.DataEntrega <= CONVERT(DATETIME, '"_s +
           windowEndText(today) +
           u" ', 102)"_s
           u" order by format(o.DataEntrega,'yyyy-MM-dd')"_s;
}

} // namespace assi
