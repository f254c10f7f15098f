#include "keno22/Keno22PaySchedule.h"

#include <array>

namespace keno {

namespace {

constexpr std::array<Keno22PayEntry, 37> kEntries{{
    {2, 2, 15, false},
    {3, 2, 2, false},    {3, 3, 45, false},
    {4, 2, 2, false},    {4, 3, 8, true},     {4, 4, 43, false},
    {5, 2, 1, false},    {5, 3, 4, true},     {5, 4, 21, true},   {5, 5, 62, false},
    {6, 3, 3, false},    {6, 4, 14, true},    {6, 5, 29, true},   {6, 6, 170, false},
    {7, 3, 1, false},    {7, 4, 10, true},    {7, 5, 20, true},   {7, 6, 34, true},
    {7, 7, 300, false},
    {8, 4, 5, false},    {8, 5, 22, true},    {8, 6, 32, true},   {8, 7, 80, true},
    {8, 8, 500, false},
    {9, 4, 4, false},    {9, 5, 10, true},    {9, 6, 18, true},   {9, 7, 27, true},
    {9, 8, 100, true},   {9, 9, 2500, false},
    {10, 4, 1, false},   {10, 5, 10, true},   {10, 6, 17, true},  {10, 7, 25, true},
    {10, 8, 30, true},   {10, 9, 700, true},  {10, 10, 10000, false},
}};

struct SoundBand {
    std::int32_t upTo;
    Cue mainDraw;
    Cue takeWin;
};

// Tested in this order; the first band whose upper bound holds the amount wins.
constexpr std::array<SoundBand, 6> kBands{{
    {0, Cue::None, Cue::None},
    {5, Cue::Startup, Cue::Startup},
    {20, Cue::WinSmall, Cue::WinSmall},
    {100, Cue::WinMedium, Cue::WinSmall},
    {200, Cue::WinMedium, Cue::WinMedium},
    {400, Cue::None, Cue::None},
}};

}  // namespace

std::span<const Keno22PayEntry> Keno22PaySchedule::Entries() { return kEntries; }

std::optional<Keno22PayEntry> Keno22PaySchedule::Lookup(int spots, int hits) {
    for (const auto& e : kEntries) {
        if (e.spots == spots && e.hits == hits) return e;
    }
    return std::nullopt;
}

std::int32_t Keno22PaySchedule::Win(int spots, int hits, std::int16_t coinsbet) {
    const auto entry = Lookup(spots, hits);
    return entry ? static_cast<std::int32_t>(coinsbet) * entry->multiplier : 0;
}

Cue Keno22PaySchedule::WinSound(std::int32_t amount, WinMapping mapping) {
    if (amount < 0) return Cue::None;
    for (const auto& band : kBands) {
        if (amount <= band.upTo) return mapping == WinMapping::MainDraw ? band.mainDraw : band.takeWin;
    }
    return mapping == WinMapping::MainDraw ? Cue::WinBig : Cue::WinMedium;
}

}  // namespace keno
