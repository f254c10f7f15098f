#pragma once
#include <QRect>
#include <QSize>

#include <array>

#include "gamewindow/GameWindow.h"
#include "keno22/Keno22Game.h"

class QTimer;

namespace keno {

class BallWidget;

// The face is the design's window moved down by kFaceTop twips to make room for the title; the
// board and the rack keep their relative geometry.
namespace keno22face {
inline constexpr int kFaceTop = 900;
inline constexpr QSize kDesign(12000, 8500);
inline constexpr int kBallSize = 480;
// Where square `number` stands on the face, in twips.
QRect SquareTwips(int number);
// Where a ball with the design's Left/Top stands on the face, in twips.
QRect BallTwips(int left, int top);
}  // namespace keno22face

// The "K E N O 22" window: the board, the ball rack and the extra-ball offer over the game-window
// frame. Created once by the shell and then only hidden and shown.
class Keno22Window final : public GameWindow {
    Q_OBJECT
public:
    explicit Keno22Window(GameHost& host, QWidget* parent = nullptr);
    ~Keno22Window() override;

    Keno22Game& Game() { return game_; }
    bool GameRunning() const override { return game_.Running(); }
    bool GameInHand() const override { return game_.Busy(); }
    bool OfferOpen() const override { return game_.OfferOpen(); }
    std::optional<Offer> OpenOffer() const override;

private:
    void BuildFace() override;
    void BuildTimers() override;
    void WireControls() override;
    void LoadGame() override;
    std::optional<int> AdvanceGame() override { return game_.Advance(); }
    void SettleGame() override { game_.SettleNow(); }
    void SettleOffer() override;
    void SyncGame(bool everything) override;  // the rack

    Keno22Game game_;
    std::array<BallWidget*, ViewModel::kBalls + 1> balls_{};
    std::array<BallView, ViewModel::kBalls + 1> ballsShown_{};
    QTimer* tmrshowbuttons_ = nullptr;
};

}  // namespace keno
