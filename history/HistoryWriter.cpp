#include "history/HistoryWriter.h"

#include <sys/resource.h>
#include <unistd.h>

#include <chrono>

namespace keno {

HistoryWriter::HistoryWriter(HistoryStore::Options options, std::function<void()> onProblem)
    : store_(std::move(options)), onProblem_(std::move(onProblem)), thread_([this] { Run(); }) {}

HistoryWriter::~HistoryWriter() {
    {
        std::lock_guard lock(mutex_);
        stop_ = true;
    }
    wake_.notify_one();
    thread_.join();
}

void HistoryWriter::GameSettled(const SettledGame& game) {
    const auto now = std::chrono::system_clock::now().time_since_epoch();
    Post(game, std::chrono::duration_cast<std::chrono::milliseconds>(now).count());
}

void HistoryWriter::Post(const SettledGame& game, std::int64_t timeMs) {
    std::list<Job> item;  // copied before the lock is taken
    item.push_back({game, timeMs, 0});
    {
        std::lock_guard lock(mutex_);
        queue_.splice(queue_.end(), item);
    }
    wake_.notify_one();
}

void HistoryWriter::PostForget(int slot) {
    std::list<Job> item;
    item.push_back({{}, 0, slot});
    {
        std::lock_guard lock(mutex_);
        queue_.splice(queue_.end(), item);
    }
    wake_.notify_one();
}

std::optional<HistoryProblem> HistoryWriter::TakeProblem() {
    std::lock_guard lock(mutex_);
    if (problems_.empty()) return std::nullopt;
    HistoryProblem first = std::move(problems_.front());
    problems_.erase(problems_.begin());
    return first;
}

bool HistoryWriter::CollectProblems() {
    bool any = false;
    while (auto problem = store_.TakeProblem()) {
        problems_.push_back(std::move(*problem));
        any = true;
    }
    return any;
}

// The store opens its file on the first game (or the first read), so the start-up never waits
// for the disk.
void HistoryWriter::Run() {
    // Background work: woken at the end of a game, this thread must not take the processor from
    // the game's own thread (on Linux the nice value is per thread).
    setpriority(PRIO_PROCESS, static_cast<id_t>(gettid()), 10);
    std::unique_lock lock(mutex_);
    for (;;) {
        wake_.wait(lock, [this] { return !reading_ && (stop_ || !queue_.empty()); });
        if (queue_.empty()) break;
        Job job = std::move(queue_.front());
        queue_.pop_front();
        writing_ = true;
        lock.unlock();
        try {
            if (job.forgetSlot != 0) store_.DeleteSlot(job.forgetSlot);
            else store_.Append(job.game, job.timeMs);
        } catch (...) {
            // Out of memory for one game's texts: that game is not kept, play goes on.
        }
        lock.lock();
        writing_ = false;
        const bool reported = CollectProblems();
        idle_.notify_all();
        if (reported && onProblem_) {
            lock.unlock();
            onProblem_();
            lock.lock();
        }
    }
}

}  // namespace keno
