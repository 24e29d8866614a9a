#pragma once

#include "database/ConnectionString.h"

#include <QDate>
#include <QString>
#include <memory>

namespace assi {

// The board's two queries in the words of one database engine. Every engine
// must give the same rows in the same order: the SQL Server texts are the ones
// the sites' databases have always been read with; the SQLite texts say the
// same thing for the demo and the tests.
class SqlDialect {
public:
    virtual ~SqlDialect() = default;

    // Pending requests: Dep, Cliente, Pedido, DataPedido, Obs, by department.
    virtual QString pendingRequestsSql() const = 0;

    // Open orders due in the seven days from `today`: DiaSemana, Data, Tecnico,
    // Cliente, by delivery date.
    virtual QString weekOrdersSql(const QDate& today) const = 0;

    static std::unique_ptr<SqlDialect> forEngine(DatabaseEngine engine);

    // The inclusive bounds of the week window: today at 00:00:00 and the sixth
    // day after it at 23:59:59, as "yyyy-MM-dd hh:mm:ss".
    static QString windowStartText(const QDate& today);
    static QString windowEndText(const QDate& today);
};

} // namespace assi
