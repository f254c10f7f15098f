#pragma once
#include <array>
#include <cstdint>
#include <optional>

#include "board/KenoBoard.h"
#include "core/Cue.h"
#include "core/GameRecorder.h"
#include "core/MachineState.h"
#include "core/Message.h"
#include "core/RandomSource.h"
#include "core/Steps.h"
#include "core/ViewModel.h"
#include "keno20/Keno20PaySchedule.h"

namespace keno {

// The play sequence of the 20-ball window: PLAY charges the bet, draws 20 balls one by one,
// pays from the schedule and posts the result; Timer1 then blinks the hit squares.
class Keno20Game final {
public:
    static constexpr int kBalls = 20;
    static constexpr int kMaxHits = 10;
    static constexpr int kMinSpots = 3;
    static constexpr int kMaxBet = 5;

    Keno20Game(MachineState& state, clsKenoBoard& board, Keno20PayTable& payTable, ViewModel& view,
               SoundSink& sound, Messenger& messenger, RandomSource& random);

    // Starts the paced sequence; the host calls Advance() at once and after each pause. Ignored
    // while a game is running.
    void Play();
    // Runs to the next pause and returns it in ms; nothing when the sequence has finished.
    std::optional<int> Advance();
    bool Running() const { return !steps_.Done(); }
    // Completes a running game at once: same numbers, same result, no pauses.
    void SettleNow();

    // Where each settled game is reported, once (null: nobody).
    void SetRecorder(GameRecorder* recorder) { recorder_ = recorder ? recorder : &NoRecorder(); }

    // Timer1 (200 ms): the hit squares show the hit picture for one tick and the plain red
    // number for two.
    void FlashTick();
    void StopHitBlink();

    // The current or last game, in draw order; zeros before the first game.
    const std::array<int, kBalls>& drawn() const { return drawn_; }
    // The spot count the current or last game is played on.
    int spots() const { return spots_; }
    int hits() const { return hits_; }
    // Slot i (1..10) is element i-1: the hit numbers in draw order, 0 beyond hits().
    const std::array<int, kMaxHits>& hitlist() const { return hitlist_; }
    // Coins won by the last settled game (0 when it paid nothing).
    std::int32_t win() const { return win_; }
    // The bet the current or last game was charged, after any reduction: its win goes by it.
    std::int16_t bet() const { return bet_; }
    int blinkphase() const { return blinkphase_; }

    // The controls a running game locks. AUTO SELECT and OPTIONS are locked too: either one
    // mid-draw would change the picks or the player the game is settled against.
    static constexpr std::array<const char*, 7> kLockedControls{
        "coinsin", "makbet", "rubber", "start", "btkeno22", "btnautoselect", "mnuoptions"};

private:
    Steps PlaySequence();
    bool Admit();
    void Charge();
    void StartGame();
    void PrepareBoard();
    void ShowBall(int number);
    void Settle();
    void Announce();
    void Post();
    void LockControls(bool locked);
    void Report();
    // A meter that would pass INT32_MAX stays where it is rather than wrapping.
    static void AddTo(std::int32_t& meter, std::int32_t amount);

    MachineState& state_;
    clsKenoBoard& board_;
    Keno20PayTable& payTable_;
    ViewModel& view_;
    SoundSink& sound_;
    Messenger& messenger_;
    RandomSource& random_;

    std::array<int, kBalls> drawn_{};
    std::array<int, kMaxHits> hitlist_{};
    std::array<bool, 81> picked_{};  // the picks the running game is played on
    int spots_ = 0;                  // their count
    std::int16_t bet_ = 0;           // the bet actually played, after any reduction
    int hits_ = 0;
    std::int32_t win_ = 0;
    int blinkphase_ = 0;  // never reset: a new blink carries on from the old phase
    GameRecorder* recorder_ = &NoRecorder();

    Steps steps_;  // last: its frame goes first, while the members it refers to still live
};

}  // namespace keno
