#pragma once

#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QStringList>
#include <gtest/gtest.h>

namespace assi::test {

// Writes a SQLite database file by running `statements` in order, as the
// service-management tables would hold the data (date-times as text). Header
// only: every test that opens a database links Qt SQL already.
inline void writeSqliteFile(const QString& filePath, const QStringList& statements) {
    const QString connection = QStringLiteral("write-") + filePath;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), connection);
        db.setDatabaseName(filePath);
        ASSERT_TRUE(db.open()) << db.lastError().text().toStdString();
        QSqlQuery query(db);
        for (const QString& sql : statements)
            ASSERT_TRUE(query.exec(sql))
                << sql.toStdString() << ": " << query.lastError().text().toStdString();
    }
    QSqlDatabase::removeDatabase(connection);
}

} // namespace assi::test
