#include "feed/DatabaseWorker.h"

#include "data/BoardLoader.h"
#include "feed/FreedMemory.h"

namespace assi {

DatabaseWorker::DatabaseWorker(std::unique_ptr<BoardSource> source) : m_source(std::move(source)) {}

DatabaseWorker::~DatabaseWorker() = default;

void DatabaseWorker::load(QDate today, quint64 ticket) {
    Q_EMIT loaded(ticket, m_source->load(today));
}

void DatabaseWorker::release(BoardData data, bool returnMemory) {
    const std::lock_guard lock(m_releasedLock);
    m_released.push_back(std::move(data));
    m_returnMemory = m_returnMemory || returnMemory;
}

void DatabaseWorker::freeReleased() {
    std::vector<BoardData> released;
    bool returnMemory = false;
    {
        const std::lock_guard lock(m_releasedLock);
        released.swap(m_released);
        std::swap(returnMemory, m_returnMemory);
    }
    released.clear();
    if (returnMemory)
        returnFreedMemory();
}

} // namespace assi
