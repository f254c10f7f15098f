#include "recall/RecallReplay.h"

#include <algorithm>

namespace keno {

RecallReplay::RecallReplay(GameRecord record) : record_(std::move(record)), extraOf_(81, 0) {
    balls_ = record_.game.drawn;
    balls_.insert(balls_.end(), record_.game.extra.begin(), record_.game.extra.end());
    for (std::size_t i = 0; i < balls_.size(); ++i) {
        const int n = balls_[i];
        if (n >= 1 && n <= 80) extraOf_[static_cast<std::size_t>(n)] = IsExtra(i) ? 2 : 1;
    }
}

RecallReplay::Square RecallReplay::SquareAt(int number) const {
    if (number < 1 || number > 80) return Square::Plain;
    const auto& ticket = record_.game.ticket;
    const bool marked = std::find(ticket.begin(), ticket.end(), number) != ticket.end();
    const auto fallen = std::find(balls_.begin(), balls_.begin() + static_cast<std::ptrdiff_t>(shown_), number);
    if (fallen == balls_.begin() + static_cast<std::ptrdiff_t>(shown_)) return marked ? Square::Marked : Square::Plain;
    const bool extra = IsExtra(static_cast<std::size_t>(fallen - balls_.begin()));
    if (extra) return marked ? Square::ExtraHit : Square::ExtraDrawn;
    return marked ? Square::Hit : Square::Drawn;
}

int RecallReplay::HitsSoFar() const {
    const auto& ticket = record_.game.ticket;
    return static_cast<int>(std::count_if(balls_.begin(), balls_.begin() + static_cast<std::ptrdiff_t>(shown_),
                                          [&](int n) { return std::find(ticket.begin(), ticket.end(), n) != ticket.end(); }));
}

Steps RecallReplay::Run() {
    shown_ = 0;
    finished_ = false;
    co_yield kLeadInMs;
    while (shown_ < balls_.size()) {
        ++shown_;
        co_yield IsExtra(shown_ - 1) ? kExtraBallMs : kBallMs;
    }
    finished_ = true;
}

void RecallReplay::ShowAll() {
    shown_ = balls_.size();
    finished_ = true;
}

namespace recalltext {

std::string GameName(int game) { return game == 20 ? "K E N O" : "K E N O 22"; }

std::string Ticket(const std::vector<int>& ticket) {
    std::string text;
    for (int n : ticket) text += (text.empty() ? "" : " ") + std::to_string(n);
    return text;
}

std::string Hits(const SettledGame& game) {
    return std::to_string(game.hits) + " of " + std::to_string(game.ticket.size());
}

std::string Bet(const SettledGame& game) {
    std::string text = std::to_string(game.bet);
    if (game.extraBet > 0) text += " + " + std::to_string(game.extraBet);
    return text;
}

std::string Win(const SettledGame& game) { return std::to_string(game.win); }

std::string Result(const SettledGame& game) {
    std::string text = Hits(game) + " hit";
    if (game.offer == OfferChoice::Bought) text += ", extra balls bought for " + std::to_string(game.extraBet);
    if (game.offer == OfferChoice::TookWin) text += ", the win taken at the offer";
    return text + (game.win > 0 ? ": WIN " + std::to_string(game.win) : ": NO WIN");
}

}  // namespace recalltext

}  // namespace keno
