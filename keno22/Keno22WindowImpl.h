#pragma once
// Inside of the 22-ball window, shared by its source files (face, sync, events).
#include <QAction>
#include <QPointer>
#include <QRect>
#include <QTimer>

#include <array>
#include <map>
#include <memory>
#include <string>

#include "board/KenoBoard.h"
#include "core/ViewModel.h"
#include "keno22/Keno22Game.h"
#include "keno22/Keno22Window.h"
#include "host/GameHost.h"
#include "gamewindow/PacedRunner.h"
#include "gamewindow/PendingPress.h"
#include "host/QtMessenger.h"

namespace keno {

class TwipFace;
class BoardSquare;
class BallWidget;
class ImageButton;
class MeterLabel;
class LitLabel;

// The face is the design's window moved down by kFaceTop twips to make room for the title; the
// board and the rack keep their relative geometry.
namespace keno22face {
inline constexpr int kFaceTop = 900;
inline constexpr QSize kDesign(12000, 8500);
inline constexpr int kBallSize = 480;
inline constexpr std::array<int, 10> kColumns{150, 930, 1710, 2490, 3270, 4050, 4830, 5610, 6390, 7170};
inline constexpr std::array<int, 8> kRows{60, 750, 1440, 2130, 3270, 3960, 4650, 5340};
inline constexpr int kSquareWidth = 735;
inline constexpr int kSquareHeight = 630;
// Where square `number` stands on the face, in twips.
QRect SquareTwips(int number);
// Where a ball with the design's Left/Top stands on the face, in twips.
QRect BallTwips(int left, int top);
}  // namespace keno22face

struct Keno22Window::Impl {
    Impl(Keno22Window& window, GameHost& app);

    // Face (Keno22WindowFace.cpp)
    void BuildFace();
    void BuildMenu();
    void BuildTimers();
    ImageButton* AddButton(const char* name, const QString& caption, const QColor& colour, const QRect& twips,
                           const char* tooltip);
    MeterLabel* AddMeter(const char* name, const QString& caption, const QRect& twips, const QColor& digits,
                         int cells);

    // Sync from the view model (Keno22WindowSync.cpp)
    void Sync(bool everything = false);
    void SyncSquares(bool everything);
    void SyncBalls(bool everything);
    void SyncControls(bool everything);
    void SyncTexts(bool everything);
    void SyncTimers();
    void ApplyControl(const std::string& name, const ControlView& control);

    // Events (Keno22WindowEvents.cpp)
    void Connect();
    void ConnectPressEffect(ImageButton* button);
    void ConnectPaced(ImageButton* button, void (Keno22Game::*operation)());
    void RunBoard(void (clsKenoBoard::*operation)());
    void AfterDelayedPress(ImageButton* button, void (Impl::*work)());
    void DoAutoSelect();
    void DoOpenOptions();
    void RestoreAfterPress(ImageButton* button);

    Keno22Window& window;
    GameHost& app;
    QtMessenger messenger;
    ViewModel view;
    clsKenoBoard board;
    Keno22Game game;
    PacedRunner* runner = nullptr;

    TwipFace* face = nullptr;
    std::array<BoardSquare*, ViewModel::kSquares + 1> squares{};
    std::array<BallWidget*, ViewModel::kBalls + 1> balls{};
    std::map<std::string, ImageButton*, std::less<>> buttons;
    std::map<std::string, MeterLabel*, std::less<>> meters;
    LitLabel* playerLabel = nullptr;
    std::map<std::string, QAction*, std::less<>> actions;
    QTimer* timer1 = nullptr;
    QTimer* tmrflash = nullptr;
    QTimer* tmrshowbuttons = nullptr;
    PendingPress* pending = nullptr;  // the 100 ms press effect of AUTO SELECT and OPTIONS

    bool stepping = false;         // inside a paced step: the sequence cannot be resumed from here
    bool settleAfterStep = false;  // settle for shut-down as soon as the step returns
    ViewModel shown;  // what the widgets show now, to touch only what changed
};

}  // namespace keno
