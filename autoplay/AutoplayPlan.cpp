#include "autoplay/AutoplayPlan.h"

#include <algorithm>

namespace keno {

namespace {

std::string Games(int n) { return std::to_string(n) + (n == 1 ? " GAME" : " GAMES"); }

}  // namespace

AutoplayPlan::AutoplayPlan(AutoplaySettings settings) : settings_(settings), left_(std::max(settings.games, 0)) {}

bool AutoplayPlan::MayPlay(std::int32_t credit, int bet, StopReason& why) const {
    if (stopRequested_) {
        why = StopReason::PlayerStopped;
        return false;
    }
    if (left_ <= 0) {
        why = StopReason::Done;
        return false;
    }
    // Without this check the game itself refuses (no credit) or cuts the bet with a message,
    // and that message stops the run.
    if (settings_.stopBelowBet && credit < bet) {
        why = StopReason::CreditBelowBet;
        return false;
    }
    return true;
}

bool AutoplayPlan::Settled(std::int32_t win, StopReason& why) {
    if (left_ > 0) --left_;
    if (settings_.stopOnWin > 0 && win >= settings_.stopOnWin) {
        why = StopReason::BigWin;
        return true;
    }
    // The other reasons are found before the next game, so a stop asked for during the game and
    // the end of the count read the same whichever came first.
    return false;
}

AutoplayPlan::OfferMove AutoplayPlan::AtOffer(std::int32_t credit, int bet) const {
    switch (settings_.offer) {
        case OfferAnswer::AskMe: return OfferMove::Wait;
        case OfferAnswer::TakeWin: return OfferMove::TakeWin;
        case OfferAnswer::Buy:
            // The extra balls cost the game's bet again; short of it the game would refuse with
            // a message and leave the offer open without TAKE WIN. The player decides instead.
            if (settings_.stopBelowBet && credit < bet) return OfferMove::Stop;
            return OfferMove::Buy;
    }
    return OfferMove::Wait;
}

std::string AutoplayPlan::CounterText(bool waitingForOffer) const {
    if (stopRequested_) return "AUTOPLAY STOPS AFTER THIS GAME";
    if (waitingForOffer) return "AUTOPLAY: YOUR ANSWER TO THE OFFER, " + Games(left_) + " LEFT  (ESC STOPS)";
    return "AUTOPLAY: " + Games(left_) + " LEFT  (ANY KEY STOPS)";
}

std::string AutoplayPlan::StopText(StopReason why, std::int32_t lastWin) const {
    switch (why) {
        case StopReason::Done: return "AUTOPLAY DONE: " + Games(GamesPlayed()) + " PLAYED";
        case StopReason::CreditBelowBet: return "AUTOPLAY STOPPED: THE CREDIT IS BELOW THE BET";
        case StopReason::BigWin: return "AUTOPLAY STOPPED: A WIN OF " + std::to_string(lastWin);
        case StopReason::PlayerStopped: return "AUTOPLAY STOPPED AFTER " + Games(GamesPlayed());
        case StopReason::Refused: return "AUTOPLAY STOPPED BY THE GAME'S MESSAGE";
        case StopReason::NoGame: return "AUTOPLAY STOPPED: MARK YOUR NUMBERS AND MAKE A BET";
        case StopReason::OfferLeft: return "AUTOPLAY STOPPED: THE OFFER IS YOURS TO ANSWER";
        case StopReason::WindowLeft: break;
    }
    return {};
}

}  // namespace keno
