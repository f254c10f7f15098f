// Cases the soak found: presses the 22-ball window still accepts while PLAY waits in its press
// pause, before the bet is taken.
#include <gtest/gtest.h>

#include <tuple>

#include "board/KenoBoard.h"
#include "core/Clock.h"
#include "keno22/Keno22Game.h"
#include "tests/fakes/RecordingFakes.h"

namespace keno {
namespace {

struct FixedClock final : Clock {
    double SecondsSinceMidnight() override { return 36000.0; }
};

// Credit 20, bet 1, `marks` marked; PLAY pressed and `during` done at its first pause, as the
// window handles a click there.
struct Keno22Machine {
    MachineState state;
    ViewModel view;
    RecordingSound sound;
    ScriptedMessenger messenger;
    SeededRandomSource random{7};
    FixedClock clock;
    clsKenoBoard board{BoardRules::Keno22, state, view, sound, messenger, random};
    Keno22Game game{state, board, view, sound, messenger, random, clock};

    Keno22Machine(const std::vector<int>& marks, void (*during)(clsKenoBoard&)) {
        board.InsertCoins();
        board.MakeBet();
        for (int n : marks) board.MarkSquare(n);
        EXPECT_TRUE(view.Enabled("start"));
        game.Play();
        EXPECT_TRUE(game.Advance().has_value());
        during(board);
        while (game.Advance()) continue;
    }
};

TEST(SoakFindings, EraseOrUnmarkingBelowTwoSpotsDuringThePressPauseTakesNoBet) {
    for (const bool erase : {true, false}) {
        SCOPED_TRACE(erase ? "erase" : "unmark");
        Keno22Machine m(erase ? std::vector<int>{5, 17, 33, 61} : std::vector<int>{5, 17},
                        erase ? +[](clsKenoBoard& b) { b.EraseBoard(); } : +[](clsKenoBoard& b) { b.MarkSquare(17); });
        EXPECT_EQ(std::tie(m.state.bank, m.state.wager, m.state.games), std::make_tuple(20, 0, 0));
        EXPECT_FALSE(m.board.mustErase() || m.view.Enabled("start"));
    }
}

TEST(SoakFindings, MarkingMoreDuringThePressPausePlaysTheWholeTicket) {
    Keno22Machine m({5, 17, 33, 61}, [](clsKenoBoard& b) { b.MarkSquare(70); });
    EXPECT_EQ(m.game.picked(), (std::vector<int>{5, 17, 33, 61, 70}));
    EXPECT_EQ(m.state.wager, 1);
}

}  // namespace
}  // namespace keno
