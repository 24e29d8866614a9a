#include "QueryColumns.h"

#include "BoardError.h"

using namespace Qt::StringLiterals;

namespace assi {

int requireQueryColumn(const Recordset& query, const QString& name) {
    const int index = query.fieldIndex(name);
    if (index < 0)
        throw BoardError(u"A consulta à base de dados não devolveu a coluna \"%1\"."_s.arg(name));
    return index;
}

} // namespace assi
