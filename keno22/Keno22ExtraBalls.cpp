// The extra-ball offer answered: TAKE WIN, or one more bet for balls 21 and 22.
#include <algorithm>
#include <string>

#include "keno22/Keno22Game.h"
#include "keno22/Keno22PaySchedule.h"

namespace keno {

namespace {

constexpr int kExtraBounceStep = 300;  // the extra balls fall in this many steps
constexpr int kExtraStartTop = 120;
constexpr int kRise = 400;
constexpr int kRiseSteps = 10;
constexpr int kRisePause = 5;
constexpr int kFallPause = 2;

Message NotEnoughCreditMessage() {
    Message message;
    message.text = std::string("\r") + "You Do Not Have Enough credit " +
                   " For This Bet!! Please Insert Some More Coins..";
    message.title = " Keno";
    message.icon = Icon::Exclamation;
    return message;
}

}  // namespace

Steps Keno22Game::TakeWinSteps() {
    view_.Show("takwin", false);
    co_yield 0;
    co_yield 100;
    view_.Show("takwin", true);

    outcome_ = Outcome::None;
    view_.Show("xtraballs", true);
    EnableControls({"xtraballs", "flash"}, false);
    view_.SetTimer("tmrflash", false);
    win_ = Keno22PaySchedule::Win(spots(), hits_, bet_);
    PlayFanfare(win_, true);
    AddTo(state_.bank, win_);
    ShowNumber("panelbank", state_.bank);
    ShowNumber("winnings", win_);
    AddTo(state_.total, win_);
    EnableAfterGame();
    Report(OfferChoice::TookWin);
}

Steps Keno22Game::ExtraBallsSteps() {
    view_.SetTimer("tmrflash", false);
    landingtop_ = kRackBottom;
    bouncestep_ = kExtraBounceStep;
    win_ = 0;
    view_.Enable("takwin", false);
    for (int i = 1; i <= kDrawn; ++i) view_.Ball(i).visible = false;

    // Refused: the offer stays open, stopped and without TAKE WIN, until COINS and a new press.
    // The box comes once the window has drawn the hidden balls and the unlit TAKE WIN.
    if (bet_ > state_.bank) {
        co_yield 0;
        messenger_.Show(NotEnoughCreditMessage());
        view_.Enable("coinsin", true);
        co_return;
    }

    outcome_ = Outcome::None;
    view_.Enable("coinsin", false);
    // The offer already took these away; after a refused purchase only COINS came back.
    EnableControls({"rubber", "start", "makbet", "btn20ball", "btnautoselect", "mnupayouts", "mnuoptions"},
                   false);
    // The extra balls cost the game's own bet again, and that coin is wagered like the first.
    state_.bank -= bet_;
    AddTo(state_.wager, bet_);
    extraBet_ = bet_;
    ShowNumber("panelbank", state_.bank);

    for (int i = kShown + 1; i <= kDrawn; ++i) {
        BallView& ball = view_.Ball(i);
        ball.left = Column(i);
        ball.top = kExtraStartTop;
    }
    for (int i = kShown + 1; i <= kDrawn; ++i) KENO_AWAIT_STEPS(ExtraBallSteps(i));

    win_ = Keno22PaySchedule::Win(spots(), hits_, bet_);
    SettleExtraBalls();
}

// A long fall from the top edge in `bouncestep` steps without pauses, a bounce of 400 with short
// pauses, then the ball rests in the bottom row for a moment before it counts.
Steps Keno22Game::ExtraBallSteps(int position) {
    const int number = drawn_[static_cast<std::size_t>(position - 1)];
    PaintDrawnSquare(number);
    ShowBall(position);
    BallView& ball = view_.Ball(position);

    // Settled at once, only where the ball comes to rest is ever seen: the flight is skipped,
    // and so are the pauses, which only pace what the player watches.
    if (!settling_) {
        const int step = std::max<int>(bouncestep_, 1);
        for (int k = 0; k < step; ++k) {
            ball.top = 1 + (k * landingtop_ + step / 2) / step;
            co_yield 0;
        }
        const int below = landingtop_ + 1;
        for (int k = 1; k <= kRiseSteps; ++k) {
            ball.top = below - k * (kRise / kRiseSteps);
            co_yield kRisePause;
        }
        for (int top = below - kRise; top < below;) {
            top = std::min(top + 2 * step, below);
            ball.top = top;
            co_yield kFallPause;
        }
    }
    ball.left = Column(position);
    ball.top = landingtop_;

    sound_.Play(Cue::BallLands);
    if (!settling_) co_yield LandingWaitMs();
    CheckHit(number);
}

void Keno22Game::SettleExtraBalls() {
    AddTo(state_.bank, win_);
    ShowNumber("panelbank", state_.bank);
    AddTo(state_.total, win_);
    PlayFanfare(win_, false);
    ShowNumber("winnings", win_);
    EnableAfterGame();
    view_.Show("xtraballs", true);
    Report(OfferChoice::Bought);
}

}  // namespace keno
