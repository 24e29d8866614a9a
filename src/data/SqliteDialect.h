#pragma once

#include "data/SqlDialect.h"

namespace assi {

// The same queries for SQLite (the demo and the tests). Date-times are stored
// as text "yyyy-MM-dd hh:mm:ss".
class SqliteDialect final : public SqlDialect {
public:
    QString pendingRequestsSql() const override;
    QString weekOrdersSql(const QDate& today) const override;
};

} // namespace assi
