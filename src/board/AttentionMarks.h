#pragma once

#include "core/Recordset.h"

#include <QDate>
#include <QHash>
#include <QString>
#include <optional>
#include <vector>

namespace assi {

struct RequestAttention;

// What makes a row stand out, one per record of a grid.
enum class RowMark : quint8 {
    None,
    Warning,      // a request DiasAviso days old or more: "Aviso"
    Late,         // DiasAtraso days old or more: "Atraso"
    New,          // arrived within MinutosNovo minutes: "Novo"
    NoTechnician, // a technician line with an order nobody is on: "SemTecnico"
};
using RowMarks = std::vector<RowMark>;

// The mark as the dump names it ("aviso", "atraso", "novo", "semTecnico");
// null for None.
QString markName(RowMark mark);
// The grid style that draws it ("Aviso", "Atraso", "Novo", "SemTecnico").
QString markStyleName(RowMark mark);

// When each request shown came onto the board, on a steady clock in
// milliseconds. What the first refresh finds was there before the board
// was, so nothing is new at start, nor after a restart.
class RequestArrivals {
public:
    // Takes the requests of a refresh (every grid's) as seen at `now`.
    void take(const std::vector<const Recordset*>& grids, qint64 now);
    // Whether the request known by `key` (see requestKey()) came less than
    // `minutes` before `now`.
    bool isNew(const QString& key, qint64 now, int minutes) const;
    // The first moment after `now` at which a request stops being new.
    std::optional<qint64> nextChange(qint64 now, int minutes) const;
    // Starts afresh: the next refresh is a first one again.
    void forget();
    bool isTracking() const { return m_tracking; }

private:
    // The keys of the last refresh, in the order its grids showed them, one
    // after the other: a refresh mostly shows what the last one did, in the
    // same order, so each key is first compared with the one at its place.
    QString m_keys;
    std::vector<qsizetype> m_keyEnds;
    // When each request that came while tracking did; the others came
    // before the board.
    QHash<QString, qint64> m_arrivedAt;
    bool m_tracking = false;
};

// What a request is known by from one refresh to the next: its number, or
// without one, everything it shows. `pedido` is the number's field, or -1.
QString requestKey(const Recordset& requests, int row, int pedido);

// The mark of each request of `requests` (fields Dep, Cliente, Pedido,
// DataPedido, Obs): late, then new, then getting old, the first that
// applies. A request's age counts whole calendar days from its date to
// `today`; a date that does not read is no age.
RowMarks markRequests(const Recordset& requests, const QDate& today,
                      const RequestAttention& attention, const RequestArrivals& arrivals,
                      qint64 now);

// Whether the cell of `board` at `row`, `field` is an order's technician
// line without a technician: an empty (not null) day cell on a row of Tipo "1".
bool lacksTechnician(const Recordset& board, int row, int field);
// NoTechnician on each technician line of `board` with such a cell.
RowMarks markOrders(const Recordset& board);

} // namespace assi
