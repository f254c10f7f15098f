#include "tests/fuzz/SettingsFileProbe.h"

#include <unistd.h>

#include <cstdio>
#include <fstream>
#include <string>

#include "core/PlayerLedger.h"
#include "shell/IniSettingsStore.h"

namespace keno::fuzz {
namespace {

constexpr int kSlots = 6;

// QSettings caches files by name and re-reads one only when its size or time changes, so every
// probe writes under names never used before.
std::string FreshName(const std::string& folder, const char* what) {
    static unsigned long counter = 0;
    return folder + "/" + what + "-" + std::to_string(::getpid()) + "-" + std::to_string(++counter) + ".ini";
}

MachineState Filled(int slot, std::int32_t first, const char* name) {
    MachineState s;
    s.bank = first, s.games = first + 2, s.wager = first + 3, s.total = first + 4, s.amountinvested = first + 5;
    s.coinsbet = first < 0 ? 2 : 4;  // a bet the ledger can load back: 0..5
    s.reelspeed = static_cast<std::int16_t>(first + 6);
    s.currentplayer = name, s.playerslot = std::to_string(slot), s.activegame = "game1";
    return s;
}

// Saves every loaded slot into the file at path, then reads them back, over other values, through
// a new store.
void RoundTrip(const std::string& path, const std::string& label, ProbeResult& result) {
    {
        IniSettingsStore store(QString::fromStdString(path));
        for (int slot = 1; slot <= kSlots; ++slot) {
            MachineState state = result.loaded[slot];
            const StoreStatus status = PlayerLedger(state, store).SaveRecord();
            if (!status.ok) return result.problems.push_back(label + ": saving failed: " + status.reason);
        }
    }
    IniSettingsStore reread(QString::fromStdString(path));
    for (int slot = 1; slot <= kSlots; ++slot) {
        MachineState state = Filled(slot, 424242, "other");
        PlayerLedger(state, reread).LoadRecord(slot);
        if (!(state == result.loaded[slot]))
            result.problems.push_back(label + ": slot " + std::to_string(slot) + " read back differently");
    }
}

}  // namespace

MachineState Before(int slot) { return Filled(slot, -7, "before"); }

ProbeResult ProbeSettingsFile(std::string_view bytes, const std::string& folder) {
    ProbeResult result;
    const std::string input = FreshName(folder, "in"), output = FreshName(folder, "out");
    if (!std::ofstream(input, std::ios::binary).write(bytes.data(), static_cast<std::streamsize>(bytes.size()))) {
        result.problems.push_back("cannot write " + input);
        return result;
    }
    {
        IniSettingsStore store(QString::fromStdString(input));
        for (int slot = 1; slot <= kSlots; ++slot) {
            MachineState& state = result.loaded[slot] = Before(slot);
            PlayerLedger ledger(state, store);
            ledger.LoadRecord(slot);
            if (ledger.StoredName(slot) != state.currentplayer)
                result.problems.push_back("slot " + std::to_string(slot) + ": the slot list's name differs");
            if (state.playerslot != std::to_string(slot) || state.activegame != "game1")
                result.problems.push_back("slot " + std::to_string(slot) + ": loading touched slot or game");
        }
    }
    RoundTrip(output, "fresh file", result);
    RoundTrip(input, "same file", result);
    std::remove(output.c_str());
    std::remove(input.c_str());
    return result;
}

}  // namespace keno::fuzz
