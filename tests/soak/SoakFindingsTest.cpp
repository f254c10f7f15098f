// Cases the soak found, kept as plain tests: presses the window still accepts while PLAY waits
// in its press pause, before the bet is taken.
#include <gtest/gtest.h>

#include "tests/soak/SoakMachine.h"

namespace keno::soak {
namespace {

struct Keno22Machine {
    MachineState state;
    ViewModel view;
    SilentSound sound;
    ScriptedMessenger messenger;
    SeededRandomSource random{7};
    SoakClock clock;
    clsKenoBoard board{BoardRules::Keno22, state, view, sound, messenger, random};
    Keno22Game game{state, board, view, sound, messenger, random, clock};

    Keno22Machine() {
        board.InsertCoins();
        board.MakeBet();
        for (int n : {5, 17, 33, 61}) board.MarkSquare(n);
    }
    // PLAY pressed, and `during` done at the first pause, as the window handles a click there.
    template <typename During>
    void PlayWith(During during) {
        game.Play();
        ASSERT_TRUE(game.Advance().has_value());
        during();
        while (game.Advance()) continue;
    }
};

TEST(SoakFindings, EraseDuringThePressPauseTakesNoBet) {
    Keno22Machine m;
    ASSERT_TRUE(m.view.Enabled("start"));
    m.PlayWith([&] { m.board.EraseBoard(); });
    EXPECT_EQ(m.state.bank, 20);
    EXPECT_EQ(m.state.wager, 0);
    EXPECT_EQ(m.state.games, 0);
    EXPECT_FALSE(m.board.mustErase());
    EXPECT_FALSE(m.view.Enabled("start"));
}

TEST(SoakFindings, UnmarkingBelowTwoSpotsDuringThePressPauseTakesNoBet) {
    Keno22Machine m;
    m.board.EraseBoard();
    m.board.MarkSquare(5);
    m.board.MarkSquare(17);
    m.PlayWith([&] { m.board.MarkSquare(17); });
    EXPECT_EQ(m.state.bank, 20);
    EXPECT_EQ(m.state.wager, 0);
}

TEST(SoakFindings, MarkingMoreDuringThePressPausePlaysTheWholeTicket) {
    Keno22Machine m;
    m.PlayWith([&] { m.board.MarkSquare(70); });
    EXPECT_EQ(m.game.picked(), (std::vector<int>{5, 17, 33, 61, 70}));
    EXPECT_EQ(m.state.wager, 1);
}

}  // namespace
}  // namespace keno::soak
