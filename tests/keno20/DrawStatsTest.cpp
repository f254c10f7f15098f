// The 20-ball engine draws from the urn whose statistics the 22-ball tests check at length.
#include "tests/keno20/GameFixture.h"
#include "tests/support/DrawStats.h"

using namespace keno;

namespace {

TEST(Keno20DrawStats, GamesShowTheUrnSequence) {
    Machine20 m(404);
    m.Mark({7, 23, 48, 80});
    SeededRandomSource urn(404);
    for (int g = 0; g < 200; ++g) {
        m.state.bank = 100;
        m.game.Play();
        m.game.SettleNow();
        std::array<int, 20> expected{};
        DrawFromUrn(urn, 20, expected.begin());
        ASSERT_EQ(m.game.drawn(), expected) << "game " << g;
    }
    EXPECT_EQ(m.state.wager, 200);
}

// The window's own generator, reseeded before every game: games in quick succession must not
// repeat a draw however fine or coarse the clock is.
TEST(Keno20DrawStats, ClockReseededDrawsInQuickSuccessionDiffer) {
    MachineState state;
    ViewModel view;
    RecordingSound sound;
    ScriptedMessenger messenger;
    ClockRandomSource random;
    Keno20PayTable table{view};
    clsKenoBoard board{BoardRules::Keno20, state, view, sound, messenger, random};
    Keno20Game game{state, board, table, view, sound, messenger, random};
    state.bank = 1000000;
    state.coinsbet = 1;
    for (int n : {7, 23, 48, 80}) board.MarkSquare(n);
    stats::DrawTally tally(20);
    for (int g = 0; g < 3000; ++g) {
        game.Play();
        game.SettleNow();
        ASSERT_TRUE(tally.Add(game.drawn().begin())) << "game " << g;
    }
    EXPECT_EQ(state.wager, 3000);
    EXPECT_GT(tally.SharedFit().pValue(), stats::kAlpha);
    EXPECT_EQ(tally.Repeats(), 0);
}

}  // namespace
