#pragma once
#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "core/MachineState.h"
#include "core/Message.h"
#include "core/PlayerLedger.h"
#include "core/SettingsStore.h"
#include "core/ViewModel.h"
#include "options/OptionsHost.h"
#include "options/OptionsView.h"
#include "options/StatisticsTexts.h"

namespace keno {

inline constexpr const char* kOptionsMessageTitle = "Tarvell22";

// The options and statistics dialog without its window: slot, name and speed choice, deleting the
// player's details, the screen size, and the statistics texts. Each operation is one user action;
// the dialog forwards its controls' events here and copies View() onto its controls.
class OptionsController {
public:
    // keno22View is the 22-ball window's view; keno20View may be null while that window does not exist.
    OptionsController(MachineState& state, PlayerLedger& ledger, Messenger& messenger, OptionsHost& host,
                      DisplayModeSwitch& display, ViewModel& keno22View, ViewModel* keno20View = nullptr);

    void SetKeno20View(ViewModel* view) { keno20View_ = view; }
    // Replaces the built-in upper-casing of names (the dialog may hand in the toolkit's).
    void SetUpperCase(std::function<std::string(std::string_view)> upperCase);

    void OpenOptions();
    void SelectPlayerSlot(int slot);  // 1..6
    void SelectSpeed(int index);      // 0..2
    void EnterPlayerName(const std::string& text);
    void DeletePlayerDetails();
    void CloseOptions();  // OK and the close box alike; runs once per opening
    void SetLargeScreen();
    void SetOriginalScreen();
    // The extra-ball advice check box: remembered for the slot in use at once.
    void ShowAdvice(bool shown);

    const OptionsView& View() const { return view_; }

    // The most recent record write that did not reach storage, if any since the last clear.
    const std::optional<StoreStatus>& LastSaveFailure() const { return lastSaveFailure_; }
    void ClearSaveFailure() { lastSaveFailure_.reset(); }

private:
    struct GameWindowTexts {
        bool credit = false;
        bool bet = false;
        bool caption = false;
    };

    std::string Upper(std::string_view name) const;
    std::string SlotCaption(std::string_view name) const;
    std::optional<int> SlotInUse() const;
    // Selects the speed button of reelspeed: 0 (and 1 after a slot change) "1", 10 "2", 20 "3".
    void SelectSpeedButtonFor(int reelspeed, bool oneSelectsFastest);
    void ShowOnGameWindows(GameWindowTexts which);
    void Save();
    void ClearNameBox() { ++view_.player1Clears; }
    void Tell(const std::string& text);

    MachineState& state_;
    PlayerLedger& ledger_;
    Messenger& messenger_;
    OptionsHost& host_;
    DisplayModeSwitch& display_;
    ViewModel& keno22View_;
    ViewModel* keno20View_;
    std::function<std::string(std::string_view)> upperCase_;
    OptionsView view_;
    std::optional<StoreStatus> lastSaveFailure_;
};

}  // namespace keno
