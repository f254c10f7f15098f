#pragma once
// A 20-ball window's engines over recording seams: credit 100, bet 1, fastest speed.
#include <gtest/gtest.h>

#include "board/KenoBoard.h"
#include "keno20/Keno20Game.h"
#include "keno20/Keno20PaySchedule.h"
#include "tests/fakes/RecordingFakes.h"
#include "tests/support/ScriptedRandom.h"

namespace keno {

struct Machine20 {
    explicit Machine20(std::uint64_t seed = 20) : random(seed) {
        state.bank = 100;
        state.coinsbet = 1;
        state.reelspeed = 1;
        board.SetPayTable(&table);
    }
    void Mark(const std::vector<int>& numbers) {
        for (int n : numbers) board.MarkSquare(n);
        sound.cues.clear();
        messenger.shown.clear();
    }
    // Plays one game to its end as the window would, returning the pauses asked for.
    std::vector<int> RunPaced() {
        game.Play();
        std::vector<int> pauses;
        while (auto p = game.Advance()) pauses.push_back(*p);
        return pauses;
    }
    // Marks `picks`, forces the draw to start with `first` and plays it.
    void PlayGame(const std::vector<int>& picks, const std::vector<int>& first) {
        Mark(picks);
        random.Force(DrawOf(first, picks, {}, 20));
        RunPaced();
    }
    std::string Meters() const {
        return "bank " + std::to_string(state.bank) + " bet " + std::to_string(state.coinsbet) + " wager " +
               std::to_string(state.wager) + " games " + std::to_string(state.games) + " total " + std::to_string(state.total);
    }

    MachineState state;
    ViewModel view;
    RecordingSound sound;
    ScriptedMessenger messenger;
    UrnScript random;
    Keno20PayTable table{view};
    clsKenoBoard board{BoardRules::Keno20, state, view, sound, messenger, random};
    Keno20Game game{state, board, table, view, sound, messenger, random};
};

}  // namespace keno
