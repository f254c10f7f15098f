#pragma once
#include <array>
#include <cstdint>
#include <vector>

#include "core/Cue.h"
#include "core/MachineState.h"
#include "core/Message.h"
#include "core/RandomSource.h"
#include "core/ViewModel.h"

namespace keno {

struct BoardRuleSet;
struct BoardRefusal;

// Which window's betting rules the board applies (messages, limits and enabling differ).
enum class BoardRules { Keno22, Keno20 };

// What the board needs to know of the game beside it, without depending on the game engine.
class GameQuery {
public:
    virtual ~GameQuery() = default;
    virtual bool OfferOpen() const = 0;  // the 22-ball extra-ball offer is open (outcome 2)
};

// The 20-ball window's on-screen pay table, as the board drives it.
class PayTableHooks {
public:
    virtual ~PayTableHooks() = default;
    virtual void ClearSchedule() = 0;
    virtual void ShowSchedule(int spots, int coinsbet) = 0;
    virtual void RevealRows() = 0;
    virtual void StopRowFlash() = 0;
};

// The board and betting engine of a game window: marked numbers, spot count, the erase flag and
// the COINS / MAKE BET / AUTO SELECT / ERASE / square-click operations. Every operation writes the
// window's view (squares, labels "spts" "betpan" and the credit label, the enabling of "start",
// "rubber", "makbet", timer "Timer1"), plays at most one cue and raises at most one message.
class clsKenoBoard {
public:
    clsKenoBoard(BoardRules rules, MachineState& state, ViewModel& view, SoundSink& sound,
                 Messenger& messenger, RandomSource& random);

    void SetGameQuery(const GameQuery* query) { game_ = query; }
    void SetPayTable(PayTableHooks* table) { payTable_ = table; }

    void MarkSquare(int number);
    void AutoSelect();
    void EraseBoard();
    void MakeBet();
    void InsertCoins();
    // Unmarks and repaints every square, spots 0, mustErase untouched; the 20-ball ERASE and the
    // 20-ball PLAY's refusal use it (on the 22-ball board it is ERASE without its checks).
    void ClearBoard();

    // The marked numbers in ascending order; spots() always equals their count.
    std::vector<int> Picks() const;
    void Picks(std::vector<int>& out) const;  // the same into out, reusing its storage
    bool IsMarked(int number) const { return marked_.at(number); }
    std::int16_t spots() const { return spots_; }
    bool mustErase() const { return mustErase_; }
    void SetMustErase() { mustErase_ = true; }  // PLAY starts a game on these numbers

    // Paints every square plain (black, number blue), keeping the pictures.
    void PaintAllPlain();
    // Gives every marked square its marked picture again (a game start redraws the picks).
    void ShowMarkPictures();
    // The window comes back into view, or the options dialog closed: credit and bet may have
    // changed, so the meters are shown again and MAKE BET, PLAY (and ERASE with PLAY) follow them.
    void ShowMachineState();
    // What the next AUTO SELECT would draw before its default of 10 applies: the count a refused
    // AUTO SELECT kept, else spots().
    std::int16_t PendingAutoSelectCount() const;
    // Name of the credit label of this window: "panelbank" (22) or "lblcredit" (20).
    const char* CreditLabel() const;

private:
    // (implementation's own members)
    void Mark(int number, bool on);
    void EnableForCredit();
    void UnmarkAll();
    void Paint(SquareBackground background);
    void ResetBoard();
    void Refuse(const BoardRefusal& refusal);
    void StopHitFlash();
    void StopRowFlash();
    void ShowSchedule();
    void ClearSchedule();
    void EnablePlayIf(bool condition);

    BoardRules rules_;
    const BoardRuleSet& set_;
    MachineState& state_;
    ViewModel& view_;
    SoundSink& sound_;
    Messenger& messenger_;
    RandomSource& random_;
    const GameQuery* game_ = nullptr;
    PayTableHooks* payTable_ = nullptr;
    std::array<bool, 81> marked_{};
    std::int16_t spots_ = 0;
    std::int16_t autoSelectCount_ = 0;  // count a refused AUTO SELECT keeps for the next one
    bool mustErase_ = false;
};

}  // namespace keno
