#pragma once
#include <string>
#include <utility>
#include <vector>

#include "core/MachineState.h"
#include "core/MemorySettingsStore.h"
#include "core/PlayerLedger.h"
#include "core/ViewModel.h"
#include "options/OptionsController.h"
#include "tests/fakes/RecordingFakes.h"

namespace keno::test {

// Records the window work the controller asks for, one line per call.
struct RecordingOptionsHost final : OptionsHost {
    std::vector<std::string> calls;
    std::vector<StoreStatus> failures;
    int refreshes = 0;
    void ShowActiveGame(const std::string& activegame) override { calls.push_back("show " + activegame); }
    void MoveMainWindowToOrigin() override { calls.push_back("move keno22 to 0,0"); }
    void CloseDialog() override { calls.push_back("close dialog"); }
    void RefreshGameWindows() override { ++refreshes; }
    void SaveFailed(const StoreStatus& status) override { failures.push_back(status); }
};

struct FakeDisplay final : DisplayModeSwitch {
    std::pair<int, int> screen{1024, 768};
    std::vector<std::string> calls;
    void ChangeDisplayMode(int width, int height) override {
        calls.push_back("change " + std::to_string(width) + "x" + std::to_string(height));
    }
    void RestoreDisplayMode() override { calls.push_back("restore"); }
    std::pair<int, int> ScreenSizePixels() override { return screen; }
};

// A player's record as the store holds it.
struct Record {
    std::string coinsbet, reelspeed, amountinvested, wager, total, bank, games, currentplayer;
};

// The options controller over an in-memory store, with both game windows' views.
struct OptionsRig {
    MachineState state;
    MemorySettingsStore store;
    PlayerLedger ledger{state, store};
    ScriptedMessenger messenger;
    RecordingOptionsHost host;
    FakeDisplay display;
    ViewModel keno22;
    ViewModel keno20;
    OptionsController options{state, ledger, messenger, host, display, keno22, &keno20};

    OptionsRig() {
        state.playerslot = "1";
        state.activegame = "game1";
    }

    void Put(int slot, const Record& r) {
        const std::string section = "player" + std::to_string(slot);
        const std::pair<const char*, const std::string*> keys[] = {
            {"coinsbet", &r.coinsbet}, {"reelspeed", &r.reelspeed}, {"amountinvested", &r.amountinvested},
            {"wager", &r.wager},       {"total", &r.total},         {"bank", &r.bank},
            {"games", &r.games},       {"currentplayer", &r.currentplayer}};
        for (const auto& [key, value] : keys) store.Put("plinx", section, key, *value);
    }

    // The record of the slot in use, in memory as a game window's load leaves it.
    void Start(const Record& r, int slot = 1) {
        Put(slot, r);
        state.playerslot = std::to_string(slot);
        ledger.LoadRecord(slot);
    }

    std::string Stored(int slot, const std::string& key) const {
        return store.Stored("plinx", "player" + std::to_string(slot), key).value_or("<absent>");
    }

    const OptionsView& view() const { return options.View(); }
};

}  // namespace keno::test
