#include "data/QueryColumns.h"

#include "core/BoardError.h"

using namespace Qt::StringLiterals;

namespace assi {

namespace {

int required(int index, const QString& name) {
    if (index < 0)
        throw BoardError(u"A consulta à base de dados não devolveu a coluna \"%1\"."_s.arg(name));
    return index;
}

} // namespace

int requireQueryColumn(const Recordset& query, const QString& name) {
    return required(query.fieldIndex(name), name);
}

int requireQueryColumn(const QueryCells& query, const QString& name) {
    return required(query.columnIndex(name), name);
}

} // namespace assi
