#include "DatabaseWorker.h"

#include "BoardLoader.h"

namespace assi {

DatabaseWorker::DatabaseWorker(std::unique_ptr<BoardSource> source) : m_source(std::move(source)) {}

DatabaseWorker::~DatabaseWorker() = default;

void DatabaseWorker::load(QDate today, quint64 ticket) {
    Q_EMIT loaded(ticket, m_source->load(today));
}

} // namespace assi
