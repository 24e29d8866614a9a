#include "database/QueryCells.h"

#include "core/BoardError.h"

#include <QDateTime>
#include <QSqlField>
#include <QSqlQuery>
#include <QSqlRecord>

using namespace Qt::StringLiterals;

namespace assi {

namespace {

// Integers whose text is always their digits; a bool, a character or a text is not.
bool printsAsDigits(const QVariant& value) {
    switch (value.typeId()) {
    case QMetaType::Bool:
    case QMetaType::Char:
    case QMetaType::SChar:
    case QMetaType::UChar:
        return false;
    default:
        return isWholeNumberType(value.metaType());
    }
}

QString textOf(const QVariant& value) {
    if (value.typeId() == QMetaType::QString)
        return *static_cast<const QString*>(value.constData());
    return value.toString();
}

QueryCell textCell(QString text) {
    return {QueryCell::Kind::Text, std::move(text), {}};
}

QueryCell dateTimeCell(const QDateTime& dateTime) {
    const QDate date = dateTime.date();
    const QTime time = dateTime.time();
    return {QueryCell::Kind::DateTime,
            {},
            {date.year(), date.month(), date.day(), time.hour(), time.minute(), time.second(),
             time.msec()}};
}

} // namespace

QueryCells::QueryCells(const QSqlQuery& query, DatabaseEngine engine, const QList<int>& textColumns)
    : m_query(query), m_textColumns(textColumns) {
    const QSqlRecord record = query.record();
    m_columns.resize(size_t(record.count()));
    for (int c = 0; c < record.count(); ++c) {
        m_names.append(record.fieldName(c));
        const QMetaType type = record.field(c).metaType();
        Kind& kind = m_columns[size_t(c)].kind;
        if (textColumns.contains(c))
            kind = Kind::Text;
        else if (isWholeNumberType(type))
            kind = Kind::Number;
        else if (isDateTimeType(type))
            kind = Kind::DateTime;
        else if (engine == DatabaseEngine::Sqlite)
            kind = Kind::SqliteText;
    }
}

int QueryCells::columnIndex(const QString& name) const {
    for (int c = 0; c < m_names.size(); ++c) {
        if (m_names[c].compare(name, Qt::CaseInsensitive) == 0)
            return c;
    }
    return -1;
}

QList<int> QueryCells::textColumns() const {
    return m_textColumns;
}

void QueryCells::readAgainAsText(int index) {
    if (!m_textColumns.contains(index))
        m_textColumns.append(index);
    m_mustReadAgain = true;
}

QueryCell QueryCells::cell(int index) {
    const QVariant value = m_query.value(index);
    if (value.isNull())
        return {};
    Column& column = m_columns[size_t(index)];
    switch (column.kind) {
    case Kind::Number:
        return numberCell(index, column, value);
    case Kind::DateTime: {
        const QDateTime dateTime =
            value.typeId() == QMetaType::QDate ? value.toDate().startOfDay() : value.toDateTime();
        if (!dateTime.isValid())
            throw BoardError(u"Valor \"%1\" não é uma data para o campo %2."_s.arg(value.toString(),
                                                                                   m_names[index]));
        return dateTimeCell(dateTime);
    }
    case Kind::SqliteText:
        return sqliteTextCell(index, column, value);
    case Kind::Text:
        break;
    }
    return textCell(textOf(value));
}

// All of a whole-number column's values that fit 32 bits show as their digits;
// once one does not, every one shows as its text.
QueryCell QueryCells::numberCell(int index, Column& column, const QVariant& value) {
    if (!fitsInteger(value)) {
        if (!column.unfitSeen && column.digitsDiffered)
            readAgainAsText(index);
        column.unfitSeen = true;
        return textCell(value.toString());
    }
    if (column.unfitSeen)
        return textCell(value.toString());
    QString digits = QString::number(int(value.toLongLong()));
    if (!printsAsDigits(value) && digits != value.toString())
        column.digitsDiffered = true;
    return textCell(std::move(digits));
}

// A SQLite text column all of whose values read as date-times is a column of
// date-times; one value that does not makes every one of them text.
QueryCell QueryCells::sqliteTextCell(int index, Column& column, const QVariant& value) {
    if (!column.textsSeen && value.typeId() == QMetaType::QString) {
        if (const std::optional<DateTimeFields> fields =
                parseSqliteDateTime(*static_cast<const QString*>(value.constData()))) {
            column.datesSeen = true;
            return {QueryCell::Kind::DateTime, {}, *fields};
        }
    }
    if (column.datesSeen && !column.textsSeen)
        readAgainAsText(index);
    column.textsSeen = true;
    return textCell(textOf(value));
}

} // namespace assi
