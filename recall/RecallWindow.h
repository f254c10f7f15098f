#pragma once
#include <QWidget>

#include <memory>
#include <vector>

#include "core/Steps.h"
#include "history/HistoryStore.h"
#include "recall/RecallReplay.h"

class QLabel;
class QTableWidget;

namespace keno {

class GameHistory;
class ImageButton;
class LitLabel;
class PacedRunner;
class RecallBoard;

// "Last games": the current player's last ten games (time, game, ticket, hits, bet and win) and,
// for the one chosen, its replay on a board of its own. It reads the history only; the machine's
// credit and state are never touched. Not modal; deleted when closed.
class RecallWindow : public QWidget {
    Q_OBJECT
public:
    static constexpr int kGames = 10;

    RecallWindow(GameHistory& history, QWidget* parent = nullptr);
    ~RecallWindow() override;

    // Asks the history for the slot's last games (on the history's reading thread) and shows
    // "Reading the history..." until they come.
    void Load(int slot, const QString& player);
    bool Loading() const { return loading_; }
    const std::vector<GameRecord>& Games() const { return games_; }
    // Replays game `row` of the list (0: the newest) from its first ball.
    void Choose(int row);
    const RecallReplay* Replay() const { return replay_.get(); }
    QTableWidget* List() const { return list_; }

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void ShowGames(int slot, std::vector<GameRecord> games);
    // The list, heading and buttons at a scale of the window's design size (800 x 580).
    void ApplyScale(qreal scale);

    GameHistory& history_;
    LitLabel* heading_;
    QLabel* status_;
    QTableWidget* list_;
    RecallBoard* board_;
    ImageButton* replayButton_;
    ImageButton* returnToGame_;
    PacedRunner* runner_;
    std::vector<GameRecord> games_;
    int slot_ = 0;
    bool loading_ = false;
    bool filling_ = false;  // the list is being filled: its selection changes replay nothing
    qreal scale_ = 0;
    std::unique_ptr<RecallReplay> replay_;
    Steps steps_;  // after replay_: its frame refers to the replay
};

}  // namespace keno
