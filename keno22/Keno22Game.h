#pragma once
#include <array>
#include <cstdint>
#include <initializer_list>
#include <optional>
#include <vector>

#include "board/KenoBoard.h"
#include "core/Clock.h"
#include "core/Cue.h"
#include "core/GameRecorder.h"
#include "core/MachineState.h"
#include "core/Message.h"
#include "core/RandomSource.h"
#include "core/Steps.h"
#include "core/ViewModel.h"

namespace keno {

// The 22-ball game: PLAY (charge, draw 22, show 20 balls, value, settle or offer), the extra-ball
// offer with TAKE WIN and the two extra balls, and the blink timers of the window.
//
// PLAY, TAKE WIN and the extra balls are paced sequences: the operation only arms the sequence,
// the host calls Advance() at once and again after each pause it returns, until it returns nothing.
// Between steps the window handles its events (timer ticks, clicks on controls still enabled).
class Keno22Game final : public GameQuery {
public:
    static constexpr int kDrawn = 22;
    static constexpr int kShown = 20;
    static constexpr int kLeftOdd = 8130;    // rack column of the odd draw positions
    static constexpr int kLeftEven = 8700;   // and of the even ones
    static constexpr int kRackBottom = 5000; // Top of the bottom row of the rack

    enum class Outcome : std::int16_t { None = 0, Settled = 1, Offer = 2 };

    Keno22Game(MachineState& state, clsKenoBoard& board, ViewModel& view, SoundSink& sound,
               Messenger& messenger, RandomSource& random, Clock& clock);
    ~Keno22Game() override;
    Keno22Game(const Keno22Game&) = delete;
    Keno22Game& operator=(const Keno22Game&) = delete;

    // Button presses. Each arms its sequence; a press while a sequence runs is ignored.
    void Play();
    void TakeWin();
    void BuyExtraBalls();

    // Runs the armed sequence up to its next pause (ms); nothing once it has finished.
    std::optional<int> Advance();
    bool Running() const { return !sequence_.Done(); }
    // Finishes the running sequence at once, without its pauses: same numbers, same result.
    void SettleNow();

    // Where each settled game is reported, once (null: nobody).
    void SetRecorder(GameRecorder* recorder) { recorder_ = recorder ? recorder : &NoRecorder(); }

    void FlashTick();  // Timer1: blink of the hit squares
    void OfferTick();  // tmrflash: the offer button alternates its two pictures

    bool OfferOpen() const override { return outcome_ == Outcome::Offer; }
    // A draw, the extra balls or an open offer: the game is not over, so its window must stay.
    bool Busy() const { return Running() || OfferOpen(); }

    Outcome outcome() const { return outcome_; }
    const std::array<int, kDrawn>& drawn() const { return drawn_; }  // draw order; [20], [21] extra
    const std::vector<int>& picked() const { return picked_; }        // ascending, taken at PLAY
    int spots() const { return static_cast<int>(picked_.size()); }
    std::int16_t hits() const { return hits_; }
    const std::vector<int>& hitlist() const { return hitlist_; }
    std::int32_t win() const { return win_; }
    // The bet the current or last game was charged: its win, take-win and extra balls go by it.
    std::int16_t bet() const { return bet_; }
    std::int16_t blinkphase() const { return blinkphase_; }
    std::int16_t offerphase() const { return offerphase_; }
    std::int16_t landingtop() const { return landingtop_; }
    std::int16_t bouncestep() const { return bouncestep_; }

private:
    Steps PlaySteps();
    Steps MainBallSteps(int position);
    Steps TakeWinSteps();
    Steps ExtraBallsSteps();
    Steps ExtraBallSteps(int position);

    static int Column(int position) { return position % 2 == 1 ? kLeftOdd : kLeftEven; }
    int ReelPause() const;
    void PaintDrawnSquare(int number);
    void ShowBall(int position);
    void CheckHit(int number);
    void Value();
    void PostMainDraw();
    void OpenOffer();
    void SettleExtraBalls();
    void EnableAfterGame();
    void EnableControls(std::initializer_list<const char*> names, bool enabled);
    void ShowNumber(const char* label, std::int32_t value);
    void PlayFanfare(std::int32_t amount, bool takeWin);
    int LandingWaitMs();
    void Report(OfferChoice offer);
    // Adds to a meter; one that would pass INT32_MAX stays where it is rather than wrapping.
    static void AddTo(std::int32_t& meter, std::int32_t amount);

    MachineState& state_;
    clsKenoBoard& board_;
    ViewModel& view_;
    SoundSink& sound_;
    Messenger& messenger_;
    RandomSource& random_;
    Clock& clock_;

    Outcome outcome_ = Outcome::None;
    std::array<int, kDrawn> drawn_{};
    std::vector<int> picked_;
    std::int16_t hits_ = 0;
    std::vector<int> hitlist_;
    std::int32_t win_ = 0;
    std::int16_t bouncestep_ = 100;
    std::int16_t landingtop_ = kRackBottom;
    std::int16_t blinkphase_ = 0;
    std::int16_t offerphase_ = 0;
    std::int16_t bet_ = 0;       // charged at PLAY
    std::int16_t extraBet_ = 0;  // charged for the extra balls
    GameRecorder* recorder_ = &NoRecorder();
    bool settling_ = false;  // SettleNow is running the sequence: no flight to animate

    Steps sequence_;  // last: destroyed first, while the state its frame refers to is still alive
};

}  // namespace keno
