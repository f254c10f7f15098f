#pragma once
#include <cstdint>
#include <optional>
#include <span>

#include "core/Cue.h"

namespace keno {

struct Keno22PayEntry {
    int spots;
    int hits;
    int multiplier;  // coins paid per coin bet
    bool offer;      // a game ending here opens the extra-ball offer
};

// Which fanfare table WinSound uses: after the main draw or the extra balls, or on TAKE WIN.
enum class WinMapping { MainDraw, TakeWin };

// The 22-ball pay schedule: 37 constant entries for 2..10 spots.
class Keno22PaySchedule {
public:
    static std::span<const Keno22PayEntry> Entries();
    // The entry for (spots, hits), or nothing when that pair pays nothing.
    static std::optional<Keno22PayEntry> Lookup(int spots, int hits);
    // coinsbet x multiplier in 32-bit arithmetic; 0 when the pair pays nothing.
    static std::int32_t Win(int spots, int hits, std::int16_t coinsbet);
    // The fanfare for a win of `amount` coins, Cue::None when it plays none.
    static Cue WinSound(std::int32_t amount, WinMapping mapping);
};

}  // namespace keno
