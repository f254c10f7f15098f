#include "keno20/Keno20Game.h"

#include <algorithm>
#include <limits>
#include <string>
#include <vector>

namespace keno {

namespace {

constexpr const char* kTitle = "KENO 20 BALL";
constexpr int kPressPause = 100;     // ms the PLAY image stays hidden
constexpr int kBallPauseFactor = 20; // ms per ball for each unit of reelspeed

Message Critical(std::string text, const char* titleSuffix) {
    return Message{std::move(text), std::string(kTitle) + titleSuffix, Icon::Critical, Buttons::Ok,
                   Answer::Ok};
}

// Small wins get the short jingle; the two bigger bands get the bank's fanfares.
Cue WinCue(std::int32_t win) {
    if (win <= 0) return Cue::None;
    if (win <= 50) return Cue::WinSmall;
    if (win <= 200) return Cue::WinMedium;
    return Cue::WinBig;
}

}  // namespace

Keno20Game::Keno20Game(MachineState& state, clsKenoBoard& board, Keno20PayTable& payTable,
                       ViewModel& view, SoundSink& sound, Messenger& messenger, RandomSource& random)
    : state_(state),
      board_(board),
      payTable_(payTable),
      view_(view),
      sound_(sound),
      messenger_(messenger),
      random_(random) {}

void Keno20Game::Play() {
    if (Running()) return;
    steps_ = PlaySequence();
}

std::optional<int> Keno20Game::Advance() { return steps_.Resume(); }

void Keno20Game::SettleNow() { steps_.RunToEnd(); }

Steps Keno20Game::PlaySequence() {
    view_.Show("start", false);
    co_yield 0;
    co_yield kPressPause;
    view_.Show("start", true);
    view_.SetText("hts", "");
    payTable_.StopRowFlash();

    if (!Admit()) co_return;
    Charge();
    StartGame();
    PrepareBoard();

    DrawFromUrn(random_, kBalls, drawn_.begin());
    const int ballPause = kBallPauseFactor * std::max(0, static_cast<int>(state_.reelspeed));
    for (const int number : drawn_) {
        co_yield ballPause;
        ShowBall(number);
        co_yield 0;
    }

    Settle();
    Announce();
    co_yield 0;
    Post();
}

bool Keno20Game::Admit() {
    if (state_.bank < 1) {
        messenger_.Show(Critical("You Have No Credit...Click On COINS Button For Credit", "   No Credit!! "));
        return false;
    }
    // A player chosen in the options may have no bet, and a hand-edited record any number: only
    // a bet MAKE BET can show is taken, and the ticket stays for when there is one.
    if (state_.coinsbet < 1 || state_.coinsbet > kMaxBet) {
        messenger_.Show(Critical(" .....    Please Make A Bet", "   Not Betting ? "));
        return false;
    }
    if (static_cast<int>(board_.Picks().size()) < kMinSpots) {
        messenger_.Show(Critical(
            ".....   You Have To Mark A Minimum of 3 numbers first (Just Click On The Numbers You Want)"
            "\r(Mark Any Amount From 3 To 10)",
            "   not enough numbers !!"));
        board_.ClearBoard();
        return false;
    }
    return true;
}

void Keno20Game::Charge() {
    spots_ = static_cast<int>(board_.Picks().size());
    state_.bank -= state_.coinsbet;
    if (state_.bank < 0) {
        messenger_.Show(Critical(
            ".....You Do Not Have Enough Credit For This Bet,\rYour Bet Has Been Reduced Accordingly",
            "   Bet Reduced"));
        state_.bank += state_.coinsbet;
        state_.coinsbet = static_cast<std::int16_t>(state_.bank);
        state_.bank -= state_.coinsbet;
        view_.SetText("betpan", std::to_string(state_.coinsbet));
        payTable_.ShowSchedule(spots_, state_.coinsbet);
    }
    bet_ = state_.coinsbet;
}

void Keno20Game::StartGame() {
    view_.SetText("lblcredit", std::to_string(state_.bank));
    view_.SetText("winnings", "");
    hits_ = 0;
    hitlist_.fill(0);
    win_ = 0;
    board_.SetMustErase();
    AddTo(state_.games, 1);
    StopHitBlink();
    LockControls(true);
}

void Keno20Game::PrepareBoard() {
    picked_.fill(false);
    for (const int n : board_.Picks()) {
        picked_.at(n) = true;
        view_.Square(n).picture = SquarePicture::Marked;
    }
    payTable_.RevealRows();
    board_.PaintAllPlain();
}

void Keno20Game::ShowBall(int number) {
    SquareView& square = view_.Square(number);
    square.background = SquareBackground::LightGrey;
    square.text = SquareText::Red;
    if (!picked_.at(number) || hits_ >= kMaxHits) {
        sound_.Play(Cue::BallLands);
        return;
    }
    square.picture = SquarePicture::Hit;
    ++hits_;
    view_.SetText("hts", std::to_string(hits_));
    hitlist_[hits_ - 1] = number;
    view_.SetTimer("Timer1", true);
    sound_.Play(Cue::Hit);
}

void Keno20Game::Settle() {
    const auto pay = Keno20PaySchedule::Lookup(spots_, hits_);
    if (!pay) return;
    win_ = static_cast<std::int32_t>(bet_) * pay->multiplier;
    AddTo(state_.bank, win_);
    payTable_.SetPayRow(pay->row);
}

void Keno20Game::Announce() {
    if (win_ <= 0) return;
    view_.SetText("winnings", std::to_string(win_));
    sound_.Play(WinCue(win_));
}

void Keno20Game::Post() {
    view_.SetText("lblcredit", std::to_string(state_.bank));
    if (win_ > 0) {
        payTable_.StartRowFlash();
    } else {
        payTable_.StopRowFlash();
    }
    AddTo(state_.total, win_);
    AddTo(state_.wager, bet_);
    LockControls(false);
    Report();
}

void Keno20Game::Report() {
    SettledGame game;
    game.slot = SlotNumber(state_.playerslot);
    game.player = state_.currentplayer;
    game.game = 20;
    for (int n = 1; n <= 80; ++n)
        if (picked_[static_cast<std::size_t>(n)]) game.ticket.push_back(n);
    game.drawn.assign(drawn_.begin(), drawn_.end());
    game.hits = hits_;
    game.bet = bet_;
    game.win = win_;
    game.creditAfter = state_.bank;
    recorder_->GameSettled(game);
}

void Keno20Game::LockControls(bool locked) {
    for (const char* control : kLockedControls) view_.Enable(control, !locked);
}

void Keno20Game::AddTo(std::int32_t& meter, std::int32_t amount) {
    if (amount > 0 && meter > std::numeric_limits<std::int32_t>::max() - amount) return;
    meter += amount;
}

void Keno20Game::FlashTick() {
    ++blinkphase_;
    for (int i = 0; i < hits_; ++i) {
        SquareView& square = view_.Square(hitlist_[i]);
        if (blinkphase_ == 1) {
            square.picture = SquarePicture::Hit;
        } else if (blinkphase_ == 2) {
            // The number keeps its colour from the draw; only the grey and the picture go.
            square.background = SquareBackground::Black;
            square.picture = SquarePicture::None;
        } else if (blinkphase_ >= 3) {
            // Reset while handling the first slot: the other slots of this tick see phase 0.
            blinkphase_ = 0;
        }
    }
}

void Keno20Game::StopHitBlink() { view_.SetTimer("Timer1", false); }

}  // namespace keno
