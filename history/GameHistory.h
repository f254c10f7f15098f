#pragma once
#include <QMessageBox>
#include <QObject>
#include <QPointer>
#include <QString>

#include <functional>
#include <memory>
#include <string>

#include "history/HistoryWriter.h"

class QWidget;

namespace keno {

// The machine's game history on the Qt side: the recorder the game engines report to, and one
// warning for the player when the history cannot be kept or had to start afresh. The warning is
// not modal and waits for nothing: play goes on under it.
class GameHistory final : public QObject, public GameRecorder {
    Q_OBJECT
public:
    explicit GameHistory(HistoryStore::Options options, QObject* parent = nullptr);
    ~GameHistory() override;

    void GameSettled(const SettledGame& game) override { writer_->GameSettled(game); }

    // For the screens, counting every game settled so far (they wait for the one being written).
    std::vector<GameRecord> LastGames(int slot, int count);
    std::vector<std::int32_t> CreditSeries(int slot, int count);  // oldest first
    HitCounts HitsBySpots(int slot);
    NumberCounts DrawCounts(int slot);
    // The player's details were deleted: so is their history.
    bool DeleteSlot(int slot);
    HistoryWriter& Writer() { return *writer_; }

    // The window a warning is shown over, asked when one is due; null (nobody to answer, as
    // while the program ends) sends it to standard error instead.
    void SetWarningParent(std::function<QWidget*()> parent) { warningParent_ = std::move(parent); }
    QMessageBox* Warning() const { return warning_; }

    static QString WarningText(const HistoryProblem& problem);

signals:
    void warned(const QString& text);

private:
    void ShowProblems();

    std::function<QWidget*()> warningParent_;
    QPointer<QMessageBox> warning_;
    std::unique_ptr<HistoryWriter> writer_;  // last: its thread may call back until it is gone
};

}  // namespace keno
