// The random player: presses only what the window in front would let it press, runs every game
// sequence to its end in virtual time, and presses what stays enabled between its steps.
#include <algorithm>
#include <functional>

#include "keno22/Keno22PaySchedule.h"
#include "tests/soak/SoakMachine.h"

namespace keno::soak {
namespace {

constexpr double kInterleave = 0.01;  // chance of a press at each pause of a running sequence

// A weighted menu of the presses possible right now.
class Choices {
public:
    void Add(const char* name, double weight, std::function<void()> action) {
        items_.push_back({name, weight, std::move(action)});
        total_ += weight;
    }
    struct Item {
        const char* name;
        double weight;
        std::function<void()> action;
    };
    template <typename Random>
    Item& Choose(Random& random) {
        double x = std::uniform_real_distribution<double>(0, total_)(random);
        for (auto& item : items_)
            if ((x -= item.weight) < 0) return item;
        return items_.back();
    }

private:
    std::vector<Item> items_;
    double total_ = 0;
};

int Hits(const std::vector<int>& picks, const int* drawn, int count) {
    int hits = 0;
    for (int i = 0; i < count; ++i) hits += static_cast<int>(std::count(picks.begin(), picks.end(), drawn[i]));
    return hits;
}

}  // namespace

void SoakMachine::Act() {
    ++actions_;
    messenger.shown.clear();
    store_.ClearSaveCalls();
    if (State().activegame == "game2") Act20();
    else Act22();
    CheckAll();
}

void SoakMachine::Coins(clsKenoBoard& board) {
    board.InsertCoins();
    books_.invested += 20;
}

void SoakMachine::Act22() {
    Window22& w = *program_->keno22;
    const ViewModel& v = w.view;
    Choices c;
    if (v.Enabled("coinsin")) c.Add("COINS", State().bank < 5 ? 5 : 1, [&] { Coins(w.board); });
    if (v.Enabled("makbet")) c.Add("MAKE BET", 2, [&] { w.board.MakeBet(); });
    c.Add("square", 8, [&] {
        const int n = Pick(1, 80);
        Note(std::to_string(n));
        w.board.MarkSquare(n);
    });
    if (v.Enabled("btnautoselect")) c.Add("AUTO SELECT", 2.5, [&] { w.board.AutoSelect(); });
    if (v.Enabled("rubber")) c.Add("ERASE", w.board.mustErase() ? 4 : 1, [&] { w.board.EraseBoard(); });
    if (v.Enabled("start")) c.Add("PLAY", 8, [&] { Play22(); });
    if (v.Enabled("takwin")) c.Add("TAKE WIN", 4, [&] { TakeWin(); });
    if (v.Enabled("xtraballs") || v.Enabled("flash")) c.Add("EXTRA BALLS", 4, [&] { BuyExtraBalls(); });
    if (v.TimerRunning("Timer1")) c.Add("Timer1 tick", 1, [&] { w.game.FlashTick(); });
    if (v.TimerRunning("tmrflash")) c.Add("tmrflash tick", 1, [&] { w.game.OfferTick(); });
    if (v.Enabled("btn20ball")) c.Add("switch to 20 ball", 1.5, [&] { SwitchGame(); });
    if (v.Enabled("mnuoptions")) c.Add("OPTIONS", 1.2, [&] { Options(); });
    if (v.Enabled("mnexit")) c.Add("quit and start again", 0.3, [&] { Restart(); });
    auto& chosen = c.Choose(player_);
    Log(std::string("22: ") + chosen.name);
    ++tally_[std::string("22: ").substr(0) + chosen.name];
    chosen.action();
}

void SoakMachine::Act20() {
    Window20& w = *program_->keno20;
    const ViewModel& v = w.view;
    Choices c;
    if (v.Enabled("coinsin")) c.Add("COINS", State().bank < 5 ? 5 : 1, [&] { Coins(w.board); });
    if (v.Enabled("makbet")) c.Add("MAKE BET", 2, [&] { w.board.MakeBet(); });
    c.Add("square", 8, [&] {
        const int n = Pick(1, 80);
        Note(std::to_string(n));
        w.board.MarkSquare(n);
    });
    if (v.Enabled("btnautoselect")) c.Add("AUTO SELECT", 2.5, [&] { w.board.AutoSelect(); });
    if (v.Enabled("rubber")) c.Add("ERASE", w.board.mustErase() ? 4 : 1, [&] { w.board.EraseBoard(); });
    if (v.Enabled("start")) c.Add("PLAY", 8, [&] { Play20(); });
    if (v.TimerRunning("Timer1")) c.Add("Timer1 tick", 1, [&] { w.game.FlashTick(); });
    if (v.TimerRunning("timerpay")) c.Add("timerpay tick", 1, [&] { w.payTable.RowFlashTick(); });
    if (v.Enabled("btkeno22")) c.Add("switch to 22 ball", 1.5, [&] { SwitchGame(); });
    if (v.Enabled("mnuoptions")) c.Add("OPTIONS", 1.2, [&] { Options(); });
    c.Add("quit and start again", 0.3, [&] { Restart(); });
    auto& chosen = c.Choose(player_);
    Log(std::string("20: ") + chosen.name);
    ++tally_[std::string("20: ").substr(0) + chosen.name];
    chosen.action();
}

// Between two steps the window handles clicks on what is still enabled and its timer ticks;
// AUTO SELECT and OPTIONS wait for the game, and keno20 holds MAKE BET and ERASE back too.
void SoakMachine::Interleave(bool keno22) {
    Choices c;
    const auto square = [this](clsKenoBoard& board) {
        const int n = Pick(1, 80);
        Note(std::to_string(n));
        board.MarkSquare(n);
    };
    if (keno22) {
        Window22& w = *program_->keno22;
        const ViewModel& v = w.view;
        if (v.Enabled("coinsin")) c.Add("COINS", 2, [&] { Coins(w.board); });
        if (v.Enabled("makbet")) c.Add("MAKE BET", 2, [&] { w.board.MakeBet(); });
        if (v.Enabled("rubber")) c.Add("ERASE", 2, [&] { w.board.EraseBoard(); });
        c.Add("square", 2, [&] { square(w.board); });
        if (v.TimerRunning("Timer1")) c.Add("Timer1 tick", 3, [&] { w.game.FlashTick(); });
        if (v.TimerRunning("tmrflash")) c.Add("tmrflash tick", 3, [&] { w.game.OfferTick(); });
    } else {
        Window20& w = *program_->keno20;
        const ViewModel& v = w.view;
        if (v.Enabled("coinsin")) c.Add("COINS", 2, [&] { Coins(w.board); });
        // ERASE without credit is refused at once, before the press waits for the game.
        if (v.Enabled("rubber") && State().bank < 1) c.Add("ERASE", 1, [&] { w.board.EraseBoard(); });
        c.Add("square", 2, [&] { square(w.board); });
        if (v.TimerRunning("Timer1")) c.Add("Timer1 tick", 3, [&] { w.game.FlashTick(); });
        if (v.TimerRunning("timerpay")) c.Add("timerpay tick", 3, [&] { w.payTable.RowFlashTick(); });
    }
    auto& chosen = c.Choose(player_);
    Log(std::string("  during: ") + chosen.name);
    ++tally_[std::string("  during: ").substr(2) + chosen.name];
    chosen.action();
}

void SoakMachine::RunSequence(bool keno22) {
    coinsDuring_ = 0;
    for (int steps = 0;; ++steps) {
        const auto pause = keno22 ? program_->keno22->game.Advance() : program_->keno20->game.Advance();
        if (!pause) break;
        Require(*pause >= 0, "a negative pause");
        clock.Pass(*pause);
        Require(State().bank >= 0, "credit below zero in the middle of a game");
        Require(steps < 100000, "a game sequence never ended");
        if (Chance(kInterleave)) Interleave(keno22);
    }
}

void SoakMachine::Play22() {
    Window22& w = *program_->keno22;
    MachineState& s = State();
    const MachineState before = s;
    const auto drawnBefore = w.game.drawn();
    w.game.Play();
    RunSequence(true);
    // A press that drew nothing (no credit, or the ticket was erased meanwhile) must take nothing.
    if (w.game.drawn() == drawnBefore) {
        ++tally_["(PLAY drew nothing)"];
        Require(s.wager == before.wager && s.games == before.games, "a PLAY that drew nothing counted a game");
        return;
    }
    ++games_;
    const std::int32_t bet = s.coinsbet;
    const std::int64_t charge = std::int64_t{s.wager} - before.wager;
    Require(charge == bet, "PLAY took " + std::to_string(charge) + " for a bet of " + std::to_string(bet));
    Require(bet >= 0 && bet <= 5, "a bet of " + std::to_string(bet));
    const std::vector<int> picks = w.board.Picks();
    Require(w.game.picked() == picks, "the game was played on other numbers than those marked");
    const int spots = static_cast<int>(picks.size());
    Require(spots >= 2 && spots <= 10, "a 22-ball game was charged for " + std::to_string(spots) + " spots");
    CheckDraw(w.game.drawn(), "22-ball draw");
    const int hits = Hits(picks, w.game.drawn().data(), Keno22Game::kShown);
    Require(w.game.hits() == hits, "the game counted " + std::to_string(w.game.hits()) + " hits, not " +
                                       std::to_string(hits));
    const auto entry = Keno22PaySchedule::Lookup(spots, hits);
    const std::int32_t win = (hits >= 2 && entry) ? bet * entry->multiplier : 0;
    Require(w.game.win() == win, "the game values the draw at " + std::to_string(w.game.win()) +
                                     " coins, not " + std::to_string(win));
    books_.charged += charge;
    books_.wagered += charge;
    if (WasShown("You Do Not Have Enough credit For This Bet")) ++tally_["(22-ball bet reduced)"];
    if (entry && entry->offer && hits >= 2) {
        ++tally_["(offer opened)"];
        Require(w.game.OfferOpen(), "an offer entry did not open the offer");
        return;
    }
    Require(!w.game.OfferOpen(), "a plain result opened the offer");
    books_.won += win;
    books_.games += 1;
}

void SoakMachine::TakeWin() {
    Window22& w = *program_->keno22;
    Require(w.game.OfferOpen(), "TAKE WIN without an offer");
    const std::vector<int> picks = w.game.picked();
    const int hits = Hits(picks, w.game.drawn().data(), Keno22Game::kShown);
    const auto entry = Keno22PaySchedule::Lookup(static_cast<int>(picks.size()), hits);
    Require(entry.has_value(), "an offer on a result that pays nothing");
    const std::int32_t win = State().coinsbet * entry->multiplier;
    w.game.TakeWin();
    RunSequence(true);
    Require(!w.game.OfferOpen() && w.game.win() == win, "TAKE WIN did not pay the offered win");
    books_.won += win;
}

void SoakMachine::BuyExtraBalls() {
    Window22& w = *program_->keno22;
    const std::int32_t bet = State().coinsbet;
    const bool affordable = bet <= State().bank;
    w.game.BuyExtraBalls();
    RunSequence(true);
    if (!affordable) {
        ++tally_["(extra balls refused)"];
        Require(w.game.OfferOpen() && WasShown("\rYou Do Not Have Enough credit"),
                "an extra-ball bet beyond the credit was not refused");
        return;
    }
    const std::vector<int> picks = w.game.picked();
    const int hits = Hits(picks, w.game.drawn().data(), Keno22Game::kDrawn);
    Require(w.game.hits() == hits, "the extra balls counted the wrong hits");
    const auto entry = Keno22PaySchedule::Lookup(static_cast<int>(picks.size()), hits);
    const std::int32_t win = entry ? bet * entry->multiplier : 0;
    Require(!w.game.OfferOpen() && w.game.win() == win, "the extra balls paid " + std::to_string(w.game.win()) +
                                                            ", not " + std::to_string(win));
    books_.charged += bet;
    books_.won += win;
}

void SoakMachine::Play20() {
    Window20& w = *program_->keno20;
    MachineState& s = State();
    const MachineState before = s;
    const auto drawnBefore = w.game.drawn();
    w.game.Play();
    RunSequence(false);
    if (w.game.drawn() == drawnBefore) {
        ++tally_["(PLAY drew nothing)"];
        Require(s.wager == before.wager && s.games == before.games, "a PLAY that drew nothing counted a game");
        return;
    }
    ++games_;
    const std::int32_t bet = s.coinsbet;
    const std::int64_t charge = std::int64_t{s.wager} - before.wager;
    Require(charge == bet && bet >= 1 && bet <= 5,
            "PLAY took " + std::to_string(charge) + " for a bet of " + std::to_string(bet));
    const std::vector<int> picks = w.board.Picks();
    const int spots = static_cast<int>(picks.size());
    Require(w.game.spots() == spots, "the 20-ball game was played on another spot count than marked");
    Require(spots >= 3 && spots <= 10, "a 20-ball game was charged for " + std::to_string(spots) + " spots");
    CheckDraw(w.game.drawn(), "20-ball draw");
    const int hits = Hits(picks, w.game.drawn().data(), Keno20Game::kBalls);
    Require(w.game.hits() == hits, "the 20-ball game counted the wrong hits");
    const auto pay = Keno20PaySchedule::Lookup(spots, hits);
    const std::int32_t win = pay ? bet * pay->multiplier : 0;
    if (WasShown(".....You Do Not Have Enough Credit For This Bet")) ++tally_["(20-ball bet reduced)"];
    Require(w.game.win() == win, "the 20-ball game paid " + std::to_string(w.game.win()) + ", not " +
                                     std::to_string(win));
    books_.charged += charge;
    books_.wagered += charge;
    books_.won += win;
    books_.games += 1;
}

}  // namespace keno::soak
