#include <gtest/gtest.h>

#include <array>
#include <optional>
#include <tuple>

#include "core/MemorySettingsStore.h"
#include "core/PlayerLedger.h"
#include "options/OptionsController.h"
#include "options/PlayerName.h"
#include "options/StatisticsTexts.h"
#include "tests/fakes/RecordingFakes.h"

namespace keno {
namespace {

// The window work and screen changes the controller asks for, one line per call, in order.
struct Recorder final : OptionsHost, DisplayModeSwitch {
    std::vector<std::string> calls;
    std::vector<StoreStatus> failures;
    std::pair<int, int> screen{1024, 768};
    int refreshes = 0;
    void ShowActiveGame(const std::string& game) override { calls.push_back("show " + game); }
    void MoveMainWindowToOrigin() override { calls.push_back("move keno22 to 0,0"); }
    void CloseDialog() override { calls.push_back("close dialog"); }
    void RefreshGameWindows() override { ++refreshes; }
    void SaveFailed(const StoreStatus& status) override { failures.push_back(status); }
    void PlayerDetailsDeleted(int slot) override { calls.push_back("forget history of slot " + std::to_string(slot)); }
    void ChangeDisplayMode(int w, int h) override { calls.push_back(std::to_string(w) + "x" + std::to_string(h)); }
    void RestoreDisplayMode() override { calls.push_back("restore"); }
    std::pair<int, int> ScreenSizePixels() override { return screen; }
};

// coinsbet, reelspeed, amountinvested, wager, total, bank, games, currentplayer
using Record = std::array<std::string, 8>;
const char* const kKeys[] = {"coinsbet", "reelspeed", "amountinvested", "wager",
                             "total",    "bank",      "games",          "currentplayer"};
const Record kAlice{"3", "10", "100", "60", "45", "80", "12", "alice"};
const Record kBob{"5", "20", "40", "100", "130", "60", "4", "Bob"};
const Record kCarol{"2", "1", "40", "0", "0", "40", "0", "carol"};  // stored with speed 0, read as 1
const Record kNoWager{"1", "1", "20", "0", "0", "20", "3", ""};      // games but nothing wagered, no name
const Record kEve{"1", "7", "50", "100", "29", "50", "7", "eve"};     // a speed no button stands for
const Record kVacant{"0", "1", "0", "0", "0", "0", "0", ""};
const std::pair<int, Record> kStored[] = {
    {1, kAlice}, {2, kBob}, {3, {"2", "0", "40", "0", "0", "40", "0", "carol"}}, {4, kNoWager}, {5, kEve}};

// The options controller over an in-memory store holding kStored, playing the given slot.
struct Rig {
    MachineState state;
    MemorySettingsStore store;
    PlayerLedger ledger{state, store};
    ScriptedMessenger messenger;
    Recorder host;
    ViewModel keno22, keno20;
    OptionsController options{state, ledger, messenger, host, host, keno22, &keno20};

