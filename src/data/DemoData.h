#pragma once

#include <QDate>

namespace assi {

class DemoDatabase;

// Fills an empty demo database with a believable department around `today`:
// six departments and about sixty pending requests; about forty open orders
// over the seven days from today, some at the weekend, some without
// technician, one working day with a dozen or more; and rows that the board
// must not show (closed requests and orders, a request already turned into an
// order, an order eight days ahead, an order of an unknown client), whose
// client names say so. The same date always gives the same data.
void fillDemoDatabase(DemoDatabase& database, const QDate& today);

} // namespace assi
