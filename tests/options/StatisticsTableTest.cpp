#include <gtest/gtest.h>

#include <functional>
#include <map>

#include "options/StatisticsTexts.h"
#include "tests/options/OptionsTestRig.h"

namespace keno::test {
namespace {

// The statistics texts per label and column, copied from the dialog's table. {x} is a value,
// "=" means the label keeps the text it had before the operation.
enum Column { OpenGames, OpenNoGames, SlotGames, SlotNoGames, Deleted };

struct LabelRow {
    std::string OptionsView::*label;
    const char* texts[5];
};

const LabelRow kTable[] = {
    {&OptionsView::lblcurrentplayer,
     {"Current Player    {name}", "Current Player    {name}", "Current Player   {name}",
      "Current Player    {name}", "Current Player   {name}"}},
    {&OptionsView::lblgames,
     {"Games Played            {games}", "Games Played      ", "Games Played            {games}",
      "Games Played          ", "Games Played            0"}},
    {&OptionsView::lblwager,
     {"Total Wagered           {wager}", "Total Wagered     ", "Total Wagered           {wager}",
      "Total Wagered         ", "Total Wagered           {wager}"}},
    {&OptionsView::lbltotalwon,
     {"Total Won                   {total}", "Total Won      ", "Total Won                   {total}",
      "Total Won          ", "Total Won                   0"}},
    {&OptionsView::lblwinlose,
     {"Winning/Losing           {winlose}", "Winning/Losing     ", "Winning/Losing           {winlose}",
      "Winning/Losing      ", "Winning/Losing           0"}},
    {&OptionsView::lblreturned,
     {"Returned To Player     % {percent}", "Returned To Player     ", "Returned To Player     % {percent}",
      "Returned To Player ", "Returned To Player     % "}},
    {&OptionsView::lblinvested,
     {"Total Invested             {invested}", "Total Invested      ", "Total Invested             {invested}",
      "Total Invested     ", "Total Invested             0"}},
    {&OptionsView::lbllastbet,
     {"Last Bet            {coinsbet}", "Last Bet            {coinsbet}", "Last Bet            {coinsbet}",
      "Last Bet            {coinsbet}", "="}},
};

std::string Fill(std::string text, const std::map<std::string, std::string>& values) {
    for (const auto& [key, value] : values) {
        const std::string placeholder = "{" + key + "}";
        for (auto at = text.find(placeholder); at != std::string::npos; at = text.find(placeholder))
            text.replace(at, placeholder.size(), value);
    }
    return text;
}

struct Scenario {
    const char* name;
    Column column;
    std::function<void(OptionsRig&)> before;  // brings the dialog to the point before the operation
    std::function<void(OptionsRig&)> operation;
    std::map<std::string, std::string> values;
};

const Record kSlot1{"3", "10", "100", "60", "45", "80", "12", "alice"};
const Record kSlot3{"5", "20", "200", "130", "260", "330", "4", "Bob"};
const Record kSlot5NoGames{"2", "1", "40", "0", "0", "40", "0", "carol"};

const Scenario kScenarios[] = {
    {"OpeningWithGames", OpenGames, [](OptionsRig& rig) { rig.Start(kSlot1); },
     [](OptionsRig& rig) { rig.options.OpenOptions(); },
     {{"name", "ALICE"}, {"games", "12"}, {"wager", "60"}, {"total", "45"}, {"winlose", "-20"},
      {"percent", "75"}, {"invested", "100"}, {"coinsbet", "3"}}},
    {"OpeningNoGamesUnnamed", OpenNoGames, [](OptionsRig&) {}, [](OptionsRig& rig) { rig.options.OpenOptions(); },
     {{"name", ""}, {"coinsbet", "0"}}},
    {"OpeningNoGamesNamed", OpenNoGames, [](OptionsRig& rig) { rig.Start(kSlot5NoGames); },
     [](OptionsRig& rig) { rig.options.OpenOptions(); }, {{"name", "CAROL"}, {"coinsbet", "2"}}},
    {"SlotChangeWithGames", SlotGames,
     [](OptionsRig& rig) {
         rig.Start(kSlot1);
         rig.Put(3, kSlot3);
         rig.options.OpenOptions();
     },
     [](OptionsRig& rig) { rig.options.SelectPlayerSlot(3); },
     {{"name", "BOB"}, {"games", "4"}, {"wager", "130"}, {"total", "260"}, {"winlose", "130"},
      {"percent", "200"}, {"invested", "200"}, {"coinsbet", "5"}}},
    {"SlotChangeNoGames", SlotNoGames,
     [](OptionsRig& rig) {
         rig.Start(kSlot1);
         rig.Put(5, kSlot5NoGames);
         rig.options.OpenOptions();
     },
     [](OptionsRig& rig) { rig.options.SelectPlayerSlot(5); }, {{"name", "CAROL"}, {"coinsbet", "2"}}},
    {"SlotChangeToVacantSlot", SlotNoGames,
     [](OptionsRig& rig) {
         rig.Start(kSlot1);
         rig.options.OpenOptions();
     },
     [](OptionsRig& rig) { rig.options.SelectPlayerSlot(6); }, {{"name", ""}, {"coinsbet", "0"}}},
    {"AfterDelete", Deleted,
     [](OptionsRig& rig) {
         rig.Start(kSlot1);
         rig.options.OpenOptions();
         rig.messenger.answers = {Answer::Yes};
     },
     [](OptionsRig& rig) { rig.options.DeletePlayerDetails(); }, {{"name", "ALICE"}, {"wager", "60"}}},
};

class StatisticsTable : public testing::TestWithParam<Scenario> {};

TEST_P(StatisticsTable, EveryLabelShowsItsColumnText) {
    const Scenario& scenario = GetParam();
    OptionsRig rig;
    scenario.before(rig);
    const OptionsView before = rig.view();
    scenario.operation(rig);
    for (const LabelRow& row : kTable) {
        const std::string expected = row.texts[scenario.column];
        if (expected == "=") {
            EXPECT_EQ(rig.view().*row.label, before.*row.label);
        } else {
            EXPECT_EQ(rig.view().*row.label, Fill(expected, scenario.values));
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Columns, StatisticsTable, testing::ValuesIn(kScenarios),
                         [](const testing::TestParamInfo<Scenario>& param_info) { return param_info.param.name; });

struct Figures {
    std::int32_t bank, amountinvested, wager, total;
    std::int64_t winlose;
    std::optional<std::int64_t> percent;
};

class DerivedFigures : public testing::TestWithParam<Figures> {};

TEST_P(DerivedFigures, WinningOrLosingAndReturnedPercent) {
    const Figures& f = GetParam();
    MachineState state;
    state.bank = f.bank;
    state.amountinvested = f.amountinvested;
    state.wager = f.wager;
    state.total = f.total;
    EXPECT_EQ(WinningOrLosing(state), f.winlose);
    EXPECT_EQ(ReturnedPercent(state), f.percent);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, DerivedFigures,
    testing::Values(Figures{80, 100, 60, 45, -20, 75}, Figures{100, 100, 100, 130, 0, 130},
                    Figures{0, 0, 0, 0, 0, std::nullopt},
                    // exact where floating point would give 28 for 29 / 100 * 100
                    Figures{20, 0, 100, 29, 20, 29}, Figures{0, 0, 3, 2, 0, 66},
                    // 32-bit extremes neither wrap nor overflow
                    Figures{2147483647, -2147483647 - 1, 1, 2147483647, 4294967295LL, 214748364700LL}));

TEST(StatisticsTexts, PercentCannotBeComputedLeavesReturnedLabelAlone) {
    OptionsRig rig;
    rig.Start({"1", "1", "20", "0", "0", "20", "3", "dave"});  // games but nothing wagered
    rig.Put(2, kSlot1);
    rig.options.OpenOptions();
    EXPECT_EQ(rig.view().lblreturned, "");
    EXPECT_EQ(rig.view().lblgames, "Games Played            3");

    rig.options.SelectPlayerSlot(2);
    EXPECT_EQ(rig.view().lblreturned, "Returned To Player     % 75");
    rig.options.SelectPlayerSlot(1);
    EXPECT_EQ(rig.view().lblreturned, "Returned To Player     % 75");
    EXPECT_EQ(rig.view().lblwinlose, "Winning/Losing           0");
    EXPECT_EQ(rig.view().lblinvested, "Total Invested             20");
}

}  // namespace
}  // namespace keno::test
