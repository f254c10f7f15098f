#pragma once
#include <coroutine>
#include <exception>
#include <optional>
#include <utility>
#include <vector>

namespace keno {

// A paced operation written as a coroutine: `co_yield ms;` ends a step and asks the host to wait
// ms milliseconds (0: just let pending window events run) before resuming. The window resumes it
// from a single-shot timer; tests resume it in a loop and add the pauses to a virtual clock.
class Steps {
public:
    struct promise_type {
        int pause = 0;
        std::exception_ptr error;
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
