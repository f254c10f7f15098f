#pragma once
#include <QMainWindow>

#include <memory>

#include "core/ViewModel.h"

namespace keno {

class GameHost;
class clsKenoBoard;
class Keno22Game;

// The "K E N O 22" window: forwards its buttons and timers to the board and game engines and
// draws the view model they leave. Created once by the shell and then only hidden and shown.
class Keno22Window : public QMainWindow {
    Q_OBJECT
public:
    explicit Keno22Window(GameHost& host, QWidget* parent = nullptr);
    ~Keno22Window() override;

    // The load steps: slot 1's record, caption, meters, start-up sound, board, buttons.
    void Load();

    ViewModel& View();
    clsKenoBoard& Board();
    Keno22Game& Game();

    // Draws every control from the view model (after engine work done from outside, e.g. options).
    void Redraw();
    // Stops the hit blink (switching to the 20-ball game).
    void StopHitBlink();
    // Runs the work of a press still in its press effect (before the window is left).
    void FinishPendingPress();
    // Shows the loaded player, credit and bet, with the buttons they light (coming back into view,
    // the options dialog closed); not while a draw runs.
    void ShowMachineState();
    // For shut-down: finishes a running draw or extra balls at once and takes an open offer.
    void SettleForShutdown();

protected:
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    struct Impl;
    std::unique_ptr<Impl> impl_;
};

}  // namespace keno
