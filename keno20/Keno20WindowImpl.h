#pragma once
// The inside of the "K E N O" window, shared by its source files only.
#include <QPointer>
#include <QRect>
#include <QTimer>

#include "board/KenoBoard.h"
#include "keno20/Keno20Game.h"
#include "keno20/Keno20PaySchedule.h"
#include "keno20/Keno20Window.h"
#include "keno20/Keno20WindowSync.h"
#include "host/GameHost.h"
#include "gamewindow/PacedRunner.h"
#include "gamewindow/PendingPress.h"
#include "host/QtMessenger.h"

namespace keno {

class ImageButton;
class LitLabel;
class TwipFace;

struct Keno20Window::Impl {
    Impl(Keno20Window& owner, GameHost& machine);

    // Keno20WindowFace.cpp: the controls, their names, places and tooltips; menu; timers.
    void BuildFace();
    void BuildBoard();
    void BuildMeters();
    void BuildPayTable();
    void BuildButtons();
    void BuildMenu();
    void BuildTimers();
    // Where row 1..7 of the pay table stands, in twips.
    static QRect PayRowRect(int row);

    // Keno20WindowControls.cpp: what each control does.
    void ConnectControls();
    void OnSquare(int number);
    void OnCoinsPressed();
    void OnMakeBetPressed();
    void OnErase();
    void OnAutoSelect();
    void OnPlay();
    void OnOptionsPressed();
    // The press effect of an image (its picture leaves for 100 ms), then the board operation.
    void AfterPress(ImageButton* button, void (clsKenoBoard::*operation)());

    // Draws what the engines left in the view model; only what changed is touched.
    void Sync();
    void MarkWinningRow();

    ImageButton* Button(const char* name) const;

    Keno20Window& window;
    GameHost& app;
    ViewModel view;
    QtMessenger messenger;
    Keno20PayTable payTable;
    clsKenoBoard board;
    Keno20Game game;

    TwipFace* face = nullptr;
    QTimer* timer1 = nullptr;
    QTimer* timerpay = nullptr;
    PendingPress* pending = nullptr;  // "pressdelay": the 100 ms of a press before its operation
    PacedRunner* runner = nullptr;
    ViewSync sync;
    std::array<LitLabel*, Keno20PaySchedule::kRows + 1> hitLabels{};  // index 1..7
    std::array<LitLabel*, Keno20PaySchedule::kRows + 1> winLabels{};
    LitLabel* playerLabel = nullptr;
    QWidget* winningBar = nullptr;  // the caption, repeated on the face
};

}  // namespace keno
