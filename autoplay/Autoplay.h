#pragma once
#include <QObject>
#include <QPointer>
#include <QTimer>

#include <optional>

#include "autoplay/AutoplayPlan.h"
#include "core/GameRecorder.h"
#include "core/MachineState.h"

namespace keno {

class GameWindow;
class LitLabel;

// Plays the marked ticket at the current bet, game after game, on one game window: it presses
// PLAY, TAKE WIN and EXTRA BALLS through PressControl exactly as the player's keys would, so every
// game has its own press effect, pacing, sounds and refusals, and costs what it costs by hand.
// A counter on the face shows the games left. While it runs, the first key or click on the window
// (Escape among them) is taken as "stop": it goes to nothing else, and the run ends once the game
// in progress has settled. Asked to leave the offer to the player, it waits for their answer (their
// keys and clicks then go to the game; Escape still stops) and goes on after it.
class Autoplay : public QObject {
    Q_OBJECT
public:
    // The player's moment to see a result before the next PLAY, and to see the offer before it is
    // answered. Not the game's pacing, which autoplay cannot shorten: tests may shorten these.
    static constexpr int kBetweenGamesMs = 1200;
    static constexpr int kOfferAnswerMs = 1200;
    static constexpr int kStopNoticeMs = 5000;

    Autoplay(GameWindow& window, const MachineState& state);
    ~Autoplay() override;

    void Start(const AutoplaySettings& settings);
    bool Running() const { return plan_.has_value(); }
    // As a key or click would: the run ends after the game in progress.
    void RequestStop();
    const AutoplayPlan* Plan() const { return plan_ ? &*plan_ : nullptr; }
    LitLabel* Counter() const;
    void SetPauses(int betweenGamesMs, int offerAnswerMs);

signals:
    void stopped(keno::StopReason why);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    enum class Phase { Between, Playing, Offer };

    void OnNext();
    void PlayNext();
    void OnSettled(const SettledGame& game);
    void OnOfferOpened();
    void AnswerOffer();
    void Watch();
    void Stop(StopReason why);
    void ShowCounter();
    bool OnTheWindow(QObject* watched) const;

    GameWindow& window_;
    const MachineState& state_;
    std::optional<AutoplayPlan> plan_;
    Phase phase_ = Phase::Between;
    bool settled_ = false;  // the game PLAY started has been settled
    std::int32_t lastWin_ = 0;
    std::optional<StopReason> pendingStop_;
    int betweenGamesMs_ = kBetweenGamesMs;
    int offerAnswerMs_ = kOfferAnswerMs;

    QTimer next_;    // the next PLAY, or the stop found when the last game settled
    QTimer answer_;  // the answer to the offer
    QTimer watch_;   // a PLAY that ended without a game (no gameSettled) must not hang the run
    QTimer notice_;  // how long the reason for the stop stays on the face
    QPointer<LitLabel> counter_;  // on the face, which may go first when the window is taken apart
};

}  // namespace keno
