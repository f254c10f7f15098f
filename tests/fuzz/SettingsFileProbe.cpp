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

bool WriteBytes(const std::string& path, std::string_view bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    return static_cast<bool>(out);
}

// Another start than Before(), so a value the reload failed to read shows as a difference.
MachineState OtherBefore(int slot) {
    MachineState s;
    s.bank = 424242;
    s.coinsbet = 17;
    s.games = -1;
    s.wager = -2;
    s.total = -3;
    s.amountinvested = -4;
    s.reelspeed = 99;
    s.currentplayer = "other";
    s.playerslot = std::to_string(slot);
    return s;
}

std::string Describe(const MachineState& s) {
    return "bank=" + std::to_string(s.bank) + " coinsbet=" + std::to_string(s.coinsbet) +
           " games=" + std::to_string(s.games) + " wager=" + std::to_string(s.wager) +
           " total=" + std::to_string(s.total) + " invested=" + std::to_string(s.amountinvested) +
           " reelspeed=" + std::to_string(s.reelspeed) + " name(" + std::to_string(s.currentplayer.size()) +
           " bytes)";
}

// Saves every loaded slot into the file at path, then reads them back through a new store.
void RoundTrip(const std::string& path, const std::string& label, ProbeResult& result) {
    {
        IniSettingsStore store(QString::fromStdString(path));
        for (int slot = 1; slot <= kSlots; ++slot) {
            MachineState state = result.loaded[slot];
            state.playerslot = std::to_string(slot);
            PlayerLedger ledger(state, store);
            const StoreStatus status = ledger.SaveRecord();
            if (!status.ok) {
                result.problems.push_back(label + ": saving slot " + std::to_string(slot) +
                                          " failed: " + status.reason);
                return;
            }
        }
    }
    IniSettingsStore reread(QString::fromStdString(path));
    for (int slot = 1; slot <= kSlots; ++slot) {
        MachineState state = OtherBefore(slot);
        PlayerLedger(state, reread).LoadRecord(slot);
        MachineState expected = result.loaded[slot];
        expected.playerslot = state.playerslot;
        expected.activegame = state.activegame;
        if (!(state == expected)) {
            result.problems.push_back(label + ": slot " + std::to_string(slot) + " read back as " +
                                      Describe(state) + ", saved " + Describe(expected));
        }
    }
}

}  // namespace

MachineState Before(int slot) {
    MachineState s;
    s.bank = -7;
    s.coinsbet = -3;
    s.games = 11;
    s.wager = 12;
    s.total = 13;
    s.amountinvested = 14;
    s.reelspeed = -5;
    s.currentplayer = "before";
    s.playerslot = std::to_string(slot);
    s.activegame = "game1";
    return s;
}

ProbeResult ProbeSettingsFile(std::string_view bytes, const std::string& folder) {
    ProbeResult result;
    const std::string input = FreshName(folder, "in");
    if (!WriteBytes(input, bytes)) {
        result.problems.push_back("cannot write " + input);
        return result;
    }
    {
        IniSettingsStore store(QString::fromStdString(input));
        for (int slot = 1; slot <= kSlots; ++slot) {
            MachineState& state = result.loaded[slot];
            state = Before(slot);
            PlayerLedger ledger(state, store);
            ledger.LoadRecord(slot);
            if (ledger.StoredName(slot) != state.currentplayer) {
                result.problems.push_back("slot " + std::to_string(slot) + ": the slot list's name differs");
            }
            if (state.playerslot != std::to_string(slot) || state.activegame != "game1") {
                result.problems.push_back("slot " + std::to_string(slot) + ": loading touched slot or game");
            }
        }
    }
    const std::string output = FreshName(folder, "out");
    RoundTrip(output, "fresh file", result);
    RoundTrip(input, "same file", result);
    std::remove(output.c_str());
    std::remove(input.c_str());
    return result;
}

}  // namespace keno::fuzz
