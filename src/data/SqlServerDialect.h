#pragma once

#include "data/SqlDialect.h"

namespace assi {

// The queries as the sites' SQL Server databases have always been read.
class SqlServerDialect final : public SqlDialect {
public:
    QString pendingRequestsSql() const override;
    QString weekOrdersSql(const QDate& today) const override;
};

} // namespace assi
