#pragma once
// The 22-ball window's engines over recording seams and a virtual clock, driven like the window.
#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <string>

#include "board/KenoBoard.h"
#include "keno22/Keno22Game.h"
#include "tests/fakes/RecordingFakes.h"
#include "tests/support/ScriptedRandom.h"

namespace keno {

// Seconds since midnight that move on by each pause; wraps at midnight like the real one.
struct VirtualClock final : Clock {
    double now = 1000.0;
    double SecondsSinceMidnight() override { return now; }
    void Pass(int ms) { now = std::fmod(now + ms / 1000.0, 86400.0); }
};

struct Rig {
    MachineState state;
    ViewModel view;
    RecordingSound sound;
    ScriptedMessenger messenger;
    UrnScript random;  // a seeded stream once its script is used up
    VirtualClock clock;
    clsKenoBoard board{BoardRules::Keno22, state, view, sound, messenger, random};
    Keno22Game game{state, board, view, sound, messenger, random, clock};

    explicit Rig(std::uint64_t seed = 22) : random(seed) {}
    // Marks like a player (with credit meanwhile), sets the credit and bet under test, and forces
    // a draw whose first 20 hit `mainHits` and whose extra balls are `extras`.
    void Deal(const std::vector<int>& ticket, const std::vector<int>& mainHits, int bank, int bet,
              const std::vector<int>& extras = {}) {
        state.bank = 100;
        state.coinsbet = 1;
        for (int n : ticket) board.MarkSquare(n);
        state.bank = bank;
        state.coinsbet = static_cast<std::int16_t>(bet);
        sound.cues.clear();
        messenger.shown.clear();
        random.Force(DrawOf(mainHits, ticket, extras));
    }
    // Runs the armed sequence in virtual time, calling `each` after every step; returns its pauses.
    std::vector<int> Run(const std::function<void()>& each = {}) {
        std::vector<int> pauses;
        for (std::optional<int> p; (p = game.Advance()); clock.Pass(*p)) {
            pauses.push_back(*p);
            if (each) each();
        }
        return pauses;
    }
    std::vector<int> Play() { game.Play(); return Run(); }
    std::vector<int> TakeWin() { game.TakeWin(); return Run(); }
    std::vector<int> BuyExtraBalls() { game.BuyExtraBalls(); return Run(); }
    // Which of the controls are enabled, in a fixed order.
    std::string On(std::initializer_list<const char*> names = {"coinsin", "makbet", "start", "rubber", "btn20ball",
                       "btnautoselect", "mnupayouts", "mnuoptions", "xtraballs", "flash", "takwin", "mnabout", "mnexit"}) const {
        std::string on;
        for (const char* n : names)
            if (view.Enabled(n)) on += std::string(on.empty() ? "" : " ") + n;
        return on;
    }
    std::string Meters() const {
        return "bank " + std::to_string(state.bank) + " bet " + std::to_string(state.coinsbet) + " wager " +
               std::to_string(state.wager) + " games " + std::to_string(state.games) + " total " +
               std::to_string(state.total);
    }
};

const std::string kSettledOn = "coinsin makbet start rubber btn20ball btnautoselect mnupayouts mnuoptions mnabout mnexit";
const std::string kOfferOn = "xtraballs flash takwin mnabout mnexit";

inline std::vector<Cue> Fanfares(const std::vector<Cue>& cues) {
    std::vector<Cue> out;
    for (Cue c : cues)
        if (c == Cue::Startup || c == Cue::WinSmall || c == Cue::WinMedium || c == Cue::WinBig) out.push_back(c);
    return out;
}

}  // namespace keno
