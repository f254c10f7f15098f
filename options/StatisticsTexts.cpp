#include "options/StatisticsTexts.h"

#include <array>

namespace keno {
namespace {

// What follows a label's fixed text.
enum class Value { Nothing, Name, Games, Wager, Total, WinLose, Percent, Invested, CoinsBet, Zero, Unchanged };

struct Cell {
    const char* text;
    Value value;
};

struct Row {
    std::string OptionsView::*label;
    std::array<Cell, 5> cells;  // indexed by StatisticsColumn
};

// The labels' texts, blanks included, column by column in StatisticsColumn order.
const std::array<Row, 8> kRows{{
    {&OptionsView::lblcurrentplayer,
     {{{"Current Player    ", Value::Name},
       {"Current Player    ", Value::Name},
       {"Current Player   ", Value::Name},
       {"Current Player    ", Value::Name},
       {"Current Player   ", Value::Name}}}},
    {&OptionsView::lblgames,
     {{{"Games Played            ", Value::Games},
       {"Games Played      ", Value::Nothing},
       {"Games Played            ", Value::Games},
       {"Games Played          ", Value::Nothing},
       {"Games Played            ", Value::Zero}}}},
    {&OptionsView::lblwager,
     {{{"Total Wagered           ", Value::Wager},
       {"Total Wagered     ", Value::Nothing},
       {"Total Wagered           ", Value::Wager},
       {"Total Wagered         ", Value::Nothing},
       {"Total Wagered           ", Value::Wager}}}},
    {&OptionsView::lbltotalwon,
     {{{"Total Won                   ", Value::Total},
       {"Total Won      ", Value::Nothing},
       {"Total Won                   ", Value::Total},
       {"Total Won          ", Value::Nothing},
       {"Total Won                   ", Value::Zero}}}},
    {&OptionsView::lblwinlose,
     {{{"Winning/Losing           ", Value::WinLose},
       {"Winning/Losing     ", Value::Nothing},
       {"Winning/Losing           ", Value::WinLose},
       {"Winning/Losing      ", Value::Nothing},
       {"Winning/Losing           ", Value::Zero}}}},
    {&OptionsView::lblreturned,
     {{{"Returned To Player     % ", Value::Percent},
       {"Returned To Player     ", Value::Nothing},
       {"Returned To Player     % ", Value::Percent},
       {"Returned To Player ", Value::Nothing},
       {"Returned To Player     % ", Value::Nothing}}}},
    {&OptionsView::lblinvested,
     {{{"Total Invested             ", Value::Invested},
       {"Total Invested      ", Value::Nothing},
       {"Total Invested             ", Value::Invested},
       {"Total Invested     ", Value::Nothing},
       {"Total Invested             ", Value::Zero}}}},
    {&OptionsView::lbllastbet,
     {{{"Last Bet            ", Value::CoinsBet},
       {"", Value::Unchanged},
       {"Last Bet            ", Value::CoinsBet},
       {"Last Bet            ", Value::CoinsBet},
       {"", Value::Unchanged}}}},
}};

// The text after the label's fixed part, or nothing when the label keeps its text.
std::optional<std::string> ValueText(Value value, const MachineState& state, std::string_view upperName) {
    switch (value) {
        case Value::Nothing: return std::string();
        case Value::Name: return std::string(upperName);
        case Value::Games: return std::to_string(state.games);
        case Value::Wager: return std::to_string(state.wager);
        case Value::Total: return std::to_string(state.total);
        case Value::WinLose: return std::to_string(WinningOrLosing(state));
        case Value::Percent: {
            const auto percent = ReturnedPercent(state);
            if (!percent) return std::nullopt;
            return std::to_string(*percent);
        }
        case Value::Invested: return std::to_string(state.amountinvested);
        case Value::CoinsBet: return std::to_string(state.coinsbet);
        case Value::Zero: return std::string("0");
        case Value::Unchanged: return std::nullopt;
    }
    return std::nullopt;
}

}  // namespace

std::int64_t WinningOrLosing(const MachineState& state) {
    return std::int64_t{state.bank} - std::int64_t{state.amountinvested};
}

std::optional<std::int64_t> ReturnedPercent(const MachineState& state) {
    if (state.wager == 0) return std::nullopt;
    // Whole numbers throughout: in floating point 29 / 100 * 100 falls just short of 29.
    return std::int64_t{state.total} * 100 / std::int64_t{state.wager};
}

void ShowStatistics(StatisticsColumn column, const MachineState& state, std::string_view upperName,
                    OptionsView& view) {
    const auto index = static_cast<std::size_t>(column);
    for (const Row& row : kRows) {
        const Cell& cell = row.cells[index];
        if (auto value = ValueText(cell.value, state, upperName)) view.*row.label = cell.text + *value;
    }
}

}  // namespace keno
