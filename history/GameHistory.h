#pragma once
#include <QMessageBox>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QThreadPool>

#include <functional>
#include <memory>
#include <string>
#include <utility>

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
    // Each can take a good part of a second on a full slot: a screen asks through Ask().
    std::vector<GameRecord> LastGames(int slot, int count);
    std::vector<std::int32_t> CreditSeries(int slot, int count);  // oldest first
    HitCounts HitsBySpots(int slot);
    NumberCounts DrawCounts(int slot);
    // The player's details were deleted: so is their history.
    bool DeleteSlot(int slot);
    // The same without waiting: done by the writing thread after the games already handed over.
    void ForgetSlot(int slot) { writer_->PostForget(slot); }
    HistoryWriter& Writer() { return *writer_; }

    // Runs query(store) on a thread of the history's own, then done(result) on this object's
    // thread, unless receiver has gone by then. Queries run one at a time, in the order asked.
    template <typename Query, typename Done>
    void Ask(QObject* receiver, Query query, Done done) {
        using Result = decltype(query(std::declval<HistoryStore&>()));
        struct Request {
            QPointer<QObject> receiver;
            Done done;
            Result result{};
        };
        // Made and read on this thread; the reading thread only fills in the result.
        auto request = std::make_shared<Request>(Request{receiver, std::move(done), {}});
        readers_.start([this, request, query = std::move(query)]() mutable {
            request->result = writer_->Read(query);
            QMetaObject::invokeMethod(
                this,
                [request] {
                    if (request->receiver) request->done(std::move(request->result));
                },
                Qt::QueuedConnection);
        });
    }

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
    std::unique_ptr<HistoryWriter> writer_;  // its thread may call back until it is gone
    QThreadPool readers_;                    // last: its queries use the writer
};

}  // namespace keno
