#include "core/PlayerLedger.h"

#include <gtest/gtest.h>

#include <tuple>

#include "core/MemorySettingsStore.h"

namespace {

using keno::MachineState;
using keno::MemorySettingsStore;
using keno::PlayerLedger;

MachineState SampleState(int seed) {
    MachineState s;
    s.bank = 1000 + seed, s.games = 30 + seed, s.wager = 75 + seed, s.amountinvested = 1020 + seed;
    s.total = -40 - seed;  // negative values must survive too
    s.coinsbet = static_cast<std::int16_t>(1 + seed % 5);
    s.reelspeed = static_cast<std::int16_t>(10 * seed);
    s.currentplayer = "Player " + std::to_string(seed);
    return s;
}

class PlayerLedgerTest : public ::testing::Test {
protected:
    MachineState state;
    MemorySettingsStore store;
    PlayerLedger ledger{state, store};
};

TEST_F(PlayerLedgerTest, SavesEightKeysInOrderToTheSelectedSlot) {
    state = SampleState(3);
    state.total = 0;
    state.currentplayer.clear();
    state.playerslot = "4";
    EXPECT_TRUE(ledger.SaveRecord().ok);
    EXPECT_EQ(store.SyncCount(), 1);
    std::vector<MemorySettingsStore::SaveCall> expected;
    for (const auto& [key, value] : {std::pair{"coinsbet", "4"}, {"reelspeed", "30"}, {"amountinvested", "1023"},
                                     {"wager", "78"}, {"total", "0"}, {"bank", "1003"}, {"games", "33"},
                                     {"currentplayer", ""}})
        expected.push_back({"plinx", "player4", key, value});
    EXPECT_EQ(store.SaveCalls(), expected);
}

// Every slot round-trips, names of any shape included, without touching the slot or game in use;
// an absent record keeps the numbers and empties the name.
TEST_F(PlayerLedgerTest, EverySlotRoundTripsWithoutTouchingPlayerslot) {
    const char* names[] = {"", "O'Brien, Jr.", "  blank edges  ", "Zoë Ångström", "say \"hi\"", "two\nlines"};
    state = SampleState(2);
    ledger.LoadRecord(5);
    MachineState absent = SampleState(2);
    absent.currentplayer.clear();
    EXPECT_EQ(state, absent);
    for (int slot = 1; slot <= 6; ++slot) {
        state = SampleState(slot);
        state.currentplayer = names[slot - 1];
        state.playerslot = std::to_string(slot);
        ASSERT_TRUE(ledger.SaveRecord().ok);
    }
    store.Put("plinx", "player1", "coinsbet", "32768");  // beyond 16 bits: kept
    for (int slot = 1; slot <= 6; ++slot) {
        SCOPED_TRACE(slot);
        state = SampleState(0);
        state.playerslot = "2", state.activegame = "game2";
        ledger.LoadRecord(slot);
        MachineState expected = SampleState(slot);
        if (slot == 1) expected.coinsbet = SampleState(0).coinsbet;
        expected.currentplayer = names[slot - 1];
        expected.playerslot = "2", expected.activegame = "game2";
        EXPECT_EQ(state, expected);
        EXPECT_EQ(ledger.StoredName(slot), names[slot - 1]);
    }
}

// A stored bet outside 0..5 (hand-edited, damaged) loads as no bet; one that is no 16-bit number
// at all keeps the bet in hand, like any unreadable number.
TEST_F(PlayerLedgerTest, AStoredBetOutsideZeroToFiveLoadsAsNoBet) {
    const std::pair<const char*, int> rows[] = {{"-5", 0}, {"9", 0}, {"6", 0}, {"-1", 0}, {"5", 5},
                                                {"0", 0},  {" 2 ", 2}, {"4.6", 5}, {"32768", 3}, {"abc", 3}};
    for (const auto& [stored, loaded] : rows) {
        SCOPED_TRACE(stored);
        store.Put("plinx", "player2", "coinsbet", stored);
        state.coinsbet = 3;
        ledger.LoadRecord(2);
        EXPECT_EQ(state.coinsbet, loaded);
    }
}

TEST_F(PlayerLedgerTest, RefusedSyncIsReportedAndTheValuesStayPending) {
    store.RefuseSyncs("disk full");
    state = SampleState(1);
    state.playerslot = "1";
    const auto status = ledger.SaveRecord();
    EXPECT_EQ(std::tie(status.ok, status.location, status.reason), std::make_tuple(false, "memory", "disk full"));
    EXPECT_FALSE(store.Stored("plinx", "player1", "bank"));
    store.AcceptSyncs();
    EXPECT_TRUE(ledger.SaveRecord().ok);
    EXPECT_EQ(store.Stored("plinx", "player1", "bank"), "1001");
}

TEST_F(PlayerLedgerTest, NoValidSlotWritesNothingAndSaysSo) {
    state = SampleState(1);
    for (const char* slot : {"", "0", "7", "01", " 1", "one"}) {
        state.playerslot = slot;
        const auto status = ledger.SaveRecord();
        EXPECT_TRUE(!status.ok && !status.reason.empty()) << slot;
    }
    EXPECT_TRUE(store.SaveCalls().empty());
    const MachineState before = state;
    ledger.LoadRecord(0);
    ledger.LoadRecord(7);
    EXPECT_EQ(state, before);
}

}  // namespace
