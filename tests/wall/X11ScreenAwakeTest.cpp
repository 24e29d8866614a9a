// What a hold of the X server's settings tells its witness, which puts them
// back when the board dies holding, and what it takes for the originals.
#include "wall/X11ScreenAwake.h"

#include "FakeX11Settings.h"

#include <QStringList>
#include <gtest/gtest.h>

using namespace assi;
using namespace assi::test;
using namespace Qt::StringLiterals;

namespace {

using Originals = X11ScreenSettings::Originals;
using Saver = X11ScreenSettings::ScreenSaver;

// A witness with word of a dead board's hold, or none, that notes what it is
// told and what the server had at that moment.
class FakeWitness : public X11HoldWitness {
public:
    FakeWitness(const FakeX11Settings::State* server, std::optional<Originals> recorded)
        : m_server(server), m_recorded(std::move(recorded)) {}
    std::optional<Originals> beginHold() override {
        calls << u"begin"_s;
        return m_recorded;
    }
    void holding(const Originals& originals) override {
        calls << u"holding"_s;
        told = originals;
        serverWhenTold = *m_server;
    }
    void released() override {
        calls << u"released"_s;
        serverWhenReleased = *m_server;
    }

    QStringList calls;
    std::optional<Originals> told;
    FakeX11Settings::State serverWhenTold;
    FakeX11Settings::State serverWhenReleased;

private:
    const FakeX11Settings::State* m_server;
    std::optional<Originals> m_recorded;
};

} // namespace

// The witness hears what goes back before anything is switched off (a board
// killed mid-way is put right), and that it is back only once it is. Word of
// a dead board's hold is taken only while the server still shows that hold.
TEST(X11ScreenAwake, TellsItsWitnessWhatAHoldPutsBack) {
    const Originals blanking{Saver{321, 321, 1, 1}, true};
    const Originals blankingNoDpms{Saver{321, 321, 1, 1}, std::nullopt};
    struct Case {
        const char* name;
        FakeX11Settings::State server;
        std::optional<Originals> recorded;
        Originals putBack;
    };
    const Case cases[] = {
        {"no word", {{321, 321, 1, 1}, true}, std::nullopt, blanking},
        {"off on purpose, no word",
         {{0, 0, 0, 0}, false},
         std::nullopt,
         {Saver{0, 0, 0, 0}, false}},
        {"left off by a board that died", {{0, 321, 1, 1}, false}, blanking, blanking},
        {"left off, no DPMS", {{0, 321, 1, 1}, std::nullopt}, blankingNoDpms, blankingNoDpms},
        {"set again since", {{600, 600, 0, 1}, true}, blanking, {Saver{600, 600, 0, 1}, true}},
        {"DPMS on again since", {{0, 321, 1, 1}, true}, blanking, {Saver{0, 321, 1, 1}, true}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        FakeX11Settings::State server = c.server;
        FakeWitness witness(&server, c.recorded);
        X11ScreenAwake awake(std::make_unique<FakeX11Settings>(&server), &witness);
        awake.hold();
        awake.hold();
        EXPECT_EQ(witness.told, c.putBack);
        EXPECT_EQ(witness.serverWhenTold.saver, c.server.saver);
        EXPECT_EQ(witness.serverWhenTold.dpms, c.server.dpms);
        EXPECT_EQ(server.saver.timeout, 0);
        EXPECT_NE(server.dpms, std::optional(true));
        EXPECT_TRUE(server.suspended);

        awake.release();
        EXPECT_EQ(witness.calls.join(u' '), u"begin holding released"_s);
        EXPECT_EQ(witness.serverWhenReleased.saver, c.putBack.screenSaver);
        EXPECT_EQ(witness.serverWhenReleased.dpms, c.putBack.dpms);
        EXPECT_FALSE(witness.serverWhenReleased.suspended);
    }
}
