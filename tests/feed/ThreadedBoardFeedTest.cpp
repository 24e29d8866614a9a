#include "feed/ThreadedBoardFeed.h"

#include "data/BoardLoader.h"

#include <QCoreApplication>
#include <QSemaphore>
#include <QTest>
#include <QThread>
#include <atomic>
#include <gtest/gtest.h>

using namespace assi;
using namespace Qt::StringLiterals;
using namespace std::chrono_literals;

namespace {

const QDate today(2026, 12, 7);

// What every source the factory made shares with the test.
struct Sources {
    int blocking = 0; // the first this many block until released
    std::atomic_int made{0};
    std::atomic_int destroyed{0};
    QSemaphore release;
};

// A database that, for the first sources made, never answers until the test
// lets it (or twenty seconds pass, so a failing test cannot hang for good).
class StuckSource : public BoardSource {
public:
    explicit StuckSource(Sources& sources)
        : m_sources(sources), m_blocks(sources.made++ < sources.blocking) {}
    ~StuckSource() override { ++m_sources.destroyed; }

    BoardData load(const QDate& day) override {
        if (m_blocks)
            m_sources.release.tryAcquire(1, 20000);
        BoardData data;
        data.today = day;
        return data;
    }

private:
    Sources& m_sources;
    bool m_blocks;
};

const QString deadlinePassed =
    u"A base de dados não respondeu em 0,5 s (servidor srv, base de dados OTK); a ligação "
    u"foi abandonada e será refeita na próxima atualização."_s;
const QString earlierStillBlocked = u"ligações anteriores, que ainda não voltaram"_s;
const QString answered; // no error

struct FeedCase {
    const char* name;
    int blocking;            // sources that never answer
    QList<QString> outcomes; // of successive loads: the error shown, or none
    int sourcesMade;
};

void PrintTo(const FeedCase& c, std::ostream* os) {
    *os << c.name;
}

const FeedCase feedCases[] = {
    {"ServerAnswers", 0, {answered, answered}, 1},
    {"OneStuckLoadThenAFreshConnection", 1, {deadlinePassed, answered}, 2},
    {"TooManyStillBlocked",
     ThreadedBoardFeed::MaxAbandonedThreads,
     {deadlinePassed, deadlinePassed, deadlinePassed, earlierStillBlocked},
     ThreadedBoardFeed::MaxAbandonedThreads},
};

class FeedDeadline : public ::testing::TestWithParam<FeedCase> {};

TEST_P(FeedDeadline, AStuckLoadFailsAndTheNextOneStartsAfresh) {
    const FeedCase& c = GetParam();
    Sources sources;
    sources.blocking = c.blocking;
    QList<BoardData> results;
    {
        ThreadedBoardFeed feed([&] { return std::make_unique<StuckSource>(sources); });
        feed.setDeadline(500ms);
        feed.setServerDescription([] { return u"servidor srv, base de dados OTK"_s; });
        QObject::connect(&feed, &BoardFeed::loaded,
                         [&](const BoardData& data) { results.append(data); });

        for (qsizetype i = 0; i < c.outcomes.size(); ++i) {
            feed.load(today);
            EXPECT_EQ(results.size(), i) << "answered inside load()";
            ASSERT_TRUE(QTest::qWaitFor([&] { return results.size() == i + 1; }, 10000))
                << "load " << i;
            EXPECT_EQ(results[i].today, today);
            const QString shown = results[i].requestsError.value_or(QString());
            if (c.outcomes[i].isEmpty())
                EXPECT_TRUE(shown.isEmpty()) << "load " << i << ": " << shown.toStdString();
            else
                EXPECT_TRUE(shown.contains(c.outcomes[i]))
                    << "load " << i << ": " << shown.toStdString();
        }
        EXPECT_EQ(sources.made, c.sourcesMade);

        // The stuck loads come back at last: nothing more reaches the window,
        // and their threads end and free their sources.
        sources.release.release(c.blocking);
        ASSERT_TRUE(QTest::qWaitFor([&] { return !feed.hasUnfinishedLoads(); }, 10000));
        EXPECT_EQ(sources.destroyed, c.blocking);
        QCoreApplication::processEvents();
        EXPECT_EQ(results.size(), c.outcomes.size());

        // And the board is back to normal.
        feed.load(today);
        ASSERT_TRUE(
            QTest::qWaitFor([&] { return results.size() == c.outcomes.size() + 1; }, 10000));
        EXPECT_FALSE(results.last().requestsError.has_value());
    }
    EXPECT_EQ(sources.destroyed, sources.made);
}

INSTANTIATE_TEST_SUITE_P(ThreadedBoardFeed, FeedDeadline, ::testing::ValuesIn(feedCases),
                         [](const auto& info) { return std::string(info.param.name); });

} // namespace
