#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <set>
#include <sstream>
#include <string>

#include "board/KenoBoard.h"
#include "tests/fakes/RecordingFakes.h"

namespace keno {
namespace {

// A fresh board (credit 100, bet 1, 1..marked marked) whose pay table and game are this fixture.
class BoardTest : public ::testing::Test, public GameQuery, public PayTableHooks {
protected:
    void Build(BoardRules rules, int marked = 0, std::uint64_t seed = 1) {
        state = MachineState{}, state.bank = 100, state.coinsbet = 1, state.currentplayer = "Ann";
        view = ViewModel{}, offerOpen = false;
        random = std::make_unique<SeededRandomSource>(seed);
        board = std::make_unique<clsKenoBoard>(rules, state, view, sound, messenger, *random);
        board->SetGameQuery(this);
        if (rules == BoardRules::Keno20) board->SetPayTable(this);
        for (int n = 1; n <= marked; ++n) board->MarkSquare(n);
        Press("forget");
    }
    bool OfferOpen() const override { return offerOpen; }
    void ClearSchedule() override { pay << "clear,"; }
    void ShowSchedule(int spots, int bet) override { pay << "show:" << spots << ":" << bet << ","; }
    void RevealRows() override { pay << "reveal,"; }
    void StopRowFlash() override { pay << "stopflash,"; }

    void Run(const std::string& script) {
        std::istringstream words(script);
        for (std::string word; words >> word;) {
            const auto star = word.find('*');
            for (int i = star == word.npos ? 1 : std::stoi(word.substr(star + 1)); i > 0; --i)
                Press(word.substr(0, star));
        }
    }
    void Press(const std::string& word) {
        const auto colon = word.find(':');
        const auto value = static_cast<std::int32_t>(colon == word.npos ? 0 : std::stol(word.substr(colon + 1)));
        const std::string name = word.substr(0, colon);
        if (std::isdigit(static_cast<unsigned char>(name[0]))) board->MarkSquare(std::stoi(name));
        else if (name == "first") board->MarkSquare(board->Picks().front());
        else if (name == "last") board->MarkSquare(board->Picks().back());
        else if (name == "auto") board->AutoSelect();
        else if (name == "erase") board->EraseBoard();
        else if (name == "bet") board->MakeBet(), bets << state.coinsbet << ",";
        else if (name == "coins") board->InsertCoins();
        else if (name == "clear") board->ClearBoard();
        else if (name == "show") board->ShowMachineState();
        else if (name == "pics") board->ShowMarkPictures();
        else if (name == "played") board->SetMustErase();  // PLAY was pressed
        else if (name == "bank") state.bank = value;
        else if (name == "stake") state.coinsbet = static_cast<std::int16_t>(value);
        else if (name == "invested") state.amountinvested = value;
        else if (name == "offer") offerOpen = true;
        else if (name == "view") for (const char* c : {"start", "rubber", "makbet"}) view.Enable(c, false);
        else if (name == "on") view.Enable("start", true);
        else if (name == "timer") view.SetTimer("Timer1", true);
        else if (name == "results") view.SetText("hts", "2"), view.SetText("winnings", "30");
        else if (name == "grey")
            for (int n = 1; n <= 80; ++n) view.Square(n).background = SquareBackground::LightGrey;
        else if (name == "hits") for (int n = 1; n <= 80; ++n) view.Square(n).picture = SquarePicture::Hit;
        else if (name == "forget") sound.cues.clear(), messenger.shown.clear(), pay.str(""), bets.str("");
        else ADD_FAILURE() << "unknown press " << word;
    }
    std::map<std::string, std::string> Seen() const {
        std::ostringstream cues, picks;
        for (Cue cue : sound.cues) cues << CueNumber(cue) << ",";
        for (int n : board->Picks()) picks << n << ",";
        const auto bg1 = view.Square(1).background;
        std::string bg = std::vector<std::string>{"Black", "NearBlack", "White", "LightGrey"}.at(std::size_t(bg1));
        int marked = 0, hit = 0;
        for (int n = 1; n <= 80; ++n) {
            const SquareView& s = view.Square(n);
            if (s.background != bg1 || s.text != SquareText::Blue) bg = "mixed";
            marked += s.picture == SquarePicture::Marked, hit += s.picture == SquarePicture::Hit;
        }
        auto num = [](auto v) { return std::to_string(v); };
        std::map<std::string, std::string> seen{{"spts", view.Text("spts")}, {"betpan", view.Text("betpan")},
            {"credit", view.Text(board->CreditLabel())}, {"hts", view.Text("hts")}, {"winnings", view.Text("winnings")},
            {"spots", num(board->spots())}, {"controls", num(view.Controls().size())}, {"erase", num(board->mustErase())},
            {"bank", num(state.bank)}, {"stake", num(state.coinsbet)}, {"invested", num(state.amountinvested)},
            {"boxes", num(messenger.shown.size())}, {"cues", cues.str()}, {"pay", pay.str()}, {"bets", bets.str()},
            {"pending", num(board->PendingAutoSelectCount())}, {"timer", num(view.TimerRunning("Timer1"))},
            {"picks", picks.str()}, {"bg", bg}, {"marked", num(marked)}, {"hit", num(hit)}};
        for (const char* control : {"start", "rubber", "makbet"}) seen[control] = num(view.Enabled(control));
        return seen;
    }
    void Expect(const std::string& expected) const {
        const auto seen = Seen();
        std::map<std::string, std::string> wanted;
        std::istringstream words(expected);
        for (std::string word; words >> word;) {
            const auto eq = word.find('=');
            if (eq == std::string::npos || !seen.contains(word.substr(0, eq))) ADD_FAILURE() << "unknown " << word;
            else wanted[word.substr(0, eq)] = word.substr(eq + 1);
        }
        for (const auto& [name, value] : wanted) EXPECT_EQ(seen.at(name), value) << name;
        for (int n = 1; n <= ViewModel::kSquares; ++n)
            EXPECT_EQ(board->IsMarked(n), view.Square(n).picture == SquarePicture::Marked) << n;
        EXPECT_EQ(seen.at("spots"), seen.at("marked"));
        EXPECT_EQ(board->Picks().size(), static_cast<std::size_t>(board->spots()));
    }

