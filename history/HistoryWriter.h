#pragma once
#include <condition_variable>
#include <cstdint>
#include <list>
#include <functional>
#include <mutex>
#include <optional>
#include <thread>
#include <utility>
#include <vector>

#include "core/GameRecorder.h"
#include "history/HistoryStore.h"

namespace keno {

// The history written off the user-interface thread: a settled game is handed over in a few
// microseconds and written by a thread of its own, so neither the disk nor SQLite's checkpoints
// (which wait for the disk) ever pause a game. The store is used by one thread at a time: the
// writer's, or a reader's inside Read(), which first waits for the games handed over to be written.
// A hand-over never waits for a read: a query over a full slot takes a good part of a second, and
// a game may settle meanwhile (the screens read from a thread of their own).
class HistoryWriter final : public GameRecorder {
public:
    // onProblem runs when the store has a new problem to report, on the thread that met it (the
    // writing thread, or a reader's); the receiver calls TakeProblem() from its own thread.
    explicit HistoryWriter(HistoryStore::Options options, std::function<void()> onProblem = {});
    // Writes every game still waiting, then ends the writing thread.
    ~HistoryWriter() override;
    HistoryWriter(const HistoryWriter&) = delete;
    HistoryWriter& operator=(const HistoryWriter&) = delete;

    // Stamps the game with the wall clock and queues it.
    void GameSettled(const SettledGame& game) override;
    void Post(const SettledGame& game, std::int64_t timeMs);
    // Queues the deletion of a slot's games, after the games handed over before it and before
    // those handed over after it.
    void PostForget(int slot);

    // Runs read(store) on the calling thread once every game handed over has been written.
    // The wait is for at most the game being written: a settled game is queued only at the end
    // of a game, and every game is a paced sequence of at least half a second.
    // Readers on several threads take turns.
    template <typename Reader>
    auto Read(Reader read) {
        std::unique_lock lock(mutex_);
        idle_.wait(lock, [this] { return queue_.empty() && !writing_ && !reading_; });
        reading_ = true;
        lock.unlock();
        struct Done {
            HistoryWriter& writer;
            bool reported = false;
            ~Done() {
                std::unique_lock relock(writer.mutex_);
                writer.reading_ = false;
                reported = writer.CollectProblems();
                relock.unlock();
                writer.idle_.notify_all();
                writer.wake_.notify_one();
                if (reported && writer.onProblem_) writer.onProblem_();
            }
        } done{*this};
        return read(store_);
    }
    void Flush() {
        Read([](HistoryStore&) { return 0; });
    }

    std::optional<HistoryProblem> TakeProblem();

private:
    void Run();
    // Moves the store's new problems to problems_ (mutex_ held); whether there were any.
    bool CollectProblems();

    HistoryStore store_;
    std::function<void()> onProblem_;
    std::mutex mutex_;
    std::condition_variable wake_, idle_;
    struct Job {
        SettledGame game;
        std::int64_t timeMs = 0;
        int forgetSlot = 0;  // not 0: delete this slot's games instead
    };
    std::list<Job> queue_;  // a list: a job joins it by a splice, without allocating under the lock
    std::vector<HistoryProblem> problems_;
    bool writing_ = false;
    bool reading_ = false;  // a reader has the store; the writer waits
    bool stop_ = false;
    std::thread thread_;  // last: started once everything it uses exists
};

}  // namespace keno
