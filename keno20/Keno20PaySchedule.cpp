#include "keno20/Keno20PaySchedule.h"

#include <array>
#include <string>

namespace keno {

namespace {

constexpr std::array<Keno20PayEntry, 35> kEntries{{
    {3, 2, 2, 1},     {3, 3, 45, 2},
    {4, 2, 2, 1},     {4, 3, 5, 2},     {4, 4, 85, 3},
    {5, 3, 5, 1},     {5, 4, 25, 2},    {5, 5, 280, 3},
    {6, 3, 3, 1},     {6, 4, 8, 2},     {6, 5, 42, 3},    {6, 6, 1200, 4},
    {7, 3, 2, 1},     {7, 4, 5, 2},     {7, 5, 16, 3},    {7, 6, 128, 4},   {7, 7, 2500, 5},
    {8, 4, 4, 1},     {8, 5, 15, 2},    {8, 6, 75, 3},    {8, 7, 510, 4},   {8, 8, 10000, 5},
    {9, 4, 2, 1},     {9, 5, 10, 2},    {9, 6, 30, 3},    {9, 7, 200, 4},   {9, 8, 1600, 5},
    {9, 9, 10000, 6},
    {10, 4, 2, 1},    {10, 5, 5, 2},    {10, 6, 15, 3},   {10, 7, 70, 4},   {10, 8, 340, 5},
    {10, 9, 3000, 6}, {10, 10, 10000, 7},
}};

std::string HitsLabel(int row) { return "spotshit_" + std::to_string(row); }
std::string WinLabel(int row) { return "winns_" + std::to_string(row); }

}  // namespace

std::span<const Keno20PayEntry> Keno20PaySchedule::Entries() { return kEntries; }

std::optional<Keno20Pay> Keno20PaySchedule::Lookup(int spots, int hits) {
    for (const auto& e : kEntries) {
        if (e.spots == spots && e.hits == hits) return Keno20Pay{e.multiplier, e.row};
    }
    return std::nullopt;
}

void Keno20PayTable::ClearSchedule() {
    for (int row = 1; row <= Keno20PaySchedule::kRows; ++row) {
        view_.SetText(HitsLabel(row), "");
        view_.SetText(WinLabel(row), "");
    }
}

void Keno20PayTable::ShowSchedule(int spots, int coinsbet) {
    for (const auto& e : kEntries) {
        if (e.spots != spots) continue;
        const std::int32_t coins = static_cast<std::int32_t>(coinsbet) * e.multiplier;
        view_.SetText(HitsLabel(e.row), std::to_string(e.hits));
        view_.SetText(WinLabel(e.row), std::to_string(coins));
    }
}

void Keno20PayTable::RevealRows() {
    for (int row = 1; row <= Keno20PaySchedule::kRows; ++row) {
        view_.Show(HitsLabel(row), true);
        view_.Show(WinLabel(row), true);
    }
}

void Keno20PayTable::StopRowFlash() { view_.SetTimer("timerpay", false); }

void Keno20PayTable::StartRowFlash() { view_.SetTimer("timerpay", true); }

void Keno20PayTable::RowFlashTick() {
    // A row outside the table has no labels to flash; the phase still moves on.
    const bool rowExists = payrow_ >= 1 && payrow_ <= Keno20PaySchedule::kRows;
    if (rowExists && (flashphase_ == 1 || flashphase_ == 2)) {
        const bool visible = flashphase_ == 2;
        view_.Show(WinLabel(payrow_), visible);
        view_.Show(HitsLabel(payrow_), visible);
    }
    ++flashphase_;
    if (flashphase_ > 2) flashphase_ = 1;
}

}  // namespace keno
