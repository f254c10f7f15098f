// The 22-ball game: admission and charge, settling, the offer answered both ways, the board.
#include <optional>

#include "tests/keno22/Keno22GameRig.h"

using namespace keno;

namespace {

const std::vector<int> kFour{1, 2, 3, 4};
const std::vector<int> kEight{1, 2, 3, 4, 5, 6, 7, 8};
const std::vector<int> kTen{1, 2, 3, 4, 5, 6, 7, 8, 9, 10};

Message Box(std::string text, std::string title, Icon icon = Icon::None) { return {text, title, icon, Buttons::Ok, Answer::Ok}; }

TEST(Keno22Play, NoCreditShowsTheMessageAndChangesNothingElse) {
    Rig rig;
    rig.Deal(kFour, {}, 0, 2);
    rig.view.SetText("hts", "3");
    rig.view.Enable("mnuoptions", false);
    const MachineState before = rig.state;
    EXPECT_EQ(rig.Play(), (std::vector<int>{0, 100}));
    EXPECT_EQ(rig.messenger.shown,
              std::vector<Message>{Box("You Have No credit !! Click On COINS Button For more credit", "K E N O 22")});
    EXPECT_EQ(rig.state, before);
    EXPECT_EQ(rig.view.Text("hts"), "");
    EXPECT_TRUE(rig.view.Enabled("mnuoptions"));
    EXPECT_FALSE(rig.board.mustErase() || rig.random.reseeds || !rig.sound.cues.empty());
}

TEST(Keno22Play, ChargesTheBetOrReducesItToTheCredit) {
    const Message reduced = Box("You Do Not Have Enough credit For This Bet,\rYour Bet Has Been Reduced Accordingly", "K E N O 22");
    struct Case { int bank, bet; bool message; int bankAfter, betAfter; };
    for (const Case c : {Case{3, 5, true, 0, 3}, {5, 5, false, 0, 5}, {1, 2, true, 0, 1}, {20, 2, false, 18, 2}}) {
        SCOPED_TRACE(::testing::Message() << "bank " << c.bank << " bet " << c.bet);
        Rig rig;
        rig.Deal(kFour, {}, c.bank, c.bet);  // no hit: the credit after the game is what was charged
        rig.view.SetText("betpan", std::to_string(c.bet));
        rig.Play();
        EXPECT_EQ(rig.messenger.shown, c.message ? std::vector<Message>{reduced} : std::vector<Message>{});
        EXPECT_EQ(rig.Meters(), "bank " + std::to_string(c.bankAfter) + " bet " + std::to_string(c.betAfter) +
                                    " wager " + std::to_string(c.betAfter) + " games 1 total 0");
        EXPECT_EQ(rig.view.Text("betpan") + "/" + rig.view.Text("panelbank"), std::to_string(c.betAfter) + "/" + std::to_string(c.bankAfter));
    }
}

enum class Reply { None, TakeWin, ExtraBalls };

// Whole games to their settled end: the main draw, then the answer to an offer if one opens.
TEST(Keno22Play, GamesSettleOnTheirFinalHits) {
    constexpr auto S = Keno22Game::Outcome::Settled, N = Keno22Game::Outcome::None;
    struct Case {
        const char* name;
        std::vector<int> ticket, mainHits, extras;
        int bet;
        Reply reply;
        int win, hits;
        std::optional<Cue> fanfare;
        Keno22Game::Outcome outcome;
    };
    const Case cases[] = {
        {"2 of 2 at 3", {7, 8}, {8, 7}, {}, 3, Reply::None, 45, 2, Cue::WinMedium, S},
        {"2 on 6 pays nothing", {1, 2, 3, 4, 5, 6}, {2, 5}, {}, 1, Reply::None, 0, 2, std::nullopt, N},
        {"1 on 4", kFour, {4}, {}, 2, Reply::None, 0, 1, std::nullopt, S},
        {"2 on 4", kFour, {1, 4}, {}, 2, Reply::None, 4, 2, Cue::Startup, S},
        {"10 of 10", kTen, kTen, {}, 5, Reply::None, 50000, 10, Cue::WinBig, S},
        {"take 3 of 4", kFour, {1, 2, 3}, {}, 2, Reply::TakeWin, 16, 3, Cue::WinSmall, N},
        {"extra, no new hit", kFour, {1, 2, 3}, {}, 2, Reply::ExtraBalls, 16, 3, Cue::WinSmall, N},
        {"extra, one new hit", kFour, {1, 2, 3}, {50, 4}, 2, Reply::ExtraBalls, 86, 4, Cue::WinMedium, N},
        {"tenth among the extra", kTen, {1, 2, 3, 4, 5, 6, 7, 8, 9}, {10}, 5, Reply::ExtraBalls, 50000, 10, Cue::WinBig, N},
        {"7 of 8 silent", kEight, {1, 2, 3, 4, 5, 6}, {7, 60}, 5, Reply::ExtraBalls, 400, 7, {}, N},
        {"both extra hit", kEight, {1, 2, 3, 4, 5}, {8, 6}, 1, Reply::ExtraBalls, 80, 7, Cue::WinMedium, N},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Rig rig;
        rig.Deal(c.ticket, c.mainHits, 1000, c.bet, c.extras);
        rig.view.SetText("winnings", "old");
        rig.Play();
        ASSERT_EQ(rig.game.OfferOpen(), c.reply != Reply::None);
        if (c.reply == Reply::TakeWin) { EXPECT_EQ(rig.TakeWin(), (std::vector<int>{0, 100})); }
        if (c.reply == Reply::ExtraBalls) rig.BuyExtraBalls();
        const int charged = c.bet * (c.reply == Reply::ExtraBalls ? 2 : 1);
        const int bank = 1000 - charged + c.win;
        // Every game counts once, offer or not, and the extra bet is wagered like the first.
        EXPECT_EQ(rig.Meters(), "bank " + std::to_string(bank) + " bet " + std::to_string(c.bet) + " wager " +
                                    std::to_string(charged) + " games 1 total " + std::to_string(c.win));
        EXPECT_EQ(std::tuple(rig.game.win(), rig.game.hits(), rig.game.outcome()), std::tuple(c.win, c.hits, c.outcome));
        EXPECT_EQ(rig.view.Text("hts") + "/" + rig.view.Text("panelbank") + "/" + rig.view.Text("winnings"),
                  std::to_string(c.hits) + "/" + std::to_string(bank) + "/" +
                      (c.win || c.reply != Reply::None ? std::to_string(c.win) : ""));
        EXPECT_EQ(Fanfares(rig.sound.cues), c.fanfare ? std::vector<Cue>{*c.fanfare} : std::vector<Cue>{});
        if (c.fanfare) { EXPECT_EQ(rig.sound.cues.back(), *c.fanfare); }
        EXPECT_EQ(rig.On(), kSettledOn);
        EXPECT_TRUE(rig.view.Visible("xtraballs"));
        EXPECT_FALSE(rig.view.TimerRunning("tmrflash") || rig.game.OfferOpen() || rig.game.Running());
        const MachineState settled = rig.state;
        rig.TakeWin();  // answers without an open offer do nothing
        rig.BuyExtraBalls();
        EXPECT_EQ(rig.state, settled);
    }
}

TEST(Keno22Play, PaintsTheBoardAndRacksTheBalls) {
    Rig rig;
    rig.Deal(kFour, {9, 3, 1}, 100, 1);  // 9 is not on the ticket
    rig.state.reelspeed = 10;
    rig.Play();
    const auto& drawn = rig.game.drawn();
    EXPECT_EQ(rig.game.hitlist(), (std::vector<int>{3, 1}));
    EXPECT_TRUE(rig.view.TimerRunning("Timer1") && rig.board.mustErase());
    EXPECT_EQ(rig.random.reseeds, 1);
    for (int n = 1; n <= 80; ++n) {
        const bool shown = std::find(drawn.begin(), drawn.begin() + 20, n) != drawn.begin() + 20;
        const auto picture = n == 1 || n == 3 ? SquarePicture::Hit : Contains(kFour, n) ? SquarePicture::Marked : SquarePicture::None;
        EXPECT_EQ(rig.view.Square(n), (SquareView{picture, shown ? SquareBackground::White : SquareBackground::Black,
                                                  shown ? SquareText::OrangeRed : SquareText::Blue})) << n;
    }
    for (int i = 1; i <= 20; ++i)
        EXPECT_EQ(rig.view.Ball(i), (BallView{true, i % 2 ? 8130 : 8700, 5000 - (i - 1) / 2 * 500, drawn[i - 1u]})) << i;
    EXPECT_FALSE(rig.view.Ball(21).visible || rig.view.Ball(22).visible);
    // Each ball lands, and a hit cuts in right after its landing: ball 2 is 3, a hit.
    EXPECT_EQ(std::count(rig.sound.cues.begin(), rig.sound.cues.end(), Cue::BallLands), 20);
    EXPECT_EQ(rig.sound.cues[2], Cue::Hit);
    rig.random.Force(DrawOf({2}, kFour));  // the same numbers play again without ERASE
    rig.Play();
    EXPECT_EQ(rig.game.hitlist(), std::vector<int>{2});
    EXPECT_EQ(rig.view.Square(1).picture, SquarePicture::Marked);
    EXPECT_EQ(rig.state.games, 2);
}

// While the extra balls drop nothing but ABOUT and EXIT can be pressed, and stray presses do nothing.
TEST(Keno22Play, ControlsAreOffWhileTheBallsDrop) {
    Rig rig;
    rig.Deal(kFour, {1, 2, 3}, 100, 2);
    rig.Play();
    rig.game.BuyExtraBalls();
    for (int i = 0; i < 40; ++i) rig.game.Advance();
    ASSERT_TRUE(rig.game.Running());
    EXPECT_EQ(rig.On({"coinsin", "makbet", "start", "takwin", "rubber", "btn20ball", "btnautoselect", "mnuoptions",
                      "mnupayouts", "mnabout", "mnexit"}), "mnabout mnexit");
    rig.game.Play();
    rig.game.BuyExtraBalls();
    rig.game.TakeWin();
    rig.Run();
    EXPECT_EQ(rig.Meters(), "bank 112 bet 2 wager 4 games 1 total 16");
}

TEST(Keno22Offer, ThreeOfFourOpensTheOfferWithoutPaying) {
    Rig rig;
    rig.Deal(kFour, {1, 2, 3}, 100, 2, {4, 77});
    rig.Play();
    EXPECT_EQ(rig.game.outcome(), Keno22Game::Outcome::Offer);
    EXPECT_EQ(rig.view.Text("winnings"), "16");
    EXPECT_EQ(rig.sound.cues.back(), Cue::Offer);
    EXPECT_TRUE(Fanfares(rig.sound.cues).empty());
    EXPECT_TRUE(rig.view.TimerRunning("tmrflash"));
    EXPECT_EQ(rig.On(), kOfferOn);
    EXPECT_EQ(rig.Meters(), "bank 98 bet 2 wager 2 games 1 total 0");  // counted once, here
    rig.board.InsertCoins();  // the board sees the open offer through the game
    EXPECT_EQ(rig.state.bank, 118);
    EXPECT_EQ(rig.On(), kOfferOn);
    rig.BuyExtraBalls();  // the extra balls land in the bottom row, the 20 are cleared
    EXPECT_EQ(rig.game.hitlist(), (std::vector<int>{1, 2, 3, 4}));
    for (int i = 1; i <= 20; ++i) EXPECT_FALSE(rig.view.Ball(i).visible) << i;
    EXPECT_EQ(rig.view.Ball(21), (BallView{true, 8130, 5000, 4}));
    EXPECT_EQ(rig.view.Ball(22), (BallView{true, 8700, 5000, 77}));
    EXPECT_EQ(rig.view.Square(4).picture, SquarePicture::Hit);
    EXPECT_EQ(rig.view.Square(77), (SquareView{SquarePicture::None, SquareBackground::White, SquareText::OrangeRed}));
}

TEST(Keno22Offer, RefusedPurchaseKeepsTheOfferUntilCoinsAndASecondPress) {
    Rig rig;
    rig.Deal(kFour, {1, 2, 3}, 5, 3);
    rig.Play();
    // The window draws the hidden balls and the unlit TAKE WIN before the box comes up.
    rig.game.BuyExtraBalls();
    EXPECT_EQ(rig.game.Advance(), std::optional<int>(0));
    EXPECT_TRUE(rig.messenger.shown.empty());
    EXPECT_FALSE(rig.view.Ball(1).visible || rig.view.Enabled("takwin"));
    EXPECT_TRUE(rig.Run().empty());
    EXPECT_EQ(rig.messenger.shown, std::vector<Message>{Box("\rYou Do Not Have Enough credit  For This Bet!! Please Insert Some More Coins..",
                                                            " Keno", Icon::Exclamation)});
    EXPECT_EQ(rig.state.bank, 2);
    EXPECT_TRUE(rig.game.OfferOpen());
    EXPECT_EQ(rig.On(), "coinsin xtraballs flash mnabout mnexit");
    EXPECT_FALSE(rig.view.TimerRunning("tmrflash"));
    rig.board.InsertCoins();
    rig.BuyExtraBalls();
    EXPECT_EQ(rig.state.bank, 22 - 3 + 24);
    EXPECT_EQ(rig.messenger.shown.size(), 1u);

    Rig equal;  // a credit equal to the bet buys them
    equal.Deal(kFour, {1, 2, 3}, 4, 2);
    equal.Play();
    equal.BuyExtraBalls();
    EXPECT_TRUE(equal.messenger.shown.empty());
    EXPECT_EQ(equal.state.bank, 16);
}

// A bet the BET button cannot show is never taken: PLAY refuses it with the board's make-a-bet
// box, charges nothing and counts nothing.
TEST(Keno22Play, RefusesABetOutsideOneToFive) {
    for (const int bet : {0, -5, 6, 9}) {
        SCOPED_TRACE(bet);
        Rig rig;
        rig.Deal(kFour, kFour, 100, bet);
        rig.view.Enable("mnuoptions", false);
        rig.Play();
        EXPECT_EQ(rig.messenger.shown, std::vector<Message>{Box("PLEASE MAKE A BET", " Keno", Icon::Question)});
        EXPECT_EQ(rig.Meters(), "bank 100 bet " + std::to_string(bet) + " wager 0 games 0 total 0");
        EXPECT_FALSE(rig.board.mustErase() || rig.random.reseeds);
        EXPECT_TRUE(rig.view.Enabled("mnuoptions"));
    }
}

// The meter may change under a game (the other window, a stored record): the main draw, TAKE WIN
// and the extra balls all go by the bet PLAY charged, and the extra balls cost that bet again.
TEST(Keno22Play, WinsGoByTheBetCharged) {
    struct Case { const char* name; std::vector<int> mainHits, extras; Reply reply; int win, charged; };
    const Case cases[] = {
        {"settled 2 of 4", {1, 4}, {}, Reply::None, 2, 1},
        {"take 3 of 4", {1, 2, 3}, {}, Reply::TakeWin, 8, 1},
        {"extra balls hit the fourth", {1, 2, 3}, {4, 50}, Reply::ExtraBalls, 43, 2},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Rig rig;
        rig.Deal(kFour, c.mainHits, 100, 1, c.extras);
        rig.game.Play();
        rig.Run([&] { if (rig.state.wager > 0) rig.state.coinsbet = 5; });  // raised once charged
        if (c.reply == Reply::TakeWin) rig.TakeWin();
        if (c.reply == Reply::ExtraBalls) rig.BuyExtraBalls();
        EXPECT_EQ(rig.game.bet(), 1);
        EXPECT_EQ(std::tuple(rig.game.win(), rig.state.bank, rig.state.wager, rig.state.total),
                  std::tuple(c.win, 100 - c.charged + c.win, c.charged, c.win));
    }
}

// The offer button shows flash four ticks and extra balls two, its phase running on from offer to
// offer; the hit squares show their picture one tick in three, the miss left alone.
TEST(Keno22Offer, OfferButtonAndHitSquaresFlash) {
    Rig rig;
    rig.game.OfferTick();
    rig.Deal(kFour, {2, 4, 3}, 100, 1);
    rig.Play();
    std::string offer, squares;
    for (int t = 0; t < 12; ++t) {
        rig.game.OfferTick();
        EXPECT_NE(rig.view.Visible("flash"), rig.view.Visible("xtraballs"));
        offer += rig.view.Visible("flash") ? 'F' : 'X';
    }
    for (int t = 0; t < 6; ++t) {
        rig.game.FlashTick();
        for (int n : {2, 4}) {
            const SquareView& s = rig.view.Square(n);
            squares += s.picture == SquarePicture::Hit ? 'H' : '.';
        }
    }
    EXPECT_EQ(offer, "FFFXXFFFFXXF");
    EXPECT_EQ(squares, "HH....HH....");
    EXPECT_EQ(rig.view.Square(1).picture, SquarePicture::Marked);
    EXPECT_EQ(rig.game.blinkphase(), 0);
}

}  // namespace
