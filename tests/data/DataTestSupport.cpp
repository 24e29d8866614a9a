#include "DataTestSupport.h"

using namespace Qt::StringLiterals;

namespace assi::test {

Recordset requestQuery(const QList<RequestRow>& rows) {
    Recordset rs;
    rs.appendField(u"Dep"_s, FieldType::Text);
    rs.appendField(u"Cliente"_s, FieldType::Text);
    rs.appendField(u"Pedido"_s, FieldType::Text);
    rs.appendField(u"DataPedido"_s, FieldType::DateTime);
    rs.appendField(u"Obs"_s, FieldType::Text);
    for (const RequestRow& row : rows) {
        rs.addNew();
        rs.setValue(0, row.dep);
        rs.setValue(1, row.cliente);
        rs.setValue(2, row.pedido);
        rs.setValue(3, row.dataPedido);
        rs.setValue(4, row.obs);
        rs.update();
    }
    rs.moveFirst();
    return rs;
}

Recordset orderQuery(const QList<OrderRow>& rows) {
    Recordset rs;
    rs.appendField(u"DiaSemana"_s, FieldType::Text);
    rs.appendField(u"Data"_s, FieldType::Text);
    rs.appendField(u"Tecnico"_s, FieldType::Text);
    rs.appendField(u"Cliente"_s, FieldType::Text);
    for (const OrderRow& row : rows) {
        rs.addNew();
        rs.setValue(0, row.diaSemana);
        rs.setValue(1, row.data);
        rs.setValue(2, row.tecnico);
        rs.setValue(3, row.cliente);
        rs.update();
    }
    rs.moveFirst();
    return rs;
}

QStringList columnText(Recordset& rs, const QString& field) {
    QStringList values;
    for (rs.moveFirst(); !rs.eof(); rs.moveNext()) {
        const QVariant v = rs.value(field);
        values << (v.isNull() ? u"NULL"_s : v.toString());
    }
    return values;
}

ConnectionString sqliteConnection(const QString& filePath) {
    ConnectionString connection;
    connection.engine = DatabaseEngine::Sqlite;
    connection.driverName = u"QSQLITE"_s;
    connection.databaseName = filePath;
    connection.connectOptions = u"QSQLITE_OPEN_READONLY"_s;
    connection.database = filePath;
    connection.requiredFile = filePath;
    return connection;
}

} // namespace assi::test
