#pragma once
#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "core/MachineState.h"

namespace keno::fuzz {

// What reading one settings file into the ledger gave, slot by slot, and what went wrong doing it.
struct ProbeResult {
    std::array<MachineState, 7> loaded{};  // index 1..6, each loaded over Before(slot)
    std::vector<std::string> problems;     // empty when every check held
};

// The state a slot is loaded over, so that a kept value can be told from a read one.
MachineState Before(int slot);

// Writes `bytes` as a settings file in `folder`, reads slots 1..6 through the INI store into the
// ledger, then checks that saving what was read and reading it back gives the same state, both into
// a fresh file and into the damaged file itself. Leaves no file behind.
ProbeResult ProbeSettingsFile(std::string_view bytes, const std::string& folder);

}  // namespace keno::fuzz
