#include "BoardTables.h"

#include "data/PendingRequests.h"
#include "database/ConnectionStringBuilder.h"

using namespace Qt::StringLiterals;

namespace assi::test {

namespace {

// Appends each row's values, in field order, to `table`.
template <typename Row, typename Values>
Recordset filled(Recordset table, const QList<Row>& rows, Values valuesOf) {
    for (const Row& row : rows) {
        table.addNew();
        const QVariantList values = valuesOf(row);
        for (int f = 0; f < int(values.size()); ++f)
            table.setValue(f, values[f]);
        table.update();
    }
    table.moveFirst();
    return table;
}

QVariantList requestValues(const RequestRow& row) {
    return {row.dep, row.cliente, row.pedido, row.dataPedido, row.obs};
}

} // namespace

Recordset requestQuery(const QList<RequestRow>& rows) {
    Recordset query;
    query.appendField(u"Dep"_s, FieldType::Text);
    query.appendField(u"Cliente"_s, FieldType::Text);
    query.appendField(u"Pedido"_s, FieldType::Text);
    query.appendField(u"DataPedido"_s, FieldType::DateTime);
    query.appendField(u"Obs"_s, FieldType::Text);
    return filled(query, rows, requestValues);
}

Recordset boundRequests(const QList<RequestRow>& rows) {
    return filled(BuildRequestRecordset(), rows, requestValues);
}

Recordset orderQuery(const QList<OrderRow>& rows) {
    Recordset query;
    query.appendField(u"DiaSemana"_s, FieldType::Text);
    query.appendField(u"Data"_s, FieldType::Text);
    query.appendField(u"Tecnico"_s, FieldType::Text);
    query.appendField(u"Cliente"_s, FieldType::Text);
    return filled(query, rows, [](const OrderRow& row) {
        return QVariantList{row.diaSemana, row.data, row.tecnico, row.cliente};
    });
}

Recordset boardRecordset(const QList<BoardRow>& rows) {
    return filled(BuildBoardRecordset(), rows, [](const BoardRow& row) {
        QVariantList values(boardFieldCount);
        values[boardOrdField] = row.ord;
        for (int column = 0; column < dayColumnCount; ++column) {
            const QVariant& name = row.days[size_t(column)];
            if (name.isNull())
                continue;
            values[boardDayField(column)] = name;
            values[boardSpacerField(column)] = QString(u""_s);
        }
        values[boardTipoField] = row.tipo;
        return values;
    });
}

ConnectionString sqliteConnection(const QString& filePath, const QString& odbcDriver) {
    ConnectionStringBuilder builder;
    builder.setProvider(u"MSDataShape"_s);
    builder.setReadOnly(true);
    builder.setEngine(DatabaseEngine::Sqlite);
    builder.setDatabase(filePath);
    builder.setOdbcDriver(odbcDriver);
    return builder.buildConnectionString();
}

} // namespace assi::test