    MachineState state;
    ViewModel view;
    RecordingSound sound;
    ScriptedMessenger messenger;
    bool offerOpen = false;
    std::ostringstream pay, bets;  // pay-table calls and the bet after each MAKE BET, in order
    std::unique_ptr<SeededRandomSource> random;
    std::unique_ptr<clsKenoBoard> board;
};


constexpr int k22 = 1, k20 = 2, kBoth = 3;  // the windows a case runs in

// The presses of `script` on a fresh board, what is `expected` then, and the one box shown (if any).
struct Case {
    int windows, marked;
    const char* script;
    std::string expected;
    Message box{};
};

const char* k22NoCredit = "You Have No credit...Please Insert Some Coins Via The COINS Button";
const char* k20Insert = "KENO 20 BALL   Insert Coins";
const char* k20NoBet = "KENO 20 BALL   Not Betting ? ";
const std::string kAuto = "start=1 rubber=1 cues=116, bg=Black ";

// Every refusal of both windows: one box, no sound, meters and erase flag kept.
const Case kRefusals[] = {
    {k22, 3, "bank:0 50", "start=0 bank=0 spots=3", {k22NoCredit, " Keno", Icon::Information}},
    {k22, 3, "bank:-7 50", "start=0 bank=-7 spots=3", {k22NoCredit, " Keno", Icon::Information}},
    {k22, 3, "bank:2 stake:0 50", "bank=2 stake=0 spots=3", {"PLEASE MAKE A BET", " Keno", Icon::Question}},
    {k22, 3, "played 50", "start=0 erase=1", {"Please Erase the OLD Numbers First ", " Keno", Icon::Information}},
    {k22, 10, "1", "spots=10 picks=1,2,3,4,5,6,7,8,9,10,",
     {".....   Have To Erase Old Numbers First", " Keno   Erase old Numbers First", Icon::None}},
    {k22, 3, "bank:0 auto", "start=0 bank=0 spots=0", {k22NoCredit, " Keno", Icon::Information}},
    {k22, 3, "bank:5 stake:0 auto", "start=0 bank=5 stake=0 spots=0", {"PLEASE MAKE A BET", " Keno", Icon::Question}},
    {k22, 3, "bank:0 played erase", "start=0 bank=0 erase=1 spots=3",
     {"You Have No credit !! Click On COINS Button For more credit", " Keno", Icon::Information}},
    {k22, 3, "bank:0 stake:3 bet", "bank=0 stake=3", {"  Please insert some more coins..", " Keno", Icon::Question}},
    {k20, 3, "bank:0 50", "bank=0 spots=3",
     {"Ann .....    You Have No Credit...Insert Some coins", k20Insert, Icon::Critical}},
    {k20, 3, "bank:1 stake:0 50", "bank=1 stake=0", {"Ann .....    Please Make A Bet", k20NoBet, Icon::Critical}},
    {k20, 3, "played 50", "erase=1 spots=3",
     {"Ann.....   Have To Erase Old Numbers First", "KENO 20 BALL   Erase old Numbers First", Icon::Critical}},
    {k20, 10, "1 11", "boxes=0 pay=", {}},  // a full 20-ball board ignores clicks silently
    {k20, 3, "bank:0 auto", "bank=0 spots=3",
     {" .....    You Have No Credit...Insert Some coins", k20Insert, Icon::Critical}},
    {k20, 3, "bank:1 stake:0 auto", "bank=1 stake=0 spots=3",
     {" .....    Please Make A Bet", k20NoBet, Icon::Critical}},
    {k20, 3, "bank:0 played erase", "bank=0 erase=1 spots=3",
     {"You Have No Credit...Insert Some coins", "K E N O", Icon::Critical}},
    {k20, 3, "bank:0 stake:3 bet", "bank=0 stake=3",
     {"Ann....   You Have No Credit...Click On COINS Button For Credit", "K E N O", Icon::Critical}},
};

const Case kCases[] = {
    {k22, 0, "erase view 17", "spots=1 spts=1 rubber=0 start=0 bg=Black"},
    {k22, 0, "17 17", "spots=0 spts=0 rubber=1 cues=109,109,"},
    {k22, 1, "80", "start=1 picks=1,80,"},
    {k22, 2, "bank:1 stake:0 40", "spots=3 start=0"},  // below the bet box's credit a click marks
    {k20, 2, "stake:2 grey 6", "spts=3 pay=clear,show:3:2, bg=LightGrey controls=0"},
    {k20, 2, "6 6", "spts=2 picks=1,2, cues=109,109, controls=0"},
    {k22, 3, "played timer results on erase", "erase=0 timer=0 spts= hts=2 start=0 bg=NearBlack spots=0 cues="},
    {k20, 3, "played timer results erase", "erase=0 timer=0 spts=0 hts= pay=stopflash,clear, bg=Black spots=0"},
    {kBoth, 3, "played erase 10", "picks=10,"},
    {k20, 2, "played clear", "erase=1 spots=0 spts=0"},
    {kBoth, 0, "auto", kAuto + "spots=10 spts=10"},
    {k22, 1, "auto", kAuto + "spots=10"},
    {k22, 2, "auto", kAuto + "spots=2"},
    {kBoth, 6, "auto", kAuto + "spots=6 spts=6"},
    {k22, 10, "auto", kAuto + "spots=10"},
    {k20, 2, "auto", kAuto + "spots=10 pay=stopflash,show:10:1,"},
    {k20, 3, "auto", kAuto + "spots=3 pay=stopflash,show:3:1,"},
    {k22, 0, "bank:1 stake:0 auto", "spots=10 start=0 rubber=1 cues=116,"},
    {k22, 6, "timer bank:0 auto", "spots=0 pending=6 spts= timer=0 boxes=1"},
    {k22, 6, "bank:0 auto bank:50 auto", "spots=6 boxes=1"},
    {k22, 1, "bank:0 auto bank:50 auto", "spots=10 boxes=1"},
    {k22, 10, "bank:0 auto bank:50 auto", "spots=10 boxes=1"},
    {k20, 2, "timer results bank:0 auto", "spots=2 pending=10 spts= hts= winnings= timer=0 pay=stopflash, boxes=1"},
    {k20, 2, "bank:0 auto bank:50 auto", "spots=10 boxes=1"},
    {k20, 5, "bank:0 auto bank:50 auto", "spots=5 boxes=1"},
    {k22, 10, "bank:0 auto bank:50 forget 33", "spts=1 start=0 pending=1"},
    {k22, 10, "bank:0 auto bank:50 33 34 35 auto", "spots=3 boxes=1"},
    {k20, 2, "stake:0 auto stake:2 forget 9", "spots=3 pay=clear,show:3:2, pending=3"},
    {kBoth, 5, "stake:0 auto stake:1 erase auto", "spots=10 boxes=1"},
    {kBoth, 4, "played timer auto", "spots=4 erase=1 start=1 timer=0"},
    {k22, 4, "played auto forget first", "spots=4 boxes=1 start=0"},
    {k20, 4, "played auto forget first", "spots=4 boxes=1 start=1"},
    {k20, 4, "auto last", "spots=3"},
    {k22, 0, "bank:1 stake:0 bet*7", "bets=1,2,3,4,5,1,2, cues=110,111,112,113,114,110,111, betpan=2 rubber=1"},
    {k20, 0, "bank:2 stake:0 bet*4", "bets=1,2,1,2, cues=110,111,110,111, betpan=2 controls=0"},
    {k20, 0, "bank:3 bet*4", "bets=2,3,1,2,"},
    {k20, 0, "bank:1 bet*2", "bets=1,1,"},
    {k20, 0, "stake:4 bet*7", "bets=5,1,2,3,4,5,1,"},
    {k20, 0, "stake:-3 bet*2", "bets=1,2,"},
    {k20, 0, "bank:4 stake:5 bet*2", "bets=1,2,"},
    {k22, 1, "bet", "start=0"},
    {k22, 2, "view bet", "start=1"},
    {k20, 4, "played bet", "pay=stopflash,clear,reveal,show:4:2,"},
    {k20, 4, "bank:0 bet", "pay=stopflash, stake=1 boxes=1"},
    {k22, 2, "view coins", "bank=120 invested=20 credit=120 makbet=1 start=1 rubber=1 cues=108,"},
    {k22, 2, "view offer coins", "bank=120 credit=120 makbet=0 start=0 rubber=0"},
    {k20, 0, "bank:0 coins coins", "bank=40 invested=40 credit=40 cues=108,108, controls=0"},
    {kBoth, 0, "bank:2147483627 coins", "bank=2147483647 invested=20 credit=2147483647"},
    {kBoth, 0, "bank:2147483628 invested:5 coins", "bank=2147483628 invested=25"},
    {kBoth, 0, "bank:7 invested:2147483644 coins", "bank=27 invested=2147483644 credit=27"},
    {kBoth, 0, "bank:2147483647 invested:2147483647 coins", "bank=2147483647 invested=2147483647"},
    {kBoth, 0, "bank:-30 coins", "bank=-10 invested=20 credit=-10"},
    {k22, 2, "view bank:35 stake:3 show", "credit=35 betpan=3 makbet=1 start=1 rubber=1 cues="},
    {k22, 1, "view bank:35 show", "makbet=1 start=0 rubber=0"},
    {k22, 2, "view stake:0 show", "makbet=1 start=0"},
    {k22, 2, "view bank:0 show", "credit=0 makbet=0 start=0"},
    {k22, 2, "view offer show", "makbet=0 start=0 rubber=0"},
    {k20, 3, "bank:35 stake:3 show", "credit=35 betpan=3 controls=0"},
    {k20, 3, "hits pics", "marked=3 hit=77"},
};

class BoardCaseTest : public BoardTest {
protected:
    void RunAll(const auto& cases, const std::string& prefix, const std::string& defaults) {
        for (const Case& c : cases) {
            for (BoardRules rules : {BoardRules::Keno22, BoardRules::Keno20}) {
                if ((c.windows & (rules == BoardRules::Keno22 ? k22 : k20)) == 0) continue;
                SCOPED_TRACE(testing::Message() << (rules == BoardRules::Keno22 ? "22: " : "20: ") << c.script);
                Build(rules, c.marked);
                Run(prefix + c.script);
                Expect(defaults + c.expected);
                if (!c.box.text.empty() && messenger.shown.size() == 1) { EXPECT_EQ(messenger.shown[0], c.box); }
            }
        }
    }
};

TEST_F(BoardCaseTest, EveryRefusal) { RunAll(kRefusals, "on ", "cues= boxes=1 bank=100 stake=1 erase=0 start=1 "); }

TEST_F(BoardCaseTest, Presses) { RunAll(kCases, "", "boxes=0 "); }

// Over many seeds every draw is 10 distinct numbers in 1..80, and every number turns up.
TEST_F(BoardTest, AutoSelectDrawsDistinctNumbersOverManySeeds) {
    std::set<int> seen;
    for (std::uint64_t seed = 1; seed <= 300; ++seed) {
        for (BoardRules rules : {BoardRules::Keno22, BoardRules::Keno20}) {
            Build(rules, 0, seed);
            board->AutoSelect();
            const auto picks = board->Picks();
            ASSERT_EQ(std::set<int>(picks.begin(), picks.end()).size(), 10u);
            ASSERT_TRUE(picks.front() >= 1 && picks.back() <= 80);
            seen.insert(picks.begin(), picks.end());
        }
    }
    EXPECT_EQ(seen.size(), 80u);
}

}  // namespace
}  // namespace keno
