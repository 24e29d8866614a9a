#include "data/PendingRequests.h"

#include "data/FieldTexts.h"
#include "data/QueryColumns.h"
#include "data/RegionalText.h"
#include "data/SqlDialect.h"
#include "database/DatabaseConnection.h"

#include <array>

using namespace Qt::StringLiterals;

namespace assi {

namespace {

constexpr int requestFieldCount = 5;

struct RequestField {
    QString name;
    int size;
    // A date-time shows as its date alone: its time would otherwise follow
    // the regional short date into the field, and where that date is short
    // (the C locale's "11/30/26") a piece of the time would show after it.
    DateShown shown = DateShown::DateAndTime;
};

const std::array<RequestField, requestFieldCount>& requestFields() {
    static const std::array<RequestField, requestFieldCount> fields{{
        {u"Dep"_s, requestDepSize},
        {u"Cliente"_s, requestClienteSize},
        {u"Pedido"_s, requestPedidoSize},
        {u"DataPedido"_s, requestDataPedidoSize, DateShown::DateOnly},
        {u"Obs"_s, requestObsSize},
    }};
    return fields;
}

QVariant shownPart(const RequestField& field, const QVariant& value) {
    if (field.shown == DateShown::DateOnly && value.typeId() == QMetaType::QDateTime &&
        !value.isNull())
        return value.toDateTime().date();
    return value;
}

} // namespace

Recordset BuildRequestRecordset() {
    Recordset requests;
    for (const RequestField& field : requestFields())
        requests.appendField(field.name, FieldType::Text, field.size);
    return requests;
}

void dealOutRequests(Recordset& query, Recordset& first, Recordset& second) {
    first = BuildRequestRecordset();
    second = BuildRequestRecordset();
    if (query.recordCount() == 0)
        return;

    std::array<int, requestFieldCount> source{};
    for (int f = 0; f < requestFieldCount; ++f)
        source[size_t(f)] = requireQueryColumn(query, requestFields()[size_t(f)].name);

    for (; !query.eof(); query.moveNext()) {
        // The alternation follows the row's place in the whole ordered result,
        // across departments, so each grid gets about half of every department.
        const int position = query.absolutePosition();
        Recordset& target = position % 2 != 0 ? first : second;
        target.addNew();
        // The target's sized fields cut each text to their size.
        for (int f = 0; f < requestFieldCount; ++f)
            target.setValue(f, toRegionalText(shownPart(requestFields()[size_t(f)],
                                                        query.value(source[size_t(f)]))));
        target.update();
    }
}

void LoadPendingRequests(DatabaseConnection& connection, Recordset& first, Recordset& second) {
    first = BuildRequestRecordset();
    second = BuildRequestRecordset();
    const auto dialect = SqlDialect::forEngine(connection.engine());
    std::array<int, requestFieldCount> source{};
    FieldTexts texts;
    int position = 0;
    connection.readQuery(
        dialect->pendingRequestsSql(),
        [&](const QueryCells& cells) {
            first = BuildRequestRecordset();
            second = BuildRequestRecordset();
            texts = FieldTexts();
            position = 0;
            for (int f = 0; f < requestFieldCount; ++f)
                source[size_t(f)] = requireQueryColumn(cells, requestFields()[size_t(f)].name);
        },
        [&](QueryCells& cells) {
            // As dealOutRequests: odd rows of the whole result to the first grid.
            Recordset& target = ++position % 2 != 0 ? first : second;
            target.addNew();
            for (int f = 0; f < requestFieldCount; ++f) {
                const RequestField& field = requestFields()[size_t(f)];
                target.setValue(f, texts.text(cells, source[size_t(f)], field.size, field.shown));
            }
            target.update();
        });
}

} // namespace assi
