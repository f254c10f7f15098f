#pragma once
#include <array>
#include <cstdint>
#include <deque>
#include <map>
#include <memory>
#include <optional>
#include <random>
#include <span>
#include <stdexcept>
#include <string>

#include "board/KenoBoard.h"
#include "core/Clock.h"
#include "core/MachineState.h"
#include "core/MemorySettingsStore.h"
#include "core/PlayerLedger.h"
#include "keno20/Keno20Game.h"
#include "keno20/Keno20PaySchedule.h"
#include "keno22/Keno22Game.h"
#include "options/OptionsController.h"
#include "tests/fakes/RecordingFakes.h"

namespace keno::soak {

// A broken invariant; the message says which and with what values.
struct SoakFailure : std::runtime_error {
    using std::runtime_error::runtime_error;
};

// One player's money as the soak counts it from what each action visibly did, apart from the
// engines' meters: credit must always be invested - charged + won.
struct Books {
    std::int64_t invested = 0;
    std::int64_t charged = 0;  // every bet taken: PLAY's (maybe reduced) bet and extra-ball bets
    std::int64_t won = 0;
    std::int64_t wagered = 0;  // PLAY's bets only, as the wager meter counts them
    std::int64_t games = 0;
};

struct SilentSound final : SoundSink {
    void Play(Cue) override {}
};

struct SoakClock final : Clock {
    double now = 36000.0;
    double SecondsSinceMidnight() override { return now; }
    void Pass(int ms);
};

struct SoakHost final : OptionsHost {
    std::vector<StoreStatus> failures;
    void ShowActiveGame(const std::string&) override {}
    void MoveMainWindowToOrigin() override {}
    void CloseDialog() override {}
    void RefreshGameWindows() override {}
    void SaveFailed(const StoreStatus& status) override { failures.push_back(status); }
};

struct SoakDisplay final : DisplayModeSwitch {
    std::pair<int, int> screen{1024, 768};
    void ChangeDisplayMode(int width, int height) override { screen = {width, height}; }
    void RestoreDisplayMode() override { screen = {1024, 768}; }
    std::pair<int, int> ScreenSizePixels() override { return screen; }
};

class SoakMachine;
struct Choices;

// The 22-ball window's engines, as the window holds them.
struct Window22 {
    ViewModel view;
    clsKenoBoard board;
    Keno22Game game;
    explicit Window22(SoakMachine& m);
};

// The 20-ball window's engines, created on the first switch.
struct Window20 {
    ViewModel view;
    Keno20PayTable payTable{view};
    clsKenoBoard board;
    Keno20Game game;
    explicit Window20(SoakMachine& m);
};

// One run of the program: what a restart throws away. The settings store outlives it.
struct Program {
    MachineState state;
    PlayerLedger ledger;
    SoakHost host;
    SoakDisplay display;
    std::unique_ptr<Window22> keno22;
    std::unique_ptr<Window20> keno20;
    std::unique_ptr<OptionsController> options;
    explicit Program(MemorySettingsStore& store) : ledger(state, store) {}
};

// The whole machine driven by a seeded random player, one action at a time, with every invariant
// checked after each action. Any breach throws SoakFailure.
class SoakMachine {
public:
    explicit SoakMachine(std::uint64_t seed);

    // One player action on the window in front (a game sequence runs to its end).
    void Act();
    std::int64_t Actions() const { return actions_; }
    std::int64_t Games() const { return games_; }
    // The last actions, oldest first, for a failure report.
    std::string LogTail() const;
    // How often each press and each notable outcome happened, to see what the run covered.
    const std::map<std::string, std::int64_t>& Tally() const { return tally_; }

    // Shared seams, reachable by the windows' engines.
    MachineState& State() { return program_->state; }
    SilentSound sound;
    ScriptedMessenger messenger;
    SeededRandomSource random;
    SoakClock clock;

private:
    friend struct Window22;
    friend struct Window20;

    // Start-up and shut-down (SoakMachine.cpp).
    void StartProgram();
    void Restart();
    void SwitchGame();
    void Options();
    void SaveSlotInUse();
    void LoadBooks(int slot, bool zeroFirst);
    int SlotInUse() const;

    // The player (SoakPlayer.cpp).
    void Choose(Choices& choices, const std::string& where);
    void AddTicks(Choices& choices, bool keno22, double weight);
    void Coins(clsKenoBoard& board);
    void Square(clsKenoBoard& board);
    void Play(bool keno22);
    void TakeWin();
    void BuyExtraBalls();
    void RunSequence(bool keno22);
    void Interleave(bool keno22);

    // Invariants (SoakChecks.cpp).
    void CheckAll();
    void CheckBooks();
    void CheckBoard(const char* window, const clsKenoBoard& board, const ViewModel& view, bool running);
    void CheckRecordRoundTrip();
    void CheckStoredRecord(const MachineState& saved);
    void CheckDraw(std::span<const int> drawn, const char* what);
    void Require(bool condition, const std::string& what);

    void Log(std::string entry);
    void Note(const std::string& detail) { log_.back() += ' ' + detail; }  // a word more for the last entry
    bool Chance(double p) { return std::uniform_real_distribution<double>(0, 1)(player_) < p; }
    int Pick(int low, int high) { return std::uniform_int_distribution<int>(low, high)(player_); }
    bool WasShown(const std::string& textStart) const;

    MemorySettingsStore store_;
    MemorySettingsStore scratch_;
    std::unique_ptr<Program> program_;
    std::mt19937_64 player_;
    std::array<std::optional<Books>, 7> storedBooks_{};  // what each slot's record holds
    Books books_;                                       // the slot in use, in memory
    std::int64_t actions_ = 0;
    std::int64_t games_ = 0;
    std::deque<std::string> log_;
    std::map<std::string, std::int64_t> tally_;
};

}  // namespace keno::soak
