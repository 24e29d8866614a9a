#include "data/SqlDialect.h"

#include "data/SqlServerDialect.h"
#include "data/SqliteDialect.h"

using namespace Qt::StringLiterals;

namespace assi {

namespace {

// Locale-independent on purpose: these texts end up inside SQL.
QString isoDate(const QDate& date) {
    return u"%1-%2-%3"_s.arg(date.year(), 4, 10, QChar(u'0'))
        .arg(date.month(), 2, 10, QChar(u'0'))
        .arg(date.day(), 2, 10, QChar(u'0'));
}

} // namespace

std::unique_ptr<SqlDialect> SqlDialect::forEngine(DatabaseEngine engine) {
    switch (engine) {
    case DatabaseEngine::Sqlite:
        return std::make_unique<SqliteDialect>();
    case DatabaseEngine::SqlServer:
        break;
    }
    return std::make_unique<SqlServerDialect>();
}

QString SqlDialect::windowStartText(const QDate& today) {
    return isoDate(today) + u" 00:00:00"_s;
}

QString SqlDialect::windowEndText(const QDate& today) {
    return isoDate(today.addDays(6)) + u" 23:59:59"_s;
}

} // namespace assi
