#pragma once
#include <QRect>

#include <array>

#include "gamewindow/GameWindow.h"
#include "keno20/Keno20Game.h"
#include "keno20/Keno20PaySchedule.h"

class QTimer;

namespace keno {

// The "K E N O" window: the 20-ball game with its pay table beside the board, over the
// game-window frame. Created by the shell on the first switch to it, then only hidden and shown.
class Keno20Window final : public GameWindow {
    Q_OBJECT
public:
    explicit Keno20Window(GameHost& host, QWidget* parent = nullptr);
    ~Keno20Window() override;

    Keno20Game& Game() { return game_; }
    Keno20PayTable& PayTable() { return payTable_; }
    void StopHitBlink() override;
    bool GameRunning() const override { return game_.Running(); }

private:
    void BuildFace() override;
    void BuildBoard();
    void BuildMeters();
    void BuildPayTable();
    void BuildButtons();
    void BuildTimers() override;
    void WireControls() override;
    // Slot 1's record (the shell saves the slot in use first), caption, bet 1, board.
    void LoadGame() override;
    std::optional<int> AdvanceGame() override { return game_.Advance(); }
    void SettleGame() override { game_.SettleNow(); }
    // The pay table for the spots and bet.
    void ShowMoreMachineState() override;
    // The row the flash is about is lit in the win colour while the flash runs.
    void SyncGame(bool everything) override;
    // Where row 1..7 of the pay table stands, in twips.
    static QRect PayRowRect(int row);

    Keno20PayTable payTable_;
    Keno20Game game_;
    QTimer* timerpay_ = nullptr;
    std::array<LitLabel*, Keno20PaySchedule::kRows + 1> hitLabels_{};  // index 1..7
    std::array<LitLabel*, Keno20PaySchedule::kRows + 1> winLabels_{};
    QWidget* winningBar_ = nullptr;  // behind the winning row
};

}  // namespace keno
