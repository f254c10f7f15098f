// The random player: presses only what the window in front would let it press, runs every game
// sequence to its end in virtual time, and presses what stays enabled between its steps.
#include <algorithm>
#include <functional>

#include "keno22/Keno22PaySchedule.h"
#include "tests/soak/SoakMachine.h"

namespace keno::soak {

// A weighted menu of the presses possible right now.
struct Choices {
    struct Item {
        const char* name;
        double weight;
        std::function<void()> action;
    };
    std::vector<Item> items;
    double total = 0;

    void Add(bool possible, const char* name, double weight, std::function<void()> action) {
        if (!possible) return;
        items.push_back({name, weight, std::move(action)});
        total += weight;
    }
    Item& Choose(std::mt19937_64& random) {
        double x = std::uniform_real_distribution<double>(0, total)(random);
        for (auto& item : items)
            if ((x -= item.weight) < 0) return item;
        return items.back();
    }
};

namespace {

constexpr double kInterleave = 0.01;  // chance of a press at each pause of a running sequence

template <std::size_t N>
int Hits(const std::vector<int>& picks, const std::array<int, N>& drawn, int count) {
    int hits = 0;
    for (int i = 0; i < count; ++i) hits += static_cast<int>(std::count(picks.begin(), picks.end(), drawn[i]));
    return hits;
}

}  // namespace

void SoakMachine::Act() {
    ++actions_;
    messenger.shown.clear();
    store_.ClearSaveCalls();
    const bool k22 = State().activegame != "game2";
    ViewModel& v = k22 ? program_->keno22->view : program_->keno20->view;
    clsKenoBoard& board = k22 ? program_->keno22->board : program_->keno20->board;
    Choices c;
    c.Add(v.Enabled("coinsin"), "COINS", State().bank < 5 ? 5 : 1, [&] { Coins(board); });
    c.Add(v.Enabled("makbet"), "MAKE BET", 2, [&] { board.MakeBet(); });
    c.Add(true, "square", 8, [&] { Square(board); });
    c.Add(v.Enabled("btnautoselect"), "AUTO SELECT", 2.5, [&] { board.AutoSelect(); });
    c.Add(v.Enabled("rubber"), "ERASE", board.mustErase() ? 4 : 1, [&] { board.EraseBoard(); });
    c.Add(v.Enabled("start"), "PLAY", 8, [&] { Play(k22); });
    c.Add(k22 && v.Enabled("takwin"), "TAKE WIN", 4, [&] { TakeWin(); });
    c.Add(k22 && (v.Enabled("xtraballs") || v.Enabled("flash")), "EXTRA BALLS", 4, [&] { BuyExtraBalls(); });
    AddTicks(c, k22, 1);
    c.Add(v.Enabled(k22 ? "btn20ball" : "btkeno22"), k22 ? "switch to 20 ball" : "switch to 22 ball", 1.5,
          [&] { SwitchGame(); });
    c.Add(v.Enabled("mnuoptions"), "OPTIONS", 1.2, [&] { Options(); });
    c.Add(!k22 || v.Enabled("mnexit"), "quit and start again", 0.3, [&] { Restart(); });
    Choose(c, k22 ? "22: " : "20: ");
    CheckAll();
}

void SoakMachine::Choose(Choices& c, const std::string& where) {
    auto& chosen = c.Choose(player_);
    Log(where + chosen.name);
    ++tally_[where.substr(where.find_first_not_of(' ')) + chosen.name];
    chosen.action();
}

// Timer1 blinks the hits; tmrflash alternates the offer button (22), timerpay flashes a pay row (20).
void SoakMachine::AddTicks(Choices& c, bool k22, double weight) {
    if (k22) {
        Window22& w = *program_->keno22;
        c.Add(w.view.TimerRunning("Timer1"), "Timer1 tick", weight, [&] { w.game.FlashTick(); });
        c.Add(w.view.TimerRunning("tmrflash"), "tmrflash tick", weight, [&] { w.game.OfferTick(); });
    } else {
        Window20& w = *program_->keno20;
        c.Add(w.view.TimerRunning("Timer1"), "Timer1 tick", weight, [&] { w.game.FlashTick(); });
        c.Add(w.view.TimerRunning("timerpay"), "timerpay tick", weight, [&] { w.payTable.RowFlashTick(); });
    }
}

void SoakMachine::Coins(clsKenoBoard& board) {
    board.InsertCoins();
    books_.invested += 20;
}

void SoakMachine::Square(clsKenoBoard& board) {
    const int n = Pick(1, 80);
    Note(std::to_string(n));
    board.MarkSquare(n);
}

// Between two steps the window handles clicks on what is still enabled and its timer ticks;
// AUTO SELECT and OPTIONS wait for the game, and keno20 holds MAKE BET and ERASE back too
// (its ERASE without credit is refused at once, before the press waits for the game).
void SoakMachine::Interleave(bool k22) {
    const ViewModel& v = k22 ? program_->keno22->view : program_->keno20->view;
    clsKenoBoard& board = k22 ? program_->keno22->board : program_->keno20->board;
    Choices c;
    c.Add(v.Enabled("coinsin"), "COINS", 2, [&] { Coins(board); });
    c.Add(k22 && v.Enabled("makbet"), "MAKE BET", 2, [&] { board.MakeBet(); });
    c.Add(v.Enabled("rubber") && (k22 || State().bank < 1), "ERASE", k22 ? 2 : 1, [&] { board.EraseBoard(); });
    c.Add(true, "square", 2, [&] { Square(board); });
    AddTicks(c, k22, 3);
    Choose(c, "  during: ");
}

void SoakMachine::RunSequence(bool k22) {
    for (int steps = 0;; ++steps) {
        const auto pause = k22 ? program_->keno22->game.Advance() : program_->keno20->game.Advance();
        if (!pause) break;
        Require(*pause >= 0, "a negative pause");
        clock.Pass(*pause);
        Require(State().bank >= 0, "credit below zero in the middle of a game");
        Require(steps < 100000, "a game sequence never ended");
        if (Chance(kInterleave)) Interleave(k22);
    }
}

// PLAY in either window, checked against the board and the pay schedule from outside the engines.
void SoakMachine::Play(bool k22) {
    MachineState& s = State();
    const MachineState before = s;
    const auto drawn = [&] {
        return k22 ? std::vector<int>(program_->keno22->game.drawn().begin(), program_->keno22->game.drawn().end())
                   : std::vector<int>(program_->keno20->game.drawn().begin(), program_->keno20->game.drawn().end());
    };
    const std::vector<int> drawnBefore = drawn();
    if (k22) program_->keno22->game.Play();
    else program_->keno20->game.Play();
    RunSequence(k22);
    // A press that drew nothing (no credit, or the ticket was erased meanwhile) must take nothing.
    if (drawn() == drawnBefore) {
        ++tally_["(PLAY drew nothing)"];
        Require(s.wager == before.wager && s.games == before.games, "a PLAY that drew nothing counted a game");
        return;
    }
    ++games_;
    const std::int32_t bet = s.coinsbet;
    const std::int64_t charge = std::int64_t{s.wager} - before.wager;
    Require(charge == bet && bet >= (k22 ? 0 : 1) && bet <= 5,
            "PLAY took " + std::to_string(charge) + " for a bet of " + std::to_string(bet));
    const std::vector<int> played = k22 ? program_->keno22->board.Picks() : program_->keno20->board.Picks();
    const int spots = static_cast<int>(played.size());
    Require(spots >= (k22 ? 2 : 3) && spots <= 10, "a game was charged for " + std::to_string(spots) + " spots");
    books_.charged += charge;
    books_.wagered += charge;
    if (WasShown(k22 ? "You Do Not Have Enough credit For This Bet"
                     : ".....You Do Not Have Enough Credit For This Bet"))
        ++tally_[k22 ? "(22-ball bet reduced)" : "(20-ball bet reduced)"];
    std::int32_t win = 0;
    if (k22) {
        Keno22Game& game = program_->keno22->game;
        Require(game.picked() == played, "the game was played on other numbers than those marked");
        CheckDraw(game.drawn(), "22-ball draw");
        const int hits = Hits(played, game.drawn(), Keno22Game::kShown);
        Require(game.hits() == hits, "the 22-ball game counted the wrong hits");
        const auto entry = Keno22PaySchedule::Lookup(spots, hits);
        win = (hits >= 2 && entry) ? bet * entry->multiplier : 0;
        Require(game.win() == win, "the 22-ball game valued the draw at " + std::to_string(game.win()) +
                                       ", not " + std::to_string(win));
        Require(game.OfferOpen() == (entry && entry->offer && hits >= 2), "the offer opened on the wrong result");
        if (game.OfferOpen()) return void(++tally_["(offer opened)"]);
    } else {
        Keno20Game& game = program_->keno20->game;
        Require(game.spots() == spots, "the 20-ball game was played on another spot count than marked");
        CheckDraw(game.drawn(), "20-ball draw");
        const int hits = Hits(played, game.drawn(), Keno20Game::kBalls);
        Require(game.hits() == hits, "the 20-ball game counted the wrong hits");
        const auto pay = Keno20PaySchedule::Lookup(spots, hits);
        win = pay ? bet * pay->multiplier : 0;
        Require(game.win() == win, "the 20-ball game paid " + std::to_string(game.win()) + ", not " +
                                       std::to_string(win));
    }
    books_.won += win;
    books_.games += 1;
}

void SoakMachine::TakeWin() {
    Keno22Game& game = program_->keno22->game;
    Require(game.OfferOpen(), "TAKE WIN without an offer");
    const int hits = Hits(game.picked(), game.drawn(), Keno22Game::kShown);
    const auto entry = Keno22PaySchedule::Lookup(game.spots(), hits);
    Require(entry.has_value(), "an offer on a result that pays nothing");
    const std::int32_t win = State().coinsbet * entry->multiplier;
    game.TakeWin();
    RunSequence(true);
    Require(!game.OfferOpen() && game.win() == win, "TAKE WIN did not pay the offered win");
    books_.won += win;
}

void SoakMachine::BuyExtraBalls() {
    Keno22Game& game = program_->keno22->game;
    const std::int32_t bet = State().coinsbet;
    const bool affordable = bet <= State().bank;
    game.BuyExtraBalls();
    RunSequence(true);
    if (!affordable) {
        ++tally_["(extra balls refused)"];
        Require(game.OfferOpen() && WasShown("\rYou Do Not Have Enough credit"),
                "an extra-ball bet beyond the credit was not refused");
        return;
    }
    const int hits = Hits(game.picked(), game.drawn(), Keno22Game::kDrawn);
    Require(game.hits() == hits, "the extra balls counted the wrong hits");
    const auto entry = Keno22PaySchedule::Lookup(game.spots(), hits);
    const std::int32_t win = entry ? bet * entry->multiplier : 0;
    Require(!game.OfferOpen() && game.win() == win,
            "the extra balls paid " + std::to_string(game.win()) + ", not " + std::to_string(win));
    books_.charged += bet;
    books_.won += win;
}

}  // namespace keno::soak
