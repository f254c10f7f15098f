// PLAY: charge the bet, draw 22 numbers, show the first 20 balls, value and post the game.
#include <algorithm>
#include <string>

#include "keno22/Keno22Game.h"

namespace keno {

namespace {

const char* const kTitle = "K E N O 22";

Message PlayMessage(std::string text) {
    Message message;
    message.text = std::move(text);
    message.title = kTitle;
    return message;
}

constexpr int kRise = 400;      // the ball bounces up this far above its slot
constexpr int kRiseSteps = 10;
constexpr int kRowHeight = 500;
constexpr int kMinSpots = 2;
constexpr int kMaxBet = 5;

}  // namespace

Steps Keno22Game::PlaySteps() {
    view_.Show("start", false);
    co_yield 0;
    co_yield 100;
    view_.Show("start", true);
    view_.SetText("hts", "");
    bouncestep_ = 100;

    if (state_.bank < 1) {
        messenger_.Show(PlayMessage("You Have No credit !! Click On COINS Button For more credit"));
        EnableControls({"mnabout", "mnexit", "mnupayouts", "mnuoptions"}, true);
        co_return;
    }
    landingtop_ = kRackBottom;
    co_yield 0;
    // ERASE stays enabled until the charge, so the events just run may have cleared the ticket:
    // the press no longer stands, and no bet is taken for a game on fewer spots than PLAY needs.
    if (board_.spots() < kMinSpots) co_return;
    // A player chosen in the options may have no bet, and a hand-edited record any number: only
    // a bet the BET button can show is ever taken.
    if (state_.coinsbet < 1 || state_.coinsbet > kMaxBet) {
        messenger_.Show(Message{"PLEASE MAKE A BET", " Keno", Icon::Question, Buttons::Ok, Answer::Ok});
        EnableControls({"mnabout", "mnexit", "mnupayouts", "mnuoptions"}, true);
        co_return;
    }

    state_.bank -= state_.coinsbet;
    if (state_.bank < 0) {
        messenger_.Show(PlayMessage("You Do Not Have Enough credit For This Bet,\r"
                                    "Your Bet Has Been Reduced Accordingly"));
        state_.bank += state_.coinsbet;
        state_.coinsbet = static_cast<std::int16_t>(state_.bank);
        state_.bank = 0;
        ShowNumber("betpan", state_.coinsbet);
    }
    bet_ = state_.coinsbet;
    ShowNumber("panelbank", state_.bank);
    view_.SetText("winnings", "");
    AddTo(state_.wager, bet_);
    extraBet_ = 0;

    EnableControls({"coinsin", "makbet", "start", "flash", "xtraballs", "takwin", "rubber", "btn20ball"},
                   false);
    // AUTO SELECT and OPTIONS would change the ticket or the player under a running game.
    EnableControls({"btnautoselect", "mnuoptions"}, false);
    hits_ = 0;
    hitlist_.clear();
    board_.SetMustErase();
    if (state_.reelspeed == 1) state_.reelspeed = 0;
    board_.Picks(picked_);

    for (int i = 1; i <= kDrawn; ++i) view_.Ball(i).visible = false;
    for (int n : picked_) view_.Square(n).picture = SquarePicture::Marked;
    for (int n = 1; n <= ViewModel::kSquares; ++n) {
        view_.Square(n).background = SquareBackground::Black;
        view_.Square(n).text = SquareText::Blue;
    }
    view_.SetTimer("Timer1", false);
    for (int i = 1; i <= kShown; ++i) view_.Ball(i).top = 0;

    // All 22 are fixed before the first ball shows: the extra balls never repeat a shown one.
    DrawFromUrn(random_, kDrawn, drawn_.begin());
    for (int i = 1; i <= kShown; ++i) KENO_AWAIT_STEPS(MainBallSteps(i));

    Value();
    PostMainDraw();
}

// One ball drops to the top edge, jumps below its slot, bounces up 400 and falls back in steps
// of twice the bounce step, then settles in its slot. Every placement is followed by a pause.
Steps Keno22Game::MainBallSteps(int position) {
    const int number = drawn_[static_cast<std::size_t>(position - 1)];
    PaintDrawnSquare(number);
    ShowBall(position);
    BallView& ball = view_.Ball(position);

    // Settled at once, only where the ball comes to rest is ever seen: the flight is skipped,
    // and so are the pauses, which only pace what the player watches.
    if (!settling_) {
        ball.top = 1;
        co_yield ReelPause();
        const int below = landingtop_ + 1;
        ball.top = below;
        co_yield ReelPause();
        for (int k = 1; k <= kRiseSteps; ++k) {
            ball.top = below - k * (kRise / kRiseSteps);
            co_yield ReelPause();
        }
        for (int top = below - kRise; top < below;) {
            top = std::min(top + 2 * bouncestep_, below);
            ball.top = top;
            co_yield ReelPause();
        }
    }
    ball.left = Column(position);
    ball.top = landingtop_;
    if (!settling_) co_yield ReelPause();

    sound_.Play(Cue::BallLands);
    if (!settling_) co_yield 0;
    CheckHit(number);

    if (position % 2 == 0) landingtop_ = static_cast<std::int16_t>(landingtop_ - kRowHeight);
    else bouncestep_ = static_cast<std::int16_t>(bouncestep_ + 10);
    if (landingtop_ <= 0) landingtop_ = kRackBottom;
    if (!settling_) co_yield ReelPause();
}

}  // namespace keno
