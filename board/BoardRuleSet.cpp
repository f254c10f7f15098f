#include "board/BoardRuleSet.h"

namespace keno {

namespace {

constexpr const char* k22Title = " Keno";
constexpr const char* k22NoCredit =
    "You Have No credit...Please Insert Some Coins Via The COINS Button";
constexpr const char* k22NoBet = "PLEASE MAKE A BET";

constexpr const char* k20NoCredit = " .....    You Have No Credit...Insert Some coins";
constexpr const char* k20NoCreditTitle = "KENO 20 BALL   Insert Coins";
constexpr const char* k20NoBet = " .....    Please Make A Bet";
constexpr const char* k20NoBetTitle = "KENO 20 BALL   Not Betting ? ";

const BoardRuleSet k22Rules{
    .minSpots = 2,
    .creditLabel = "panelbank",
    .betMessageMinBank = 2,
    .clickNoCredit = {k22NoCredit, k22Title, Icon::Information, false, true},
    .clickNoBet = {k22NoBet, k22Title, Icon::Question, false, false},
    .clickMustErase = {"Please Erase the OLD Numbers First ", k22Title, Icon::Information, false, true},
    .clickFull = {".....   Have To Erase Old Numbers First", " Keno   Erase old Numbers First", Icon::None,
                  false, false},
    .autoNoCredit = {k22NoCredit, k22Title, Icon::Information, false, true},
    .autoNoBet = {k22NoBet, k22Title, Icon::Question, false, false},
    .eraseNoCredit = {"You Have No credit !! Click On COINS Button For more credit", k22Title,
                      Icon::Information, false, true},
    .betNoCredit = {"  Please insert some more coins..", k22Title, Icon::Question, false, false},
    .erasedBackground = SquareBackground::NearBlack,
    .erasedSpotsText = "",
    .setsButtons = true,
    .autoClearsFirst = true,
    .autoBlanksResults = false,
    .betCappedByCredit = false,
    .clickRepaintsBoard = true,
};

const BoardRuleSet k20Rules{
    .minSpots = 3,
    .creditLabel = "lblcredit",
    .betMessageMinBank = 1,
    .clickNoCredit = {k20NoCredit, k20NoCreditTitle, Icon::Critical, true, false},
    .clickNoBet = {k20NoBet, k20NoBetTitle, Icon::Critical, true, false},
    .clickMustErase = {".....   Have To Erase Old Numbers First", "KENO 20 BALL   Erase old Numbers First",
                       Icon::Critical, true, false},
    .clickFull = {},  // a full board ignores clicks silently
    .autoNoCredit = {k20NoCredit, k20NoCreditTitle, Icon::Critical, false, false},
    .autoNoBet = {k20NoBet, k20NoBetTitle, Icon::Critical, false, false},
    .eraseNoCredit = {"You Have No Credit...Insert Some coins", "K E N O", Icon::Critical, false, false},
    .betNoCredit = {"....   You Have No Credit...Click On COINS Button For Credit", "K E N O",
                    Icon::Critical, true, false},
    .erasedBackground = SquareBackground::Black,
    .erasedSpotsText = "0",
    .setsButtons = false,
    .autoClearsFirst = false,
    .autoBlanksResults = true,
    .betCappedByCredit = true,
    .clickRepaintsBoard = false,
};

}  // namespace

const BoardRuleSet& RuleSetFor(BoardRules rules) {
    return rules == BoardRules::Keno20 ? k20Rules : k22Rules;
}

}  // namespace keno
