#include "core/PlayerLedger.h"

#include <gtest/gtest.h>

#include "core/MemorySettingsStore.h"

namespace {

using keno::MachineState;
using keno::MemorySettingsStore;
using keno::PlayerLedger;

MachineState SampleState(int seed) {
    MachineState s;
    s.bank = 1000 + seed;
    s.coinsbet = static_cast<std::int16_t>(1 + seed % 5);
    s.games = 30 + seed;
    s.wager = 75 + seed;
    s.total = -40 - seed;  // negative values must survive too
    s.amountinvested = 1020 + seed;
    s.reelspeed = static_cast<std::int16_t>(seed == 0 ? 0 : 10 * seed);
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
    const auto status = ledger.SaveRecord();
    EXPECT_TRUE(status.ok);
    EXPECT_EQ(store.SyncCount(), 1);
    const std::vector<MemorySettingsStore::SaveCall> expected{
        {"plinx", "player4", "coinsbet", "4"},        {"plinx", "player4", "reelspeed", "30"},
        {"plinx", "player4", "amountinvested", "1023"}, {"plinx", "player4", "wager", "78"},
        {"plinx", "player4", "total", "0"},           {"plinx", "player4", "bank", "1003"},
        {"plinx", "player4", "games", "33"},          {"plinx", "player4", "currentplayer", ""},
    };
    EXPECT_EQ(store.SaveCalls(), expected);
    EXPECT_EQ(store.Stored("plinx", "player4", "currentplayer"), "");
}

TEST_F(PlayerLedgerTest, EverySlotRoundTripsWithoutTouchingPlayerslot) {
    const char* names[] = {"", "O'Brien, Jr.", "  blank edges  ", "Zoë Ångström", "say \"hi\"", "two\nlines"};
    for (int slot = 1; slot <= 6; ++slot) {
        state = SampleState(slot);
        state.currentplayer = names[slot - 1];
        state.playerslot = std::to_string(slot);
        ASSERT_TRUE(ledger.SaveRecord().ok);
    }
    for (int slot = 1; slot <= 6; ++slot) {
        SCOPED_TRACE(slot);
        state = MachineState{};
        state.playerslot = "2";
        state.activegame = "game2";
        ledger.LoadRecord(slot);
        MachineState expected = SampleState(slot);
        expected.currentplayer = names[slot - 1];
        expected.playerslot = "2";
        expected.activegame = "game2";
        EXPECT_EQ(state, expected);
        EXPECT_EQ(ledger.StoredName(slot), names[slot - 1]);
    }
}

TEST_F(PlayerLedgerTest, AbsentRecordKeepsNumbersAndEmptiesTheName) {
    state = SampleState(2);
    const MachineState before = state;
    ledger.LoadRecord(5);
    MachineState expected = before;
    expected.currentplayer.clear();
    EXPECT_EQ(state, expected);
    EXPECT_TRUE(store.SaveCalls().empty());
}

TEST_F(PlayerLedgerTest, UnreadableOrOutOfRangeNumbersKeepTheirValue) {
    store.Put("plinx", "player1", "bank", "abc");
    store.Put("plinx", "player1", "coinsbet", "32768");       // beyond 16 bits
    store.Put("plinx", "player1", "reelspeed", "-32768");     // exactly the 16-bit floor: taken
    store.Put("plinx", "player1", "games", "12.5");
    store.Put("plinx", "player1", "wager", "13.5");
    store.Put("plinx", "player1", "total", "2147483648");      // beyond 32 bits
    store.Put("plinx", "player1", "amountinvested", " 40 ");
    store.Put("plinx", "player1", "currentplayer", "Ann");
    state = SampleState(1);
    ledger.LoadRecord(1);
    EXPECT_EQ(state.bank, 1001);
    EXPECT_EQ(state.coinsbet, 2);
    EXPECT_EQ(state.reelspeed, -32768);
    EXPECT_EQ(state.games, 12);
    EXPECT_EQ(state.wager, 14);
    EXPECT_EQ(state.total, -41);
    EXPECT_EQ(state.amountinvested, 40);
    EXPECT_EQ(state.currentplayer, "Ann");
}

TEST_F(PlayerLedgerTest, StoredNameReadsOnlyTheName) {
    store.Put("plinx", "player6", "currentplayer", "Bea");
    store.Put("plinx", "player6", "bank", "99");
    const MachineState before = state;
    EXPECT_EQ(ledger.StoredName(6), "Bea");
    EXPECT_EQ(ledger.StoredName(3), "");
    EXPECT_EQ(state, before);
}

TEST_F(PlayerLedgerTest, RefusedSyncIsReportedAndTheValuesStayPending) {
    store.RefuseSyncs("disk full");
    state = SampleState(1);
    state.playerslot = "1";
    const auto status = ledger.SaveRecord();
    EXPECT_FALSE(status.ok);
    EXPECT_EQ(status.location, "memory");
    EXPECT_EQ(status.reason, "disk full");
    EXPECT_FALSE(store.Stored("plinx", "player1", "bank"));
    store.AcceptSyncs();
    EXPECT_TRUE(ledger.SaveRecord().ok);
    EXPECT_EQ(store.Stored("plinx", "player1", "bank"), "1001");
}

TEST_F(PlayerLedgerTest, NoValidSlotWritesNothingAndSaysSo) {
    state = SampleState(1);
    for (const char* slot : {"", "0", "7", "01", " 1", "one"}) {
        SCOPED_TRACE(slot);
        state.playerslot = slot;
        const auto status = ledger.SaveRecord();
        EXPECT_FALSE(status.ok);
        EXPECT_FALSE(status.reason.empty());
    }
    EXPECT_TRUE(store.SaveCalls().empty());
    const MachineState before = state;
    ledger.LoadRecord(0);
    ledger.LoadRecord(7);
    EXPECT_EQ(state, before);
    EXPECT_EQ(ledger.StoredName(7), "");
}

}  // namespace
