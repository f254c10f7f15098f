#include "keno22/Keno22Game.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <string>

#include "keno22/Keno22PaySchedule.h"

namespace keno {

Keno22Game::Keno22Game(MachineState& state, clsKenoBoard& board, ViewModel& view, SoundSink& sound,
                       Messenger& messenger, RandomSource& random, Clock& clock)
    : state_(state), board_(board), view_(view), sound_(sound), messenger_(messenger), random_(random),
      clock_(clock) {
    board_.SetGameQuery(this);
}

Keno22Game::~Keno22Game() { board_.SetGameQuery(nullptr); }

// An offer must be answered before another game can start on top of it.
void Keno22Game::Play() {
    if (Running() || OfferOpen()) return;
    sequence_ = PlaySteps();
}

void Keno22Game::TakeWin() {
    if (Running() || !OfferOpen()) return;
    sequence_ = TakeWinSteps();
}

// Both offer images stay enabled while the extra balls run; a second press must not buy again.
void Keno22Game::BuyExtraBalls() {
    if (Running() || !OfferOpen()) return;
    sequence_ = ExtraBallsSteps();
}

std::optional<int> Keno22Game::Advance() {
    auto pause = sequence_.Resume();
    if (!pause) sequence_ = Steps();
    return pause;
}

void Keno22Game::SettleNow() {
    settling_ = true;
    struct Reset {
        bool& flag;
        ~Reset() { flag = false; }
    } reset{settling_};
    sequence_.RunToEnd();
    sequence_ = Steps();
}

void Keno22Game::FlashTick() {
    ++blinkphase_;
    const auto count = std::min<std::size_t>(static_cast<std::size_t>(std::max<int>(hits_, 0)), hitlist_.size());
    for (std::size_t i = 0; i < count; ++i) {
        SquareView& square = view_.Square(hitlist_[i]);
        if (blinkphase_ == 1) {
            square.picture = SquarePicture::Hit;
        } else if (blinkphase_ == 2) {
            // The repaint keeps the orange-red number the square got when it was drawn.
            square.picture = SquarePicture::None;
            square.background = SquareBackground::Black;
        }
    }
    if (blinkphase_ == 3) blinkphase_ = 0;
}

void Keno22Game::OfferTick() {
    if (offerphase_ == 6) offerphase_ = 0;
    ++offerphase_;
    if (offerphase_ <= 4) {
        view_.Show("xtraballs", false);
        view_.Show("flash", true);
    } else if (offerphase_ == 5) {
        view_.Show("xtraballs", true);
        view_.Show("flash", false);
    }
}

void Keno22Game::AddTo(std::int32_t& meter, std::int32_t amount) {
    if (amount > 0 && meter > std::numeric_limits<std::int32_t>::max() - amount) return;
    meter += amount;
}

int Keno22Game::ReelPause() const { return std::max<int>(state_.reelspeed, 0); }

void Keno22Game::PaintDrawnSquare(int number) {
    SquareView& square = view_.Square(number);
    square.background = SquareBackground::White;
    square.text = SquareText::OrangeRed;
}

void Keno22Game::ShowBall(int position) {
    BallView& ball = view_.Ball(position);
    ball.visible = true;
    ball.left = Column(position);
    ball.number = drawn_[static_cast<std::size_t>(position - 1)];
}

void Keno22Game::CheckHit(int number) {
    for (int pick : picked_) {
        if (pick != number) continue;
        sound_.Play(Cue::Hit);
        view_.Square(number).picture = SquarePicture::Hit;
        ++hits_;
        ShowNumber("hts", hits_);
        hitlist_.push_back(number);
        view_.SetTimer("Timer1", true);
    }
}

void Keno22Game::Value() {
    outcome_ = Outcome::None;
    win_ = 0;
    const auto entry = Keno22PaySchedule::Lookup(spots(), hits_);
    if (hits_ < 2) {
        outcome_ = Outcome::Settled;
    } else if (entry) {
        win_ = static_cast<std::int32_t>(bet_) * entry->multiplier;
        if (entry->offer) {
            outcome_ = Outcome::Offer;
        } else {
            AddTo(state_.bank, win_);
            outcome_ = Outcome::Settled;
        }
    }
}

// Every game counts once, here, whether it settles now or goes through the offer.
void Keno22Game::PostMainDraw() {
    AddTo(state_.games, 1);
    if (outcome_ == Outcome::Offer) return OpenOffer();
    if (outcome_ == Outcome::Settled) {
        if (win_ == 0) view_.SetText("winnings", "");
        else ShowNumber("winnings", win_);
        ShowNumber("panelbank", state_.bank);
    }
    PlayFanfare(win_, false);
    EnableAfterGame();
    AddTo(state_.total, win_);
    Report(OfferChoice::None);
}

void Keno22Game::OpenOffer() {
    sound_.Play(Cue::Offer);
    view_.SetTimer("tmrflash", true);
    EnableControls({"xtraballs", "flash", "takwin"}, true);
    EnableControls({"rubber", "start", "makbet", "coinsin", "btn20ball", "mnupayouts", "mnuoptions",
                    "btnautoselect"},
                   false);
    ShowNumber("winnings", win_);
}

// A settled game gives the player every control back, AUTO SELECT included (PLAY took it away).
void Keno22Game::EnableAfterGame() {
    EnableControls({"coinsin", "makbet", "start", "rubber", "btn20ball", "btnautoselect", "mnupayouts",
                    "mnuoptions", "mnabout", "mnexit"},
                   true);
    EnableControls({"xtraballs", "flash", "takwin"}, false);
}

void Keno22Game::EnableControls(std::initializer_list<const char*> names, bool enabled) {
    for (const char* name : names) view_.Enable(name, enabled);
}

void Keno22Game::ShowNumber(const char* label, std::int32_t value) { view_.SetText(label, std::to_string(value)); }

void Keno22Game::PlayFanfare(std::int32_t amount, bool takeWin) {
    const Cue cue = Keno22PaySchedule::WinSound(amount, takeWin ? WinMapping::TakeWin : WinMapping::MainDraw);
    if (cue != Cue::None) sound_.Play(cue);
}

// Wait until 0.9 s past the landing time rounded to the nearest second (0.4 to 1.4 s). Taken as
// one pause from a single reading, so it ends even if the clock passes midnight meanwhile.
int Keno22Game::LandingWaitMs() {
    const long long now = std::llround(clock_.SecondsSinceMidnight() * 1000.0);
    const long long nearestSecond = (now + 500) / 1000 * 1000;
    return static_cast<int>(std::clamp<long long>(nearestSecond + 900 - now, 0, 1400));
}

void Keno22Game::Report(OfferChoice offer) {
    SettledGame game;
    game.slot = SlotNumber(state_.playerslot);
    game.player = state_.currentplayer;
    game.game = 22;
    game.ticket = picked_;
    game.drawn.assign(drawn_.begin(), drawn_.begin() + kShown);
    if (offer == OfferChoice::Bought) game.extra.assign(drawn_.begin() + kShown, drawn_.end());
    game.hits = hits_;
    game.bet = bet_;
    game.extraBet = offer == OfferChoice::Bought ? extraBet_ : 0;
    game.win = win_;
    game.offer = offer;
    game.creditAfter = state_.bank;
    recorder_->GameSettled(game);
}

}  // namespace keno
