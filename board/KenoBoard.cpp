#include "board/KenoBoard.h"

#include <limits>

#include "board/BoardRuleSet.h"

namespace keno {

namespace {

constexpr int kNumbers = 80;
constexpr int kMaxSpots = 10;
constexpr std::int16_t kMaxBet = 5;
constexpr std::int16_t kAutoSelectDefault = 10;
constexpr std::int32_t kCoinsPerPress = 20;

Cue BetCue(std::int16_t bet) {
    switch (bet) {
    case 1: return Cue::Bet1;
    case 2: return Cue::Bet2;
    case 3: return Cue::Bet3;
    case 4: return Cue::Bet4;
    case 5: return Cue::Bet5;
    default: return Cue::None;
    }
}

// 1..5 and round again; the 20-ball window also never bets above the credit. A stored bet that
// is out of range (negative, or above 5) starts the cycle again at 1.
std::int16_t NextBet(std::int16_t bet, std::int32_t bank, bool cappedByCredit) {
    int next = (bet >= 1 && bet < 5) ? bet + 1 : 1;
    if (cappedByCredit && next > bank) next = 1;
    return static_cast<std::int16_t>(next);
}

// Adds without passing INT32_MAX: a meter that would overflow is left as it is.
void AddCoins(std::int32_t& meter) {
    if (meter <= std::numeric_limits<std::int32_t>::max() - kCoinsPerPress) meter += kCoinsPerPress;
}

}  // namespace

clsKenoBoard::clsKenoBoard(BoardRules rules, MachineState& state, ViewModel& view, SoundSink& sound,
                           Messenger& messenger, RandomSource& random)
    : rules_(rules), set_(RuleSetFor(rules)), state_(state), view_(view), sound_(sound),
      messenger_(messenger), random_(random) {}

const char* clsKenoBoard::CreditLabel() const { return set_.creditLabel; }

// Refused AUTO SELECT: the press would keep its count for the next one, while the board has
// already been cleared (22) or keeps its marks (20). spots() stays the number of marked squares
// so that PLAY always plays exactly what is marked; only the next AUTO SELECT uses the kept count.
std::int16_t clsKenoBoard::PendingAutoSelectCount() const {
    return autoSelectCount_ > 0 ? autoSelectCount_ : spots_;
}

std::vector<int> clsKenoBoard::Picks() const {
    std::vector<int> picks;
    Picks(picks);
    return picks;
}

void clsKenoBoard::Picks(std::vector<int>& out) const {
    out.clear();
    out.reserve(kMaxSpots);
    for (int n = 1; n <= kNumbers; ++n)
        if (marked_[n]) out.push_back(n);
}

void clsKenoBoard::MarkSquare(int number) {
    if (number < 1 || number > kNumbers) return;
    if (state_.bank < 1) return Refuse(set_.clickNoCredit);
    if (state_.coinsbet < 1 && state_.bank >= set_.betMessageMinBank) return Refuse(set_.clickNoBet);
    if (mustErase_) return Refuse(set_.clickMustErase);
    if (spots_ >= kMaxSpots) return Refuse(set_.clickFull);

    const bool boardWasEmpty = spots_ == 0;
    Mark(number, !marked_[number]);
    autoSelectCount_ = 0;
    view_.SetText("spts", std::to_string(spots_));
    if (set_.clickRepaintsBoard) PaintAllPlain();
    if (set_.setsButtons) {
        if (!boardWasEmpty) view_.Enable("rubber", true);
        EnablePlayIf(spots_ >= set_.minSpots && state_.coinsbet >= 1);
    }
    ClearSchedule();
    ShowSchedule();
    sound_.Play(Cue::Mark);
}

void clsKenoBoard::AutoSelect() {
    std::int16_t count = PendingAutoSelectCount();
    if (count < set_.minSpots) count = kAutoSelectDefault;

    StopHitFlash();
    StopRowFlash();
    view_.SetText("spts", "");
    if (set_.autoBlanksResults) {
        view_.SetText("hts", "");
        view_.SetText("winnings", "");
    }
    if (set_.autoClearsFirst) {
        UnmarkAll();
        Paint(set_.erasedBackground);
        view_.Enable("start", false);
    }
    autoSelectCount_ = count;
    if (state_.bank < 1) return Refuse(set_.autoNoCredit);
    if (state_.coinsbet < 1 && state_.bank >= set_.betMessageMinBank) return Refuse(set_.autoNoBet);

    UnmarkAll();
    autoSelectCount_ = 0;
    sound_.Play(Cue::AutoSelect);
    std::array<int, kMaxSpots> drawn{};
    DrawFromUrn(random_, count, drawn.begin());
    for (int i = 0; i < count; ++i) Mark(drawn[static_cast<std::size_t>(i)], true);
    PaintAllPlain();

    EnablePlayIf(state_.coinsbet >= 1);
    view_.SetText("spts", std::to_string(spots_));
    view_.Enable("rubber", true);
    ShowSchedule();
}

void clsKenoBoard::EraseBoard() {
    if (state_.bank < 1) return Refuse(set_.eraseNoCredit);
    StopHitFlash();
    StopRowFlash();
    mustErase_ = false;
    ResetBoard();
}

void clsKenoBoard::ClearBoard() { ResetBoard(); }

void clsKenoBoard::ResetBoard() {
    UnmarkAll();
    autoSelectCount_ = 0;
    Paint(set_.erasedBackground);
    view_.SetText("spts", set_.erasedSpotsText);
    if (set_.setsButtons) view_.Enable("start", false);
    if (set_.autoBlanksResults) view_.SetText("hts", "");
    ClearSchedule();
}

void clsKenoBoard::MakeBet() {
    StopRowFlash();
    if (state_.bank < 1) return Refuse(set_.betNoCredit);
    state_.coinsbet = NextBet(state_.coinsbet, state_.bank, set_.betCappedByCredit);
    view_.SetText("betpan", std::to_string(state_.coinsbet));
    if (set_.setsButtons) {
        view_.Enable("rubber", true);
        EnablePlayIf(spots_ >= set_.minSpots);
    }
    if (payTable_) {
        payTable_->ClearSchedule();
        payTable_->RevealRows();
    }
    ShowSchedule();
    sound_.Play(BetCue(state_.coinsbet));
}

void clsKenoBoard::InsertCoins() {
    AddCoins(state_.bank);
    AddCoins(state_.amountinvested);
    view_.SetText(set_.creditLabel, std::to_string(state_.bank));
    sound_.Play(Cue::Coins);
    EnableForCredit();
}

// The player may have changed under the window (the options, the other game): the buttons that
// credit and bet light are set from them again, both ways, as the window's load sets MAKE BET.
void clsKenoBoard::ShowMachineState() {
    view_.SetText(set_.creditLabel, std::to_string(state_.bank));
    view_.SetText("betpan", std::to_string(state_.coinsbet));
    if (!set_.setsButtons) return;
    const bool offer = game_ && game_->OfferOpen();
    const bool credit = state_.bank >= 1 && !offer;
    const bool play = credit && state_.coinsbet >= 1 && state_.coinsbet <= kMaxBet && spots_ >= set_.minSpots;
    view_.Enable("makbet", credit);
    view_.Enable("start", play);
    if (play) view_.Enable("rubber", true);
    if (offer) view_.Enable("rubber", false);
}

void clsKenoBoard::EnableForCredit() {
    if (!set_.setsButtons || state_.bank < 1) return;
    view_.Enable("makbet", true);
    if (state_.coinsbet >= 1 && spots_ >= set_.minSpots) {
        view_.Enable("start", true);
        view_.Enable("rubber", true);
    }
    if (game_ && game_->OfferOpen()) {
        view_.Enable("makbet", false);
        view_.Enable("start", false);
        view_.Enable("rubber", false);
    }
}

void clsKenoBoard::PaintAllPlain() { Paint(SquareBackground::Black); }

void clsKenoBoard::ShowMarkPictures() {
    for (int n = 1; n <= kNumbers; ++n)
        if (marked_[n]) view_.Square(n).picture = SquarePicture::Marked;
}

void clsKenoBoard::Mark(int number, bool on) {
    if (marked_[number] == on) return;
    marked_[number] = on;
    spots_ = static_cast<std::int16_t>(spots_ + (on ? 1 : -1));
    view_.Square(number).picture = on ? SquarePicture::Marked : SquarePicture::None;
}

void clsKenoBoard::UnmarkAll() {
    for (int n = 1; n <= kNumbers; ++n) Mark(n, false);
}

// A new background erases the printed number, which is printed again in blue; the picture stays.
void clsKenoBoard::Paint(SquareBackground background) {
    for (int n = 1; n <= kNumbers; ++n) {
        SquareView& square = view_.Square(n);
        square.background = background;
        square.text = SquareText::Blue;
    }
}

void clsKenoBoard::Refuse(const BoardRefusal& refusal) {
    if (*refusal.text == '\0') return;
    Message message;
    message.text = refusal.withPlayerName ? state_.currentplayer + refusal.text : std::string(refusal.text);
    message.title = refusal.title;
    message.icon = refusal.icon;
    messenger_.Show(message);
    if (refusal.disablesPlay) view_.Enable("start", false);
}

void clsKenoBoard::StopHitFlash() { view_.SetTimer("Timer1", false); }

void clsKenoBoard::StopRowFlash() {
    if (payTable_) payTable_->StopRowFlash();
}

void clsKenoBoard::ShowSchedule() {
    if (payTable_) payTable_->ShowSchedule(spots_, state_.coinsbet);
}

void clsKenoBoard::ClearSchedule() {
    if (payTable_) payTable_->ClearSchedule();
}

void clsKenoBoard::EnablePlayIf(bool condition) { view_.Enable("start", condition); }

}  // namespace keno
