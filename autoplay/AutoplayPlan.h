#pragma once
#include <array>
#include <cstdint>
#include <string>

namespace keno {

// What autoplay does when a 22-ball game opens the extra-ball offer.
enum class OfferAnswer : std::uint8_t { AskMe, TakeWin, Buy };

// The choices of the autoplay dialog.
struct AutoplaySettings {
    static constexpr std::array<int, 5> kGameCounts{5, 10, 25, 50, 100};

    int games = 10;             // one of kGameCounts
    bool stopBelowBet = true;   // stop before a game (or a purchase) the credit cannot pay in full
    std::int32_t stopOnWin = 0; // stop after a win of at least this many coins; 0: never
    OfferAnswer offer = OfferAnswer::AskMe;

    bool operator==(const AutoplaySettings&) const = default;
};

// Why autoplay ended.
enum class StopReason : std::uint8_t {
    Done,            // every game asked for was played
    CreditBelowBet,  // the next game or purchase would need more than the credit
    BigWin,          // a win of at least the amount set
    PlayerStopped,   // a key or a click on the window
    Refused,         // the game answered a press with a message (no credit, no bet, too few numbers)
    NoGame,          // PLAY did not start a game
    OfferLeft,       // the offer's button took no press: the offer is the player's to answer
    WindowLeft,      // the window was hidden, disabled or the machine is ending
};

// The rules of an autoplay run, without a window: the games left, when to stop and how to answer
// the offer. It never plays anything itself; the game window's own PLAY path does, so a run can do
// nothing a player could not do by hand, and nothing faster.
class AutoplayPlan {
public:
    enum class OfferMove : std::uint8_t {
        Wait,      // ask me: the player answers, autoplay goes on after the game has settled
        TakeWin,
        Buy,
        Stop,      // buying would need more than the credit: stop, leaving the offer to the player
    };

    explicit AutoplayPlan(AutoplaySettings settings);

    const AutoplaySettings& Settings() const { return settings_; }
    // Games asked for that have not settled yet (the one in progress among them).
    int GamesLeft() const { return left_; }
    int GamesPlayed() const { return settings_.games - left_; }

    // Whether the next game may start at this credit and bet; the reason to stop when it may not.
    bool MayPlay(std::int32_t credit, int bet, StopReason& why) const;
    // A game settled with this win: counted; true with the reason when the run stops here.
    bool Settled(std::int32_t win, StopReason& why);
    // The answer to an open offer at this credit and the game's bet.
    OfferMove AtOffer(std::int32_t credit, int bet) const;

    // A key or a click: the run ends after the game in progress.
    void RequestStop() { stopRequested_ = true; }
    bool StopRequested() const { return stopRequested_; }

    // The counter's line while the run goes on: "12 GAMES LEFT", the answer awaited, or the stop
    // coming.
    std::string CounterText(bool waitingForOffer) const;
    // The line left on the face when the run has ended (empty when the window was left).
    std::string StopText(StopReason why, std::int32_t lastWin) const;

private:
    AutoplaySettings settings_;
    int left_;
    bool stopRequested_ = false;
};

}  // namespace keno
