#pragma once
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <deque>
#include <numeric>
#include <vector>

#include "board/KenoBoard.h"
#include "keno20/Keno20Game.h"
#include "keno20/Keno20PaySchedule.h"
#include "tests/fakes/RecordingFakes.h"

namespace keno {

// Feeds the fractions that make the urn give exactly the numbers asked for; once the script is
// used up it falls back to a fixed-seed stream.
class UrnScript final : public RandomSource {
public:
    void Force(const std::vector<int>& numbers) {
        std::array<int, 80> pool{};
        std::iota(pool.begin(), pool.end(), 1);
        for (std::size_t i = 0; i < numbers.size(); ++i) {
            const int r = 80 - static_cast<int>(i);
            const auto at = std::find(pool.begin(), pool.begin() + r, numbers[i]);
            ASSERT_NE(at, pool.begin() + r) << "number " << numbers[i] << " drawn twice";
            const int k = static_cast<int>(at - pool.begin()) + 1;
            fractions_.push_back((k - 0.5) / r);
            *at = pool[static_cast<std::size_t>(r - 1)];
        }
    }
    void Reseed() override { ++reseeds; }
    double Fraction() override {
        if (fractions_.empty()) return fallback_.Fraction();
        const double u = fractions_.front();
        fractions_.pop_front();
        return u;
    }
    int reseeds = 0;

private:
    std::deque<double> fractions_;
    SeededRandomSource fallback_{20};
};

// 20 numbers: `first` in that order, then numbers from 80 down that are neither in `first` nor
// in `avoid` (the picks), so the hit count is exactly what `first` holds of the picks.
inline std::vector<int> DrawOf(std::vector<int> first, const std::vector<int>& avoid) {
    for (int n = 80; first.size() < 20; --n) {
        const auto in = [n](const std::vector<int>& v) { return std::find(v.begin(), v.end(), n) != v.end(); };
        if (!in(first) && !in(avoid)) first.push_back(n);
    }
    return first;
}

// A 20-ball window's engines over recording seams: credit 100, bet 1, fastest speed.
struct Machine20 {
    Machine20() {
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
        random.Force(DrawOf(first, picks));
        RunPaced();
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

class GameTest : public ::testing::Test, protected Machine20 {};

}  // namespace keno
