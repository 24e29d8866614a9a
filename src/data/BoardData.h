#pragma once

#include "core/Recordset.h"
#include "data/WeekBoard.h"

#include <QDate>
#include <QMetaType>
#include <QString>
#include <optional>

namespace assi {

/// Everything one refresh reads from the database, handed from the thread
/// that owns the connection to the window. An error is kept with the step
/// that met it, so the window can stop its refresh at that same step.
struct BoardData {
    QDate today;

    Recordset first;                      // requests for Grelha_1
    Recordset second;                     // requests for Grelha_11
    std::optional<QString> requestsError; // connecting or reading the requests failed

    WeekDayNames DiasSemana{};
    Recordset board;
    bool ok = false;       // the weekly query found orders
    int weekendOrders = 0; // of those, the ones no day column shows
    std::optional<QString> weekError;
};

} // namespace assi

Q_DECLARE_METATYPE(assi::BoardData)
