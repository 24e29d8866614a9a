#pragma once

#include "data/BoardData.h"

#include <QString>
#include <memory>

namespace assi {

class DatabaseConnection;

/// Something that loads a refresh's data, on whichever thread calls load().
class BoardSource {
public:
    virtual ~BoardSource() = default;
    virtual BoardData load(const QDate& today) = 0;
};

/// Loads everything one refresh shows. It owns the board's database
/// connection, opens it on the first load and again after any failure (a lost
/// connection, a server that went away) or when the SQLite file it has open is
/// no longer the one at its path (replaced or removed: a removed one then
/// fails naming the file), so the board heals by itself and never keeps
/// showing a database that is gone. Lives on one thread: the one that calls
/// load().
class BoardLoader : public BoardSource {
public:
    BoardLoader(QString baseDirOverride, QString appDir);
    ~BoardLoader() override;

    BoardData load(const QDate& today) override;

private:
    void connect();

    QString m_baseDirOverride;
    QString m_appDir;
    std::unique_ptr<DatabaseConnection> m_connection;
};

} // namespace assi
