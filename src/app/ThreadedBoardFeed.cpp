#include "ThreadedBoardFeed.h"

#include "BoardLoader.h"

#include <QSocketNotifier>
#include <condition_variable>
#include <mutex>
#include <optional>
#include <sys/eventfd.h>
#include <unistd.h>

namespace assi {

struct ThreadedBoardFeed::Mailbox {
    ~Mailbox() {
        if (wakeFd >= 0)
            ::close(wakeFd);
    }

    std::mutex mutex;
    std::condition_variable jobPosted;
    std::optional<QDate> job;        // the day to load next
    std::optional<BoardData> result; // the last load, not yet taken
    bool stop = false;
    bool abandoned = false;
    int wakeFd = -1;
    std::unique_ptr<BoardSource> source; // only the database thread touches it
};

ThreadedBoardFeed::ThreadedBoardFeed(std::unique_ptr<BoardSource> source, QObject* parent)
    : BoardFeed(parent), m_mailbox(std::make_shared<Mailbox>()) {
    m_mailbox->source = std::move(source);
    m_mailbox->wakeFd = ::eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK);
    if (m_mailbox->wakeFd < 0)
        qFatal("assi: no eventfd for the database thread");
    m_notifier = new QSocketNotifier(m_mailbox->wakeFd, QSocketNotifier::Read, this);
    connect(m_notifier, &QSocketNotifier::activated, this, &ThreadedBoardFeed::deliver);
    m_thread = std::thread(&ThreadedBoardFeed::run, m_mailbox);
}

ThreadedBoardFeed::~ThreadedBoardFeed() {
    {
        const std::lock_guard lock(m_mailbox->mutex);
        if (m_busy)
            m_mailbox->abandoned = true;
        else
            m_mailbox->stop = true;
    }
    if (m_busy) {
        // The driver may not come back for minutes; never wait for it on exit.
        m_thread.detach();
        return;
    }
    m_mailbox->jobPosted.notify_one();
    m_thread.join();
}

void ThreadedBoardFeed::run(std::shared_ptr<Mailbox> mailbox) {
    for (;;) {
        QDate today;
        {
            std::unique_lock lock(mailbox->mutex);
            mailbox->jobPosted.wait(lock, [&] { return mailbox->stop || mailbox->job; });
            if (mailbox->stop)
                break;
            today = *mailbox->job;
            mailbox->job.reset();
        }
        BoardData data = mailbox->source->load(today);
        {
            const std::lock_guard lock(mailbox->mutex);
            if (mailbox->abandoned)
                return; // the process is ending; leave the connection as it is
            mailbox->result = std::move(data);
        }
        const eventfd_t one = 1;
        ::eventfd_write(mailbox->wakeFd, one);
    }
    // The connection belongs to this thread: close it here.
    mailbox->source.reset();
}

void ThreadedBoardFeed::load(const QDate& today) {
    if (m_busy)
        return;
    m_busy = true;
    {
        const std::lock_guard lock(m_mailbox->mutex);
        m_mailbox->job = today;
    }
    m_mailbox->jobPosted.notify_one();
}

void ThreadedBoardFeed::deliver() {
    eventfd_t count = 0;
    ::eventfd_read(m_mailbox->wakeFd, &count);
    std::optional<BoardData> data;
    {
        const std::lock_guard lock(m_mailbox->mutex);
        data.swap(m_mailbox->result);
    }
    if (!data)
        return;
    m_busy = false;
    Q_EMIT loaded(*data);
}

} // namespace assi
