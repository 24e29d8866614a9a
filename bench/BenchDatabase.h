#pragma once

#include <QDate>
#include <QString>

namespace assi::bench {

// Adds `rows` pending requests and `rows` open orders in the week from
// `today` to a demo database, with a few dozen departments, clients and
// technicians over them, as at a real site. Exits the process on failure:
// a bench has no one to hand an error to.
void addBenchRows(const QString& databaseFile, int rows, const QDate& today);

} // namespace assi::bench
