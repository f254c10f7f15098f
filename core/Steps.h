#pragma once
#include <coroutine>
#include <cstddef>
#include <exception>
#include <new>
#include <optional>
#include <utility>
#include <vector>

namespace keno {

// Coroutine frames come and go with every ball of every game: a thread keeps the frames it freed,
// by size class, and hands them out again, so a game in progress does not call the allocator.
class StepFrames {
public:
    static void* Allocate(std::size_t size) {
        const std::size_t cls = Class(size);
        if (cls < kClasses) {
            Lists& lists = Mine();
            if (Block* block = lists.free[cls]) {
                lists.free[cls] = block->next;
                --lists.count[cls];
                return block;
            }
            return ::operator new((cls + 1) * kGrain);
        }
        return ::operator new(size);
    }
    static void Release(void* frame, std::size_t size) noexcept {
        const std::size_t cls = Class(size);
        if (cls < kClasses) {
            Lists& lists = Mine();
            if (lists.count[cls] < kKeptPerClass) {
                auto* block = static_cast<Block*>(frame);
                block->next = lists.free[cls];
                lists.free[cls] = block;
                ++lists.count[cls];
                return;
            }
            ::operator delete(frame, (cls + 1) * kGrain);
            return;
        }
        ::operator delete(frame, size);
    }

private:
    static constexpr std::size_t kGrain = 64;
    static constexpr std::size_t kClasses = 32;  // frames up to 2 KiB
    static constexpr int kKeptPerClass = 16;      // nesting is shallow: a game holds a few at once
    struct Block {
        Block* next;
    };
    struct Lists {
        Block* free[kClasses] = {};
        int count[kClasses] = {};
        ~Lists() {
            for (std::size_t cls = 0; cls < kClasses; ++cls)
                while (Block* block = free[cls]) {
                    free[cls] = block->next;
                    ::operator delete(block, (cls + 1) * kGrain);
                }
        }
    };
    static std::size_t Class(std::size_t size) { return (size + kGrain - 1) / kGrain - 1; }
    static Lists& Mine() {
        thread_local Lists lists;
        return lists;
    }
};

// A paced operation written as a coroutine: `co_yield ms;` ends a step and asks the host to wait
// ms milliseconds (0: just let pending window events run) before resuming. The window resumes it
// from a single-shot timer; tests resume it in a loop and add the pauses to a virtual clock.
class Steps {
public:
    struct promise_type {
        int pause = 0;
        std::exception_ptr error;
        static void* operator new(std::size_t size) { return StepFrames::Allocate(size); }
        static void operator delete(void* frame, std::size_t size) noexcept { StepFrames::Release(frame, size); }
        Steps get_return_object() { return Steps(Handle::from_promise(*this)); }
        std::suspend_always initial_suspend() noexcept { return {}; }
        std::suspend_always final_suspend() noexcept { return {}; }
        std::suspend_always yield_value(int ms) noexcept {
            pause = ms;
            return {};
        }
        void return_void() noexcept {}
        void unhandled_exception() noexcept { error = std::current_exception(); }
    };
    using Handle = std::coroutine_handle<promise_type>;

    Steps() = default;
    Steps(Steps&& other) noexcept : handle_(std::exchange(other.handle_, {})) {}
    Steps& operator=(Steps&& other) noexcept {
        if (this != &other) {
            Reset();
            handle_ = std::exchange(other.handle_, {});
        }
        return *this;
    }
    Steps(const Steps&) = delete;
    Steps& operator=(const Steps&) = delete;
    ~Steps() { Reset(); }

    bool Done() const { return !handle_ || handle_.done(); }

    // Runs up to the next pause; returns it, or nothing when the operation has finished.
    std::optional<int> Resume() {
        if (Done()) return std::nullopt;
        handle_.resume();
        if (handle_.promise().error) std::rethrow_exception(std::exchange(handle_.promise().error, {}));
        if (handle_.done()) return std::nullopt;
        return handle_.promise().pause;
    }

    // Runs to the end without waiting; the pauses it would have taken are appended to `pauses`.
    void RunToEnd(std::vector<int>* pauses = nullptr) {
        while (auto p = Resume()) {
            if (pauses) pauses->push_back(*p);
        }
    }

private:
    explicit Steps(Handle h) : handle_(h) {}
    void Reset() {
        if (handle_) handle_.destroy();
        handle_ = {};
    }
    Handle handle_{};
};

// Inside a Steps coroutine: run a nested Steps, passing its pauses through.
#define KENO_AWAIT_STEPS(expr)                              \
    do {                                                    \
        auto keno_inner_steps_ = (expr);                    \
        while (auto keno_p_ = keno_inner_steps_.Resume())   \
            co_yield *keno_p_;                              \
    } while (0)

}  // namespace keno
