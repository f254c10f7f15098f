#pragma once
#include <cstdint>

#include "board/KenoBoard.h"

namespace keno {

// A refusal message box of the board. An empty text means the refusal is silent (no box).
struct BoardRefusal {
    const char* text = "";
    const char* title = "";
    Icon icon = Icon::None;
    bool withPlayerName = false;  // text is preceded directly by currentplayer
    bool disablesPlay = false;    // the refusal also disables PLAY
};

// Everything in which the two windows' boards differ, as data, so that each operation is
// written once. The ordering of checks is the same for both windows; what differs is the
// wording, the thresholds and which controls an operation touches.
struct BoardRuleSet {
    std::int16_t minSpots;            // PLAY's minimum; AUTO SELECT draws 10 below it
    const char* creditLabel;
    std::int32_t betMessageMinBank;   // a square click asks for a bet only from this credit on

    BoardRefusal clickNoCredit;
    BoardRefusal clickNoBet;
    BoardRefusal clickMustErase;
    BoardRefusal clickFull;
    BoardRefusal autoNoCredit;
    BoardRefusal autoNoBet;
    BoardRefusal eraseNoCredit;
    BoardRefusal betNoCredit;

    SquareBackground erasedBackground;  // what ERASE leaves under the numbers
    const char* erasedSpotsText;        // "spts" after ERASE

    bool setsButtons;          // clicks, MAKE BET, COINS and ERASE change the buttons' enabling
    bool autoClearsFirst;      // AUTO SELECT clears the board before its checks
    bool autoBlanksResults;    // AUTO SELECT and ERASE blank "hts" ("winnings" too for AUTO SELECT)
    bool betCappedByCredit;    // MAKE BET never goes above the credit
    bool clickRepaintsBoard;   // an accepted click repaints every square plain
};

const BoardRuleSet& RuleSetFor(BoardRules rules);

}  // namespace keno
