#include "data/BoardLoader.h"

#include "core/BoardError.h"
#include "data/ConnectionStartup.h"
#include "data/Logging.h"
#include "data/PendingRequests.h"
#include "data/WeekBoard.h"
#include "database/DatabaseConnection.h"

using namespace Qt::StringLiterals;

namespace assi {

namespace {

QString messageOf(const std::exception& e) {
    if (const auto* board = dynamic_cast<const BoardError*>(&e))
        return board->message();
    return QString::fromLocal8Bit(e.what());
}

} // namespace

BoardLoader::BoardLoader(QString baseDirOverride, QString appDir)
    : m_baseDirOverride(std::move(baseDirOverride)), m_appDir(std::move(appDir)) {}

BoardLoader::~BoardLoader() = default;

void BoardLoader::connect() {
    // Planned afresh each time, so a corrected settings file or catalogue
    // takes effect at the next attempt.
    const ConnectionPlan plan = planConnection(m_baseDirOverride, m_appDir);
    auto connection = std::make_unique<DatabaseConnection>();
    LIgarBd(plan, *connection);
    m_connection = std::move(connection);
}

BoardData BoardLoader::load(const QDate& today) {
    BoardData data;
    data.today = today;
    try {
        if (m_connection && m_connection->isOpen() && !m_connection->isSameFileStillThere()) {
            // Still open on a file no longer at that path (restored, moved,
            // synced over): its data would be stale for good.
            qCInfo(lcData).noquote() << "A base de dados foi substituída; a ligar de novo:"
                                     << m_connection->connectionString().describe();
            m_connection.reset();
        }
        if (!m_connection || !m_connection->isOpen())
            connect();
        LoadPendingRequests(*m_connection, data.first, data.second);
    } catch (const std::exception& e) {
        data.requestsError = messageOf(e);
        m_connection.reset();
        return data;
    }
    try {
        LoadWeekBoard(*m_connection, today, data.board, data.DiasSemana, data.ok,
                      &data.weekendOrders);
    } catch (const std::exception& e) {
        data.weekError = messageOf(e);
        m_connection.reset();
    }
    return data;
}

} // namespace assi
