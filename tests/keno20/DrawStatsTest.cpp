// Statistical checks of the 20-ball draw through the engine: fixed seeds, alpha = 1e-6.
#include <memory>

#include "tests/keno20/GameFixture.h"
#include "tests/support/DrawStats.h"

using namespace keno;
using namespace keno::stats;

namespace {

struct SilentSound final : SoundSink {
    void Play(Cue) override {}
};

// Whole games settled at once, with a plentiful credit; tallies the draws and the hits.
void PlayGames(RandomSource& random, const std::vector<int>& ticket, long games, DrawTally& tally,
               std::vector<long>& hits) {
    MachineState state;
    ViewModel view;
    SilentSound sound;
    ScriptedMessenger messenger;
    Keno20PayTable table{view};
    clsKenoBoard board{BoardRules::Keno20, state, view, sound, messenger, random};
    Keno20Game game{state, board, table, view, sound, messenger, random};
    state.bank = 100;
    state.coinsbet = 1;
    for (int n : ticket) board.MarkSquare(n);
    hits.assign(ticket.size() + 1, 0);
    for (long g = 0; g < games; ++g) {
        state.bank = 1000000;
        game.Play();
        game.SettleNow();
        ASSERT_TRUE(tally.Add(game.drawn().begin())) << "game " << g;
        ++hits[static_cast<std::size_t>(game.hits())];
    }
    EXPECT_EQ(state.wager, games);
}

TEST(Keno20DrawStats, NumbersPositionsAndHitsFollowTheirLaws) {
    const std::vector<int> ticket10{3, 11, 19, 27, 35, 43, 51, 59, 67, 75}, ticket4{7, 23, 48, 80};
    for (const auto& ticket : {ticket10, ticket4}) {
        const int s = static_cast<int>(ticket.size());
        SCOPED_TRACE(s);
        SeededRandomSource random(400u + static_cast<unsigned>(s));
        DrawTally tally(20);
        std::vector<long> hits;
        PlayGames(random, ticket, 20000, tally, hits);
        ExpectUniformAndIndependent(tally);
        const Fit fit = HitsFit(hits, s, 20, 20000);
        EXPECT_GE(fit.df, s == 10 ? 6 : 3);
        EXPECT_GT(fit.pValue(), kAlpha) << "X^2 " << fit.statistic << " on " << fit.df;
    }
}

// The window's own generator, reseeded before every game: games in quick succession must not
// repeat a draw however fine or coarse the clock is.
TEST(Keno20DrawStats, ClockReseededDrawsInQuickSuccessionDiffer) {
    ClockRandomSource random;
    DrawTally tally(20);
    std::vector<long> hits;
    PlayGames(random, {7, 23, 48, 80}, 3000, tally, hits);
    EXPECT_GT(tally.SharedFit().pValue(), kAlpha);
    EXPECT_EQ(tally.Repeats(), 0);
}

}  // namespace