    explicit Rig(int slot = 1) {
        for (const auto& [n, record] : kStored)
            for (int i = 0; i < 8; ++i) store.Put("plinx", "player" + std::to_string(n), kKeys[i], record[i]);
        state.activegame = "game1";
        state.playerslot = std::to_string(slot);
        ledger.LoadRecord(slot);
    }
    std::string Stored(int slot, const char* key) const {
        return store.Stored("plinx", "player" + std::to_string(slot), key).value_or("<absent>");
    }
    Record Memory() const {
        auto t = [](auto v) { return std::to_string(v); };
        return {t(state.coinsbet), t(state.reelspeed), t(state.amountinvested), t(state.wager), t(state.total),
                t(state.bank), t(state.games), state.currentplayer};
    }
    const OptionsView& view() const { return options.View(); }
};

std::vector<Message> Told(const char* text) {
    if (!text) return {};
    return {{text, "Tarvell22", Icon::Information, Buttons::Ok, Answer::Ok}};
}

// The statistics labels row by row, one column per operation. {x} is a figure of the player
// shown; "=" keeps the text the label had before, as does {percent} when nothing was wagered.
enum Column { OpenGames, OpenNoGames, SlotGames, SlotNoGames, Deleted };
using V = OptionsView;
const std::pair<std::string V::*, std::array<const char*, 5>> kLabels[] = {
    {&V::lblcurrentplayer, {"Current Player    {name}", "Current Player    {name}", "Current Player   {name}",
                            "Current Player    {name}", "Current Player   {name}"}},
    {&V::lblgames, {"Games Played            {games}", "Games Played      ", "Games Played            {games}",
                    "Games Played          ", "Games Played            0"}},
    {&V::lblwager, {"Total Wagered           {wager}", "Total Wagered     ", "Total Wagered           {wager}",
                    "Total Wagered         ", "Total Wagered           {wager}"}},
    {&V::lbltotalwon, {"Total Won                   {total}", "Total Won      ", "Total Won                   {total}",
                       "Total Won          ", "Total Won                   0"}},
    {&V::lblwinlose, {"Winning/Losing           {winlose}", "Winning/Losing     ", "Winning/Losing           {winlose}",
                      "Winning/Losing      ", "Winning/Losing           0"}},
    {&V::lblreturned, {"Returned To Player     % {percent}", "Returned To Player     ",
                       "Returned To Player     % {percent}", "Returned To Player ", "Returned To Player     % "}},
    {&V::lblinvested, {"Total Invested             {invested}", "Total Invested      ",
                       "Total Invested             {invested}", "Total Invested     ", "Total Invested             0"}},
    {&V::lbllastbet, {"Last Bet            {coinsbet}", "Last Bet            {coinsbet}",
                      "Last Bet            {coinsbet}", "Last Bet            {coinsbet}", "="}},
};

struct Scenario {
    const char* name;
    Column column;
    int start, select;  // slot played at opening; slot chosen afterwards (0: none)
    std::optional<Answer> deleteAnswer;
    Record after;  // the machine's figures afterwards
    const char *winlose, *percent;
    int speedButton;  // -1: none selected
};
const Scenario kScenarios[] = {
    {"OpenWithGames", OpenGames, 1, 0, {}, kAlice, "-20", "75", 1},
    {"OpenWithGames29Of100", OpenGames, 5, 0, {}, kEve, "0", "29", -1},
    {"OpenWithGamesNothingWagered", OpenGames, 4, 0, {}, kNoWager, "0", "=", 0},
    {"OpenNoGames", OpenNoGames, 3, 0, {}, kCarol, "", "", 0},
    {"OpenNoRecord", OpenNoGames, 6, 0, {}, kVacant, "", "", 0},
    {"SlotWithGames", SlotGames, 1, 2, {}, kBob, "20", "130", 2},
    {"SlotNothingWagered", SlotGames, 1, 4, {}, kNoWager, "0", "=", 0},
    {"SlotNoGames", SlotNoGames, 1, 3, {}, kCarol, "", "", 0},
    {"SlotVacant", SlotNoGames, 1, 6, {}, kVacant, "", "", 0},
    {"DeleteYes", Deleted, 1, 0, Answer::Yes, {"3", "10", "0", "60", "0", "0", "0", "alice"}, "", "", 1},
    {"DeleteNo", OpenGames, 1, 0, Answer::No, kAlice, "-20", "75", 1},
};

class Statistics : public testing::TestWithParam<Scenario> {};

TEST_P(Statistics, LabelsFiguresAndGameWindowsFollowTheTable) {
    const Scenario& s = GetParam();
    Rig rig(s.start);
    if (s.select || s.deleteAnswer) rig.options.OpenOptions();
    const OptionsView before = rig.view();
    const int syncs = rig.store.SyncCount();
    if (s.deleteAnswer) rig.messenger.answers = {*s.deleteAnswer};
    if (s.select) rig.options.SelectPlayerSlot(s.select);
    else if (s.deleteAnswer) rig.options.DeletePlayerDetails();
    else rig.options.OpenOptions();

    const Record& r = s.after;
    const std::string name = UpperCaseName(r[7]);
    const std::pair<std::string, std::string> values[] = {
        {"{name}", name},         {"{games}", r[6]},        {"{wager}", r[3]},     {"{total}", r[4]},
        {"{winlose}", s.winlose}, {"{percent}", s.percent}, {"{invested}", r[2]}, {"{coinsbet}", r[0]}};
    for (const auto& [label, texts] : kLabels) {
        std::string text = texts[s.column];
        for (const auto& [key, value] : values) {
            const auto at = text.find(key);
            if (at != std::string::npos) text = value == "=" ? "=" : text.replace(at, key.size(), value);
        }
        EXPECT_EQ(rig.view().*label, text == "=" ? before.*label : text);
    }
    EXPECT_EQ(rig.Memory(), r);
    EXPECT_EQ(rig.view().selectedSpeed, s.speedButton);
    const std::string speedlab = "Current Speed =   " + std::to_string(s.speedButton + 1);
    EXPECT_EQ(rig.view().speedlab, s.speedButton < 0 ? "" : speedlab);
    const std::array<std::string, 7> captions{"", "ALICE", "BOB", "CAROL", "Vacant", "EVE", "Vacant"};
    EXPECT_EQ(rig.view().machine, captions);
    for (auto [view, credit] : {std::pair{&rig.keno22, "panelbank"}, std::pair{&rig.keno20, "lblcredit"}}) {
        EXPECT_EQ(view->Text(credit), r[5]);
        EXPECT_EQ(view->Text("betpan"), r[0]);
        EXPECT_EQ(view->Text("caption"), "Current Player       " + name);
    }
    EXPECT_GT(rig.host.refreshes, 0);
    EXPECT_EQ(rig.store.SyncCount() > syncs, s.select == 0);  // choosing a slot writes nothing
    EXPECT_EQ(rig.view().open, !s.deleteAnswer);
    if (!s.deleteAnswer) {
        EXPECT_TRUE(rig.host.calls.empty() && rig.messenger.shown.empty());
        return;
    }
    EXPECT_EQ(rig.messenger.shown, (std::vector<Message>{{"Are you sure you want to Delete Current Player's Details ?",
                                                          "Tarvell22", Icon::Critical, Buttons::YesNo, Answer::No}}));
    for (int i = 0; i < 8; ++i) EXPECT_EQ(rig.Stored(1, kKeys[i]), r[static_cast<std::size_t>(i)]) << kKeys[i];
    // Only a Yes takes the player's game history with their details.
    std::vector<std::string> calls{"show game1", "close dialog"};
    if (*s.deleteAnswer == Answer::Yes) calls.insert(calls.begin(), "forget history of slot 1");
    EXPECT_EQ(rig.host.calls, calls);
}

INSTANTIATE_TEST_SUITE_P(Columns, Statistics, testing::ValuesIn(kScenarios),
                         [](const testing::TestParamInfo<Scenario>& p) { return p.param.name; });

TEST(Statistics, FiguresAreExactAndDoNotOverflow) {
    struct Case {
        std::int32_t bank, invested, wager, total;
        std::int64_t winlose;
        std::optional<std::int64_t> percent;
    };
    for (const Case& c : {Case{0, 0, 0, 0, 0, std::nullopt}, Case{0, 0, 3, 2, 0, 66},
                          Case{2147483647, -2147483647 - 1, 1, 2147483647, 4294967295LL, 214748364700LL}}) {
        MachineState state;
        state.bank = c.bank, state.amountinvested = c.invested, state.wager = c.wager, state.total = c.total;
        EXPECT_EQ(WinningOrLosing(state), c.winlose);
        EXPECT_EQ(ReturnedPercent(state), c.percent);
    }
}

TEST(OptionsName, OneToTwelveCharactersAreStoredAsTypedAndShownUpperCase) {
    struct Case { const char *typed, *refusal, *shown; };
    for (const Case& c : {Case{"", "Nothing Entered", "ALICE"}, Case{"abcdefghijkl", nullptr, "ABCDEFGHIJKL"},
                          Case{"abcdefghijklm", "Name Too Long", "ALICE"},
                          Case{"éééééééééééé", nullptr, "ÉÉÉÉÉÉÉÉÉÉÉÉ"},  // twelve characters, 24 bytes
                          Case{"ééééééééééééé", "Name Too Long", "ALICE"}}) {
        SCOPED_TRACE(c.typed);
        Rig rig;
        rig.options.OpenOptions();
        const int syncs = rig.store.SyncCount();
        rig.options.EnterPlayerName(c.typed);
        EXPECT_EQ(rig.messenger.shown, Told(c.refusal));
        EXPECT_EQ(rig.view().player1Clears, 1);
        EXPECT_EQ(rig.view().lblcurrentplayer, std::string("Current Player  ") + c.shown);
        EXPECT_EQ(rig.view().machine[1], c.shown);
        EXPECT_EQ(rig.keno20.Text("caption"), std::string("Current Player       ") + c.shown);
        EXPECT_EQ(rig.state.currentplayer, c.refusal ? "alice" : c.typed);
        EXPECT_EQ(rig.Stored(1, "currentplayer"), rig.state.currentplayer);
        EXPECT_EQ(rig.store.SyncCount(), syncs + (c.refusal ? 0 : 1));
    }
}

// Every way out writes the record of the slot in use (the speed too, which its click alone does not)
// and brings back the active game; the large size on a screen already 800 wide or 600 high only says
// so. The close event the unloading raises then changes nothing.
TEST(OptionsExit, EveryWayOutWritesTheRecordAndBringsBackTheActiveGame) {
    using O = OptionsController;
    const std::string back = "show game2", shut = "close dialog", moved = "move keno22 to 0,0";
    const char* const already = "Already 800 X 600 resolution !!\r";
    const struct {
        void (O::*take)();
        Answer answer;
        std::pair<int, int> screen;
        std::vector<std::string> calls;
        const char* told;  // the delete confirmation is checked with the statistics
    } kWays[] = {{&O::CloseOptions, Answer::Ok, {1024, 768}, {back, shut}, nullptr},
                 {&O::DeletePlayerDetails, Answer::Yes, {1024, 768}, {"forget history of slot 1", back, shut}, nullptr},
                 {&O::DeletePlayerDetails, Answer::No, {1024, 768}, {back, shut}, nullptr},
                 {&O::SetLargeScreen, Answer::Ok, {1024, 768}, {"800x600", moved, back, shut}, nullptr},
                 {&O::SetLargeScreen, Answer::Ok, {800, 1024}, {back, shut}, already},
                 {&O::SetLargeScreen, Answer::Ok, {1280, 600}, {back, shut}, already},
                 {&O::SetOriginalScreen, Answer::Ok, {1024, 768}, {"restore", moved, back, shut}, nullptr}};
    for (const auto& way : kWays) {
        SCOPED_TRACE(way.calls.front() + " on " + std::to_string(way.screen.first));
        Rig rig;
        rig.host.screen = way.screen;
        rig.state.activegame = "game2";
        rig.state.bank = 500;  // played since the record was last written
        rig.options.OpenOptions();
        EXPECT_EQ(rig.state.bank, 500);
        EXPECT_EQ(rig.Stored(1, "bank"), "500");
        rig.options.SelectSpeed(2);
        EXPECT_EQ(rig.Stored(1, "reelspeed"), "10");
        rig.messenger.answers = {way.answer};
        (rig.options.*way.take)();
        EXPECT_EQ(rig.Stored(1, "reelspeed"), "20");
        EXPECT_EQ(rig.host.calls, way.calls);
        EXPECT_EQ(rig.view().player1Clears, 1);
        EXPECT_FALSE(rig.view().open);
        if (way.take != &O::DeletePlayerDetails) {
            EXPECT_EQ(rig.messenger.shown, Told(way.told));
        }
        const int syncs = rig.store.SyncCount();
        rig.options.CloseOptions();
        EXPECT_EQ(rig.store.SyncCount(), syncs);
        EXPECT_EQ(rig.host.calls, way.calls);
    }
}

// A failed write at opening and at closing is reported each time and the dialog still closes; with
// the 20-ball window not loaded only keno22 gets the name.
TEST(OptionsSave, AFailedWriteIsReportedAndTheDialogStillCloses) {
    Rig rig;
    rig.options.SetKeno20View(nullptr);
    rig.store.RefuseSyncs("disk full");
    rig.options.OpenOptions();
    ASSERT_EQ(rig.host.failures.size(), 1u);
    EXPECT_EQ(std::tie(rig.host.failures[0].ok, rig.host.failures[0].location, rig.host.failures[0].reason),
              std::make_tuple(false, "memory", "disk full"));
    rig.store.AcceptSyncs();
    rig.options.EnterPlayerName("al");
    EXPECT_EQ(rig.keno22.Text("caption"), "Current Player       AL");
    EXPECT_TRUE(rig.keno20.Texts().empty());
    rig.store.RefuseSyncs("read-only");
    rig.options.CloseOptions();
    ASSERT_EQ(rig.host.failures.size(), 2u);
    EXPECT_EQ(rig.host.failures[1].reason, "read-only");
    EXPECT_EQ(rig.host.calls, (std::vector<std::string>{"show game1", "close dialog"}));
}

// The extra-ball advice check box shows the choice of the slot selected (on where nothing is stored)
// and writes a change to that slot's key of the advisor section at once, leaving the player
// records as they are; a write that fails is reported like a record's.
TEST(OptionsAdvice, TheCheckBoxFollowsTheSlotAndIsWrittenAtOnce) {
    Rig rig;
    rig.store.Put("plinx", "advisor", "slot2", "off");
    rig.options.OpenOptions();
    EXPECT_TRUE(rig.view().advisorShown);
    rig.store.ClearSaveCalls();
    const int syncs = rig.store.SyncCount();
    rig.options.ShowAdvice(false);
    EXPECT_FALSE(rig.view().advisorShown);
    EXPECT_EQ(rig.store.SaveCalls(),
              (std::vector<MemorySettingsStore::SaveCall>{{"plinx", "advisor", "slot1", "off"}}));
    EXPECT_EQ(rig.store.SyncCount(), syncs + 1);
    EXPECT_EQ(rig.store.Stored("plinx", "advisor", "slot1"), "off");

    for (const auto& [slot, shown] : {std::pair{2, false}, {3, true}, {1, false}}) {
        rig.options.SelectPlayerSlot(slot);
        EXPECT_EQ(rig.view().advisorShown, shown) << "slot " << slot;
    }
    rig.options.SelectPlayerSlot(2);
    rig.options.ShowAdvice(true);
    EXPECT_EQ(rig.store.Stored("plinx", "advisor", "slot2"), "on");
    for (int i = 0; i < 8; ++i) EXPECT_EQ(rig.Stored(1, kKeys[i]), kAlice[i]) << kKeys[i];

    rig.store.RefuseSyncs("disk full");
    rig.options.ShowAdvice(false);
    ASSERT_EQ(rig.host.failures.size(), 1u);
    EXPECT_EQ(rig.host.failures[0].reason, "disk full");
}

}  // namespace
}  // namespace keno
