#pragma once
#include <cstdint>
#include <optional>
#include <span>

#include "board/KenoBoard.h"
#include "core/ViewModel.h"

namespace keno {

struct Keno20PayEntry {
    int spots;
    int hits;
    int multiplier;  // coins paid per coin bet
    int row;         // line of the on-screen table, 1..7
};

struct Keno20Pay {
    int multiplier;
    int row;
    bool operator==(const Keno20Pay&) const = default;
};

// The 20-ball pay schedule: 35 constant entries for 3..10 spots.
class Keno20PaySchedule {
public:
    static constexpr int kMinSpots = 3;
    static constexpr int kMaxSpots = 10;
    static constexpr int kRows = 7;

    static std::span<const Keno20PayEntry> Entries();
    // What (spots, hits) pays per coin and where it stands in the table, or nothing.
    static std::optional<Keno20Pay> Lookup(int spots, int hits);
};

// The pay table beside the 20-ball board: labels "spotshit_<i>" (hits) and "winns_<i>" (coins at
// the current bet) for rows 1..7, and timer "timerpay" that flashes the row of the last win.
class Keno20PayTable final : public PayTableHooks {
public:
    explicit Keno20PayTable(ViewModel& view) : view_(view) {}

    void ClearSchedule() override;
    // Writes the rows of that spot count only; rows below stay as they were.
    void ShowSchedule(int spots, int coinsbet) override;
    void RevealRows() override;
    void StopRowFlash() override;
    void StartRowFlash();
    // timerpay handler: the row hides and shows on alternate ticks.
    void RowFlashTick();

    void SetPayRow(int row) { payrow_ = row; }
    int payrow() const { return payrow_; }
    int flashphase() const { return flashphase_; }

private:
    ViewModel& view_;
    int payrow_ = 0;
    // Survives stopping and restarting, so a restarted flash continues its rhythm.
    int flashphase_ = 0;
};

}  // namespace keno
