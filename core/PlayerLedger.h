#pragma once
#include "core/MachineState.h"
#include "core/SettingsStore.h"

namespace keno {

// The six player records of the settings store: application "plinx", sections "player1".."player6".
class PlayerLedger {
public:
    PlayerLedger(MachineState& state, SettingsStore& store) : state_(state), store_(store) {}

    // Reads slot's eight keys into the machine state; absent or unreadable numbers keep their value,
    // an absent name becomes empty. Does not touch playerslot.
    void LoadRecord(int slot);
    // Writes the eight keys of the machine state to the slot in playerslot and reports whether
    // they reached storage.
    StoreStatus SaveRecord();
    // The stored name of a slot, without touching the machine state (options dialog slot list).
    std::string StoredName(int slot);

    SettingsStore& Store() { return store_; }

private:
    MachineState& state_;
    SettingsStore& store_;
};

}  // namespace keno
