#pragma once
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <deque>
#include <numeric>
#include <string>
#include <vector>

#include "board/KenoBoard.h"
#include "keno22/Keno22Game.h"
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
    SeededRandomSource fallback_{22};
};

// Seconds since midnight that the test moves on by each pause; wraps at midnight like the real one.
struct VirtualClock final : Clock {
    double now = 1000.0;
    double SecondsSinceMidnight() override { return now; }
    void Pass(int ms) { now = std::fmod(now + ms / 1000.0, 86400.0); }
};

inline bool Contains(const std::vector<int>& v, int n) { return std::find(v.begin(), v.end(), n) != v.end(); }

// 22 numbers: `first` then misses (from 80 down, never in `ticket` or `extras`) up to 20, then
// `extras` padded with misses. So the main draw hits exactly what `first` holds of the ticket.
inline std::vector<int> DrawOf(std::vector<int> first, const std::vector<int>& ticket,
                               std::vector<int> extras = {}) {
    int next = 80;
    const auto miss = [&] {
        while (Contains(first, next) || Contains(ticket, next) || Contains(extras, next)) --next;
        return next--;
    };
    while (first.size() < 20) first.push_back(miss());
    while (extras.size() < 2) extras.push_back(miss());
    first.insert(first.end(), extras.begin(), extras.end());
    return first;
}

// The 22-ball window's engines over recording seams, driven like the window drives them.
template <typename Random>
struct BasicRig {
    MachineState state;
    ViewModel view;
    RecordingSound sound;
    ScriptedMessenger messenger;
    Random random;
    VirtualClock clock;
    clsKenoBoard board{BoardRules::Keno22, state, view, sound, messenger, random};
    Keno22Game game{state, board, view, sound, messenger, random, clock};
    std::vector<int> pauses;  // every pause of the sequences run so far

    template <typename... Args>
    explicit BasicRig(Args&&... args) : random(std::forward<Args>(args)...) {}

    // Marks like a player (with credit meanwhile), then sets the credit and bet under test.
    void Ticket(const std::vector<int>& numbers, int bank, int bet) {
        state.bank = 100;
        state.coinsbet = 1;
        for (int n : numbers) board.MarkSquare(n);
        state.bank = bank;
        state.coinsbet = static_cast<std::int16_t>(bet);
        sound.cues.clear();
        messenger.shown.clear();
    }
    // Runs the armed sequence in virtual time; returns its pauses.
    std::vector<int> Run() {
        std::vector<int> these;
        while (auto p = game.Advance()) {
            these.push_back(*p);
            clock.Pass(*p);
        }
        pauses.insert(pauses.end(), these.begin(), these.end());
        return these;
    }
    std::vector<int> Play() { game.Play(); return Run(); }
    std::vector<int> TakeWin() { game.TakeWin(); return Run(); }
    std::vector<int> BuyExtraBalls() { game.BuyExtraBalls(); return Run(); }
    bool Enabled(const char* name) const { return view.Enabled(name); }
};

struct Rig : BasicRig<UrnScript> {
    // Ticket, then a draw whose first 20 hit `mainHits` and whose extra balls are `extras`.
    void Deal(const std::vector<int>& ticket, const std::vector<int>& mainHits, int bank, int bet,
              const std::vector<int>& extras = {}) {
        Ticket(ticket, bank, bet);
        random.Force(DrawOf(mainHits, ticket, extras));
    }
};

inline int Sum(const std::vector<int>& v) { return std::accumulate(v.begin(), v.end(), 0); }

inline bool IsFanfare(Cue c) {
    return c == Cue::Startup || c == Cue::WinSmall || c == Cue::WinMedium || c == Cue::WinBig;
}

inline std::vector<Cue> Fanfares(const std::vector<Cue>& cues) {
    std::vector<Cue> out;
    std::copy_if(cues.begin(), cues.end(), std::back_inserter(out), IsFanfare);
    return out;
}

}  // namespace keno
