#include <functional>

#include "tests/board/BoardFixture.h"

namespace keno {
namespace {

enum class Op { Click, AutoSelect, Erase, MakeBet };

// A refused press of either window: the board had `marked` numbers (1..marked) with credit and a
// bet, then the credit, bet and erase flag below; the press shows exactly one box and plays nothing.
struct RefusalCase {
    const char* name;
    BoardRules rules;
    Op op;
    std::int32_t bank;
    std::int16_t coinsbet;
    bool mustErase;
    int marked;
    Message expected;
    bool disablesPlay;
    int markedAfter;  // a refused 22-ball AUTO SELECT has already cleared the board
};

Message Box(const char* text, const char* title, Icon icon) {
    Message m;
    m.text = text;
    m.title = title;
    m.icon = icon;
    return m;
}

const char* k22NoCredit = "You Have No credit...Please Insert Some Coins Via The COINS Button";
const char* k20Insert = "KENO 20 BALL   Insert Coins";
const char* k20NoBetTitle = "KENO 20 BALL   Not Betting ? ";

const RefusalCase kCases[] = {
    {"k22ClickNoCredit", BoardRules::Keno22, Op::Click, 0, 1, false, 3, Box(k22NoCredit, " Keno", Icon::Information),
     true, 3},
    {"k22ClickNegativeCredit", BoardRules::Keno22, Op::Click, -7, 1, false, 3,
     Box(k22NoCredit, " Keno", Icon::Information), true, 3},
    {"k22ClickNoBet", BoardRules::Keno22, Op::Click, 2, 0, false, 3, Box("PLEASE MAKE A BET", " Keno", Icon::Question),
     false, 3},
    {"k22ClickMustErase", BoardRules::Keno22, Op::Click, 100, 1, true, 3,
     Box("Please Erase the OLD Numbers First ", " Keno", Icon::Information), true, 3},
    {"k22ClickFull", BoardRules::Keno22, Op::Click, 100, 1, false, 10,
     Box(".....   Have To Erase Old Numbers First", " Keno   Erase old Numbers First", Icon::None), false, 10},
    {"k22AutoNoCredit", BoardRules::Keno22, Op::AutoSelect, 0, 1, false, 3,
     Box(k22NoCredit, " Keno", Icon::Information), true, 0},
    {"k22AutoNoBet", BoardRules::Keno22, Op::AutoSelect, 5, 0, false, 3,
     Box("PLEASE MAKE A BET", " Keno", Icon::Question), true, 0},
    {"k22EraseNoCredit", BoardRules::Keno22, Op::Erase, 0, 1, true, 3,
     Box("You Have No credit !! Click On COINS Button For more credit", " Keno", Icon::Information), true, 3},
    {"k22BetNoCredit", BoardRules::Keno22, Op::MakeBet, 0, 3, false, 3,
     Box("  Please insert some more coins..", " Keno", Icon::Question), false, 3},

    {"k20ClickNoCredit", BoardRules::Keno20, Op::Click, 0, 1, false, 3,
     Box("Ann .....    You Have No Credit...Insert Some coins", k20Insert, Icon::Critical), false, 3},
    {"k20ClickNoBetEvenWithCreditOne", BoardRules::Keno20, Op::Click, 1, 0, false, 3,
     Box("Ann .....    Please Make A Bet", k20NoBetTitle, Icon::Critical), false, 3},
    {"k20ClickMustErase", BoardRules::Keno20, Op::Click, 100, 1, true, 3,
     Box("Ann.....   Have To Erase Old Numbers First", "KENO 20 BALL   Erase old Numbers First", Icon::Critical),
     false, 3},
    {"k20AutoNoCredit", BoardRules::Keno20, Op::AutoSelect, 0, 1, false, 3,
     Box(" .....    You Have No Credit...Insert Some coins", k20Insert, Icon::Critical), false, 3},
    {"k20AutoNoBet", BoardRules::Keno20, Op::AutoSelect, 1, 0, false, 3,
     Box(" .....    Please Make A Bet", k20NoBetTitle, Icon::Critical), false, 3},
    {"k20EraseNoCredit", BoardRules::Keno20, Op::Erase, 0, 1, true, 3,
     Box("You Have No Credit...Insert Some coins", "K E N O", Icon::Critical), false, 3},
    {"k20BetNoCredit", BoardRules::Keno20, Op::MakeBet, 0, 3, false, 3,
     Box("Ann....   You Have No Credit...Click On COINS Button For Credit", "K E N O", Icon::Critical), false, 3},
};

class BoardRefusalTest : public BoardTest, public ::testing::WithParamInterface<RefusalCase> {};

TEST_P(BoardRefusalTest, ShowsOneBoxAndChangesNothingElse) {
    const RefusalCase& c = GetParam();
    Build(c.rules);
    for (int n = 1; n <= c.marked; ++n) board->MarkSquare(n);
    ASSERT_EQ(board->spots(), c.marked);
    state.bank = c.bank;
    state.coinsbet = c.coinsbet;
    if (c.mustErase) board->SetMustErase();
    view.Enable("start", true);
    Forget();

    switch (c.op) {
    case Op::Click: board->MarkSquare(c.marked == 10 ? 1 : 50); break;
    case Op::AutoSelect: board->AutoSelect(); break;
    case Op::Erase: board->EraseBoard(); break;
    case Op::MakeBet: board->MakeBet(); break;
    }

    ASSERT_EQ(messenger.shown.size(), 1u);
    EXPECT_EQ(messenger.shown[0], c.expected);
    EXPECT_TRUE(sound.cues.empty());
    EXPECT_EQ(view.Enabled("start"), !c.disablesPlay);
    EXPECT_EQ(state.bank, c.bank);
    EXPECT_EQ(state.coinsbet, c.coinsbet);
    EXPECT_EQ(board->mustErase(), c.mustErase);
    EXPECT_EQ(board->spots(), c.markedAfter);
    ExpectConsistent();
}

INSTANTIATE_TEST_SUITE_P(BothWindows, BoardRefusalTest, ::testing::ValuesIn(kCases),
                         [](const auto& p) { return std::string(p.param.name); });

// The 20-ball board ignores a click on a full board: no box, no sound, no pay-table change.
TEST_F(BoardTest, Keno20FullBoardIgnoresClicksSilently) {
    Build(BoardRules::Keno20);
    for (int n = 1; n <= 10; ++n) board->MarkSquare(n);
    Forget();
    board->MarkSquare(1);
    board->MarkSquare(11);
    EXPECT_TRUE(messenger.shown.empty());
    EXPECT_TRUE(sound.cues.empty());
    EXPECT_TRUE(payTable.calls.empty());
    EXPECT_EQ(board->spots(), 10);
    EXPECT_TRUE(board->IsMarked(1));
}

}  // namespace
}  // namespace keno
