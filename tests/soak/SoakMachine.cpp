#include "tests/soak/SoakMachine.h"

#include <algorithm>
#include <cmath>
#include <sstream>

namespace keno::soak {
namespace {

const std::string kSlotOne = "1";  // (a copy, not a literal: GCC 12 warns falsely on the latter)

}  // namespace

void SoakClock::Pass(int ms) { now = std::fmod(now + ms / 1000.0, 86400.0); }

Window22::Window22(SoakMachine& m)
    : board(BoardRules::Keno22, m.State(), view, m.sound, m.messenger, m.random),
      game(m.State(), board, view, m.sound, m.messenger, m.random, m.clock) {}

Window20::Window20(SoakMachine& m)
    : board(BoardRules::Keno20, m.State(), view, m.sound, m.messenger, m.random),
      game(m.State(), board, payTable, view, m.sound, m.messenger, m.random) {
    board.SetPayTable(&payTable);
}

SoakMachine::SoakMachine(std::uint64_t seed) : random(seed ^ 0x6b656e6f32320000ULL), player_(seed) {
    StartProgram();
    CheckAll();
}

// The program's start: keno22 loads slot 1 over a fresh machine state.
void SoakMachine::StartProgram() {
    program_ = std::make_unique<Program>(store_);
    MachineState& state = program_->state;
    program_->keno22 = std::make_unique<Window22>(*this);
    Window22& w = *program_->keno22;
    state.activegame = "game1";
    state.playerslot = kSlotOne;
    program_->ledger.LoadRecord(1);
    LoadBooks(1, true);
    if (state.reelspeed < 1) state.reelspeed = 1;
    for (const char* name : {"rubber", "start", "flash", "xtraballs", "takwin"}) w.view.Enable(name, false);
    w.view.Enable("makbet", state.bank >= 1);
    program_->options = std::make_unique<OptionsController>(state, program_->ledger, messenger, program_->host,
                                                            program_->display, w.view, nullptr);
}

// Quit and start again: an open offer is taken first so nothing owed is lost, the slot in use is
// saved, and the new run begins on slot 1.
void SoakMachine::Restart() {
    if (program_->keno22->game.OfferOpen()) TakeWin();
    SaveSlotInUse();
    StartProgram();
}

// btn20ball / btkeno22. keno20's first load saves what the player has in hand to its own slot,
// then reads slot 1 again and sets the bet to 1.
void SoakMachine::SwitchGame() {
    MachineState& state = program_->state;
    if (state.activegame == "game2") {
        state.activegame = "game1";
        if (program_->keno20) program_->keno20->game.StopHitBlink();
        return;
    }
    if (!program_->keno20) {
        ++tally_["(keno20 first load)"];
        SaveSlotInUse();
        program_->keno20 = std::make_unique<Window20>(*this);
        Window20& w = *program_->keno20;
        state.playerslot = kSlotOne;
        program_->ledger.LoadRecord(1);
        LoadBooks(1, false);
        if (state.reelspeed < 1) state.reelspeed = 1;
        w.game.StopHitBlink();
        w.payTable.StopRowFlash();
        w.view.SetText("spts", "0");
        w.board.PaintAllPlain();
        w.payTable.ClearSchedule();
        state.coinsbet = 1;
        program_->options->SetKeno20View(&w.view);
    }
    state.activegame = "game2";
    program_->keno22->view.SetTimer("Timer1", false);
}

// The options dialog as a player uses it: a few of its controls, then one of its ways out. Every
// save it makes must hold what the machine held.
void SoakMachine::Options() {
    Log("OPTIONS");
    OptionsController& options = *program_->options;
    const MachineState opened = State();
    const auto saved = [this](const MachineState& state) {
        storedBooks_[static_cast<std::size_t>(SlotInUse())] = books_;
        CheckStoredRecord(state);
    };
    options.OpenOptions();
    // Opening saves the slot in use and selects it again, which may raise a speed of 0 to 1.
    Require(State().reelspeed == opened.reelspeed || (opened.reelspeed == 0 && State().reelspeed == 1),
            "opening the options changed the speed from " + std::to_string(opened.reelspeed));
    saved(opened);
    static const char* const kNames[] = {"", "Ann", "Bob Carol", "ZOE", "\xc3\x89lodie", "A name too long for it"};
    for (int n = Pick(0, 3); n > 0; --n) {
        const int control = Pick(0, 2);
        if (control == 0) {
            const int slot = Pick(1, 6);
            Log("  options: slot " + std::to_string(slot));
            ++tally_["options: slot"];
            options.SelectPlayerSlot(slot);
            LoadBooks(slot, true);
        } else if (control == 1) {
            const int speed = Pick(0, 2);
            Log("  options: speed " + std::to_string(speed + 1));
            options.SelectSpeed(speed);
        } else {
            const std::string name = kNames[Pick(0, 5)];
            Log("  options: name \"" + name + "\"");
            ++tally_["options: name"];
            options.EnterPlayerName(name);
            if (!name.empty() && name.size() <= 12) saved(State());
        }
        CheckAll();
    }
    const int way = Pick(0, 9);
    static const char* const kWays[] = {"delete, answered Yes", "delete, answered No", "800 x 600",
                                        "original screen", "OK"};
    Log(std::string("  options: ") + kWays[std::min(way, 4)]);
    if (way <= 1) {
        ++tally_[way == 0 ? "options: delete, Yes" : "options: delete, No"];
        messenger.answers.push_back(way == 0 ? Answer::Yes : Answer::No);
        options.DeletePlayerDetails();
        if (way == 0) books_ = Books{0, 0, 0, books_.wagered, 0};
    } else if (way == 2) {
        options.SetLargeScreen();
    } else if (way == 3) {
        options.SetOriginalScreen();
    } else {
        options.CloseOptions();
    }
    saved(State());
    Require(program_->host.failures.empty(), "a record save failed");
    Require(!options.View().open, "the options dialog stayed open");
}

// Every exit and the first switch write the record of the slot in use.
void SoakMachine::SaveSlotInUse() {
    const StoreStatus status = program_->ledger.SaveRecord();
    Require(status.ok, "saving the slot in use failed: " + status.reason);
    storedBooks_[static_cast<std::size_t>(SlotInUse())] = books_;
    CheckStoredRecord(State());
}

// A slot's record replaces the books; a slot never saved leaves zeros (after the dialog cleared
// the meters) or what was in memory (a window load reads over the machine state).
void SoakMachine::LoadBooks(int slot, bool zeroFirst) {
    if (zeroFirst) books_ = Books{};
    if (const auto& stored = storedBooks_[static_cast<std::size_t>(slot)]) books_ = *stored;
}

int SoakMachine::SlotInUse() const {
    const std::string& slot = program_->state.playerslot;
    if (slot.size() != 1 || slot[0] < '1' || slot[0] > '6') throw SoakFailure("no slot in use: \"" + slot + "\"");
    return slot[0] - '0';
}

void SoakMachine::Log(std::string entry) {
    log_.push_back(std::to_string(actions_) + ": " + std::move(entry));
    if (log_.size() > 40) log_.pop_front();
}

std::string SoakMachine::LogTail() const {
    std::ostringstream out;
    for (const auto& entry : log_) out << "  " << entry << '\n';
    return out.str();
}

bool SoakMachine::WasShown(const std::string& textStart) const {
    for (const Message& m : messenger.shown)
        if (m.text.rfind(textStart, 0) == 0) return true;
    return false;
}

}  // namespace keno::soak
