#include <gtest/gtest.h>

#include <functional>

#include "tests/options/OptionsTestRig.h"

namespace keno::test {
namespace {

const Record kAlice{"3", "10", "100", "60", "45", "80", "12", "alice"};

Message Information(const std::string& text) {
    return {text, "Tarvell22", Icon::Information, Buttons::Ok, Answer::Ok};
}

TEST(OptionsOpening, WritesTheRecordFirstThenListsSlotsAndReloadsTheSlotInUse) {
    OptionsRig rig;
    rig.Put(1, kAlice);
    rig.Put(2, {"1", "1", "0", "0", "0", "0", "0", "Bob"});
    rig.Put(4, {"1", "1", "0", "0", "0", "0", "0", ""});
    rig.state.bank = 500;  // played since the record was last written
    rig.state.coinsbet = 4;
    rig.state.reelspeed = 0;
    rig.state.currentplayer = "zoë";

    rig.options.OpenOptions();

    EXPECT_EQ(rig.Stored(1, "bank"), "500");
    EXPECT_EQ(rig.state.bank, 500);
    EXPECT_EQ(rig.state.currentplayer, "zoë");
    EXPECT_TRUE(rig.view().open);
    const std::array<std::string, 7> captions{"", "ZOË", "BOB", "Vacant", "Vacant", "Vacant", "Vacant"};
    EXPECT_EQ(rig.view().machine, captions);
    EXPECT_EQ(rig.view().selectedSlot, 1);
    EXPECT_EQ(rig.view().selectedSpeed, 0);
    EXPECT_EQ(rig.state.reelspeed, 1);
    EXPECT_EQ(rig.view().speedlab, "Current Speed =   1");
    EXPECT_EQ(rig.keno22.Text("panelbank"), "500");
    EXPECT_EQ(rig.keno22.Text("betpan"), "4");
    EXPECT_EQ(rig.keno22.Text("caption"), "Current Player       ZOË");
    EXPECT_EQ(rig.keno20.Text("lblcredit"), "500");
    EXPECT_EQ(rig.keno20.Text("caption"), "Current Player       ZOË");
    EXPECT_GE(rig.view().player1FocusRequests, 1);
    EXPECT_GE(rig.host.refreshes, 1);
    EXPECT_TRUE(rig.host.calls.empty());
    EXPECT_TRUE(rig.messenger.shown.empty());
}

TEST(OptionsOpening, SpeedButtonFollowsTheStoredSpeed) {
    struct Case { const char* reelspeed; int button; std::int16_t speed; const char* label; };
    for (const Case& c : {Case{"0", 0, 1, "Current Speed =   1"}, Case{"1", 0, 1, "Current Speed =   1"},
                          Case{"10", 1, 10, "Current Speed =   2"}, Case{"20", 2, 20, "Current Speed =   3"},
                          Case{"7", -1, 7, ""}}) {
        SCOPED_TRACE(c.reelspeed);
        OptionsRig rig;
        rig.Start({"1", c.reelspeed, "0", "0", "0", "0", "0", ""});
        rig.options.OpenOptions();
        EXPECT_EQ(rig.view().selectedSpeed, c.button);
        EXPECT_EQ(rig.state.reelspeed, c.speed);
        EXPECT_EQ(rig.view().speedlab, c.label);
    }
}

TEST(OptionsSlots, ChangingToASlotWithoutRecordStartsFromNothing) {
    OptionsRig rig;
    rig.Start(kAlice);
    rig.options.OpenOptions();
    const int syncs = rig.store.SyncCount();

    rig.options.SelectPlayerSlot(4);

    MachineState expected = rig.state;
    expected.bank = expected.coinsbet = 0;
    expected.games = expected.wager = expected.total = expected.amountinvested = 0;
    expected.currentplayer = "";
    expected.reelspeed = 1;
    expected.playerslot = "4";
    EXPECT_EQ(rig.state, expected);
    EXPECT_EQ(rig.view().machine[4], "Vacant");
    EXPECT_EQ(rig.view().machine[1], "ALICE");
    EXPECT_EQ(rig.view().selectedSlot, 4);
    EXPECT_EQ(rig.view().selectedSpeed, 0);
    EXPECT_EQ(rig.view().speedlab, "Current Speed =   1");
    EXPECT_EQ(rig.view().lbllastbet, "Last Bet            0");
    EXPECT_EQ(rig.keno22.Text("panelbank"), "0");
    EXPECT_EQ(rig.keno22.Text("betpan"), "0");
    EXPECT_EQ(rig.keno22.Text("caption"), "Current Player       ");
    EXPECT_EQ(rig.keno20.Text("lblcredit"), "0");
    EXPECT_EQ(rig.keno20.Text("betpan"), "0");
    EXPECT_EQ(rig.keno20.Text("caption"), "Current Player       ");
    EXPECT_EQ(rig.store.SyncCount(), syncs);  // choosing a slot writes nothing
}

TEST(OptionsSlots, ChangingToAStoredSlotShowsItsFiguresOnBothGameWindows) {
    OptionsRig rig;
    rig.Put(2, {"5", "20", "200", "130", "260", "330", "4", "Bob"});
    rig.options.OpenOptions();
    rig.options.SelectPlayerSlot(2);
    EXPECT_EQ(rig.state.bank, 330);
    EXPECT_EQ(rig.state.reelspeed, 20);
    EXPECT_EQ(rig.view().selectedSpeed, 2);
    EXPECT_EQ(rig.view().machine[2], "BOB");
    for (const auto& [view, credit] : {std::pair{&rig.keno22, "panelbank"}, std::pair{&rig.keno20, "lblcredit"}}) {
        EXPECT_EQ(view->Text(credit), "330");
        EXPECT_EQ(view->Text("betpan"), "5");
        EXPECT_EQ(view->Text("caption"), "Current Player       BOB");
    }
}

TEST(OptionsSlots, WithoutTheTwentyBallWindowOnlyTheMainWindowIsWritten) {
    OptionsRig rig;
    rig.options.SetKeno20View(nullptr);
    rig.Put(3, kAlice);
    rig.options.OpenOptions();
    rig.options.SelectPlayerSlot(3);
    rig.options.EnterPlayerName("al");
    EXPECT_EQ(rig.keno22.Text("caption"), "Current Player       AL");
    EXPECT_TRUE(rig.keno20.Texts().empty());
}

TEST(OptionsSpeed, EachButtonSetsItsSpeed) {
    OptionsRig rig;
    const std::pair<std::int16_t, const char*> speeds[] = {
        {1, "Current Speed =   1"}, {10, "Current Speed =   2"}, {20, "Current Speed =   3"}};
    for (int i = 0; i < 3; ++i) {
        rig.options.SelectSpeed(i);
        EXPECT_EQ(rig.state.reelspeed, speeds[i].first);
        EXPECT_EQ(rig.view().speedlab, speeds[i].second);
        EXPECT_EQ(rig.view().selectedSpeed, i);
    }
}

struct NameCase {
    const char* typed;
    const char* refusal;  // nullptr when accepted
    const char* shown;    // upper-cased name after the entry
};

class OptionsName : public testing::TestWithParam<NameCase> {};

TEST_P(OptionsName, EntryAcceptsOneToTwelveCharacters) {
    const NameCase& c = GetParam();
    OptionsRig rig;
    rig.Start(kAlice, 2);
    rig.options.OpenOptions();
    const int syncs = rig.store.SyncCount();
    const int clears = rig.view().player1Clears;

    rig.options.EnterPlayerName(c.typed);

    EXPECT_EQ(rig.view().player1Clears, clears + 1);
    EXPECT_EQ(rig.view().lblcurrentplayer, std::string("Current Player  ") + c.shown);
    if (c.refusal) {
        ASSERT_EQ(rig.messenger.shown.size(), 1u);
        EXPECT_EQ(rig.messenger.shown[0], Information(c.refusal));
        EXPECT_EQ(rig.state.currentplayer, "alice");
        EXPECT_EQ(rig.store.SyncCount(), syncs);
        EXPECT_EQ(rig.view().machine[2], "ALICE");
        return;
    }
    EXPECT_TRUE(rig.messenger.shown.empty());
    EXPECT_EQ(rig.state.currentplayer, c.typed);
    EXPECT_EQ(rig.Stored(2, "currentplayer"), c.typed);
    EXPECT_EQ(rig.view().machine[2], c.shown);
    EXPECT_EQ(rig.keno22.Text("caption"), std::string("Current Player       ") + c.shown);
    EXPECT_EQ(rig.keno20.Text("caption"), std::string("Current Player       ") + c.shown);
    EXPECT_EQ(rig.keno22.Text("panelbank"), "80");
    EXPECT_EQ(rig.keno20.Text("lblcredit"), "80");
}

INSTANTIATE_TEST_SUITE_P(
    Names, OptionsName,
    testing::Values(NameCase{"", "Nothing Entered", "ALICE"}, NameCase{"abcdefghijkl", nullptr, "ABCDEFGHIJKL"},
                    NameCase{"abcdefghijklm", "Name Too Long", "ALICE"}, NameCase{"x", nullptr, "X"},
                    NameCase{"ma bell", nullptr, "MA BELL"},
                    // twelve two-byte letters are twelve characters, not twenty-four
                    NameCase{"éééééééééééé", nullptr, "ÉÉÉÉÉÉÉÉÉÉÉÉ"},
                    NameCase{"ééééééééééééé", "Name Too Long", "ALICE"}));

TEST(OptionsName, DialogMayHandInItsOwnUpperCasing) {
    OptionsRig rig;
    rig.options.SetUpperCase([](std::string_view name) { return "<" + std::string(name) + ">"; });
    rig.options.OpenOptions();
    rig.options.EnterPlayerName("straße");
    EXPECT_EQ(rig.view().machine[1], "<straße>");
    EXPECT_EQ(rig.keno22.Text("caption"), "Current Player       <straße>");
}

TEST(OptionsDelete, YesZeroesTheFiguresButKeepsNameBetSpeedAndWager) {
    OptionsRig rig;
    rig.Start(kAlice);
    rig.options.OpenOptions();
    rig.messenger.answers = {Answer::Yes};

    rig.options.DeletePlayerDetails();

    ASSERT_EQ(rig.messenger.shown.size(), 1u);
    EXPECT_EQ(rig.messenger.shown[0], (Message{"Are you sure you want to Delete Current Player's Details ?",
                                               "Tarvell22", Icon::Critical, Buttons::YesNo, Answer::No}));
    EXPECT_EQ(rig.state.currentplayer, "alice");
    EXPECT_EQ(rig.state.coinsbet, 3);
    EXPECT_EQ(rig.state.reelspeed, 10);
    EXPECT_EQ(rig.state.wager, 60);
    EXPECT_EQ(rig.state.bank, 0);
    EXPECT_EQ(rig.state.total, 0);
    EXPECT_EQ(rig.state.games, 0);
    EXPECT_EQ(rig.state.amountinvested, 0);
    for (const char* key : {"bank", "total", "games", "amountinvested"}) EXPECT_EQ(rig.Stored(1, key), "0") << key;
    EXPECT_EQ(rig.Stored(1, "wager"), "60");
    EXPECT_EQ(rig.Stored(1, "currentplayer"), "alice");
    EXPECT_EQ(rig.keno22.Text("panelbank"), "0");
    EXPECT_EQ(rig.keno20.Text("lblcredit"), "0");
    EXPECT_FALSE(rig.view().open);
    EXPECT_EQ(rig.host.calls, (std::vector<std::string>{"show game1", "close dialog"}));
}

TEST(OptionsDelete, NoOnlyClosesTheDialogWhichStillWritesTheRecord) {
    OptionsRig rig;
    rig.Start(kAlice);
    rig.options.OpenOptions();
    const MachineState before = rig.state;
    const int syncs = rig.store.SyncCount();
    rig.messenger.answers = {Answer::No};

    rig.options.DeletePlayerDetails();

    EXPECT_EQ(rig.state, before);
    EXPECT_EQ(rig.store.SyncCount(), syncs + 1);
    EXPECT_EQ(rig.Stored(1, "bank"), "80");
    EXPECT_EQ(rig.host.calls, (std::vector<std::string>{"show game1", "close dialog"}));
}

// Every way out of the dialog writes the record of the slot in use and brings back the active game.
struct Exit {
    const char* name;
    std::function<void(OptionsRig&)> take;
    std::vector<std::string> hostCalls;
};

class OptionsExit : public testing::TestWithParam<Exit> {};

TEST_P(OptionsExit, WritesTheRecordAndBringsBackTheActiveGame) {
    OptionsRig rig;
    rig.Start(kAlice);
    rig.state.activegame = "game2";
    rig.options.OpenOptions();
    rig.options.SelectSpeed(2);  // not written by itself
    const int clears = rig.view().player1Clears;

    GetParam().take(rig);

    EXPECT_EQ(rig.Stored(1, "reelspeed"), "20");
    EXPECT_EQ(rig.host.calls, GetParam().hostCalls);
    EXPECT_EQ(rig.view().player1Clears, clears + 1);
    EXPECT_FALSE(rig.view().open);

    // The close event the unloading raises again changes nothing.
    const int syncs = rig.store.SyncCount();
    rig.options.CloseOptions();
    EXPECT_EQ(rig.store.SyncCount(), syncs);
    EXPECT_EQ(rig.host.calls, GetParam().hostCalls);
}

INSTANTIATE_TEST_SUITE_P(
    Exits, OptionsExit,
    testing::Values(
        Exit{"Ok", [](OptionsRig& rig) { rig.options.CloseOptions(); }, {"show game2", "close dialog"}},
        Exit{"DeleteYes",
             [](OptionsRig& rig) {
                 rig.messenger.answers = {Answer::Yes};
                 rig.options.DeletePlayerDetails();
             },
             {"show game2", "close dialog"}},
        Exit{"DeleteNo",
             [](OptionsRig& rig) {
                 rig.messenger.answers = {Answer::No};
                 rig.options.DeletePlayerDetails();
             },
             {"show game2", "close dialog"}},
        Exit{"LargeScreen", [](OptionsRig& rig) { rig.options.SetLargeScreen(); },
             {"move keno22 to 0,0", "show game2", "close dialog"}},
        Exit{"OriginalScreen", [](OptionsRig& rig) { rig.options.SetOriginalScreen(); },
             {"move keno22 to 0,0", "show game2", "close dialog"}}),
    [](const testing::TestParamInfo<Exit>& param_info) { return param_info.param.name; });

TEST(OptionsScreen, LargeSizeChangesOnlyWhenNeitherSideIsAlreadyThere) {
    struct Case { std::pair<int, int> screen; bool changes; };
    for (const Case& c : {Case{{800, 600}, false}, Case{{800, 1024}, false}, Case{{1280, 600}, false},
                          Case{{1024, 768}, true}, Case{{640, 480}, true}}) {
        SCOPED_TRACE(std::to_string(c.screen.first) + "x" + std::to_string(c.screen.second));
        OptionsRig rig;
        rig.display.screen = c.screen;
        rig.options.OpenOptions();
        rig.options.SetLargeScreen();
        if (c.changes) {
            EXPECT_EQ(rig.display.calls, std::vector<std::string>{"change 800x600"});
            EXPECT_TRUE(rig.messenger.shown.empty());
        } else {
            EXPECT_TRUE(rig.display.calls.empty());
            ASSERT_EQ(rig.messenger.shown.size(), 1u);
            EXPECT_EQ(rig.messenger.shown[0], Information("Already 800 X 600 resolution !!\r"));
            EXPECT_EQ(rig.host.calls, (std::vector<std::string>{"show game1", "close dialog"}));
        }
    }
}

TEST(OptionsScreen, OriginalSizeRestoresTheStoredMode) {
    OptionsRig rig;
    rig.options.OpenOptions();
    rig.options.SetOriginalScreen();
    EXPECT_EQ(rig.display.calls, std::vector<std::string>{"restore"});
}

TEST(OptionsSave, AFailedWriteIsReportedWithItsPlaceAndReason) {
    OptionsRig rig;
    rig.Start(kAlice);
    rig.store.RefuseSyncs("disk full");

    rig.options.OpenOptions();
    ASSERT_EQ(rig.host.failures.size(), 1u);
    EXPECT_FALSE(rig.host.failures[0].ok);
    EXPECT_EQ(rig.host.failures[0].location, "memory");
    EXPECT_EQ(rig.host.failures[0].reason, "disk full");
    ASSERT_TRUE(rig.options.LastSaveFailure().has_value());
    EXPECT_EQ(rig.options.LastSaveFailure()->reason, "disk full");

    rig.options.ClearSaveFailure();
    rig.store.AcceptSyncs();
    rig.options.EnterPlayerName("al");
    EXPECT_FALSE(rig.options.LastSaveFailure().has_value());

    rig.store.RefuseSyncs("read-only");
    rig.options.CloseOptions();
    ASSERT_EQ(rig.host.failures.size(), 2u);
    EXPECT_EQ(rig.host.failures[1].reason, "read-only");
    EXPECT_EQ(rig.host.calls, (std::vector<std::string>{"show game1", "close dialog"}));
}

}  // namespace
}  // namespace keno::test
