#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "core/MachineState.h"
#include "options/OptionsView.h"

namespace keno {

// The five sets of statistics texts: at opening and after a slot change (each with and without
// games played), and after deleting the player's details.
enum class StatisticsColumn {
    OpeningWithGames,
    OpeningNoGames,
    SlotChangeWithGames,
    SlotChangeNoGames,
    AfterDelete,
};

// bank - amountinvested, exact (the difference of two 32-bit values can exceed 32 bits).
std::int64_t WinningOrLosing(const MachineState& state);

// Whole-number part of total / wager * 100 (exact); nothing when wager is 0.
std::optional<std::int64_t> ReturnedPercent(const MachineState& state);

// Fills the statistics labels of the column; labels the column leaves alone, and lblreturned when
// the percentage cannot be computed, keep their text. upperName is the name as displayed.
void ShowStatistics(StatisticsColumn column, const MachineState& state, std::string_view upperName,
                    OptionsView& view);

}  // namespace keno
