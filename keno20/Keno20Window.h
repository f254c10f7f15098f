#pragma once
#include <QMainWindow>

#include <memory>

#include "core/ViewModel.h"

namespace keno {

class GameHost;
class clsKenoBoard;
class Keno20Game;
class Keno20PayTable;

// The "K E N O" window: the 20-ball game with its pay table beside the board. Created by the shell
// on the first switch to it, then only hidden and shown.
class Keno20Window : public QMainWindow {
    Q_OBJECT
public:
    explicit Keno20Window(GameHost& host, QWidget* parent = nullptr);
    ~Keno20Window() override;

    // The load steps: slot 1's record (the shell saves the slot in use first), caption, bet 1, board.
    void Load();

    ViewModel& View();
    clsKenoBoard& Board();
    Keno20Game& Game();
    Keno20PayTable& PayTable();

    void Redraw();
    void StopHitBlink();
    // Runs the work of a press still in its press effect (before the window is left).
    void FinishPendingPress();
    // Shows the loaded player, credit and bet, and the pay table for the spots and bet (coming
    // back into view, the options dialog closed); not while a draw runs.
    void ShowMachineState();
    // For shut-down: finishes a running draw at once.
    void SettleForShutdown();

protected:
    void closeEvent(QCloseEvent* event) override;
    // The credit, bet and player are the machine's: the other game may have changed them.
    void showEvent(QShowEvent* event) override;

private:
    struct Impl;
    std::unique_ptr<Impl> impl_;
};

}  // namespace keno
