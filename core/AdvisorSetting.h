#pragma once
#include "core/SettingsStore.h"

namespace keno {

// Whether a player wants the extra-ball advice on the 22-ball face. Kept per slot in a section of
// its own, "advisor", with one key per slot ("slot1".."slot6", "on" or "off"), so the player
// records keep exactly their eight keys. Anything but a plain "off" (no file, no section, a
// hand-edited value) means on: the advice is only a help, and turning it off is the player's act.
class AdvisorSetting {
public:
    static constexpr const char* kSection = "advisor";

    explicit AdvisorSetting(SettingsStore& store) : store_(store) {}

    // A slot outside 1..6 (none chosen) gets the advice.
    bool Shown(int slot);
    // Saves the choice of a slot 1..6 (nothing for another slot); the caller syncs the store.
    void Set(int slot, bool shown);

private:
    SettingsStore& store_;
};

}  // namespace keno
