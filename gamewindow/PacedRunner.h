#pragma once
#include <QElapsedTimer>
#include <QObject>
#include <QTimer>

#include <functional>
#include <optional>

namespace keno {

// Runs an engine's paced sequence on the UI thread: the sequence is resumed at once and again after
// every pause it asks for, from a single-shot timer, so the event loop keeps running between steps.
// Pauses are kept against a running deadline, so timer overshoot does not add up over a long draw.
class PacedRunner : public QObject {
    Q_OBJECT
public:
    using Advance = std::function<std::optional<int>()>;

    explicit PacedRunner(Advance advance, QObject* parent = nullptr);

    // Call after starting an engine operation: runs its first step now.
    void Kick();
    // Drops a pending resume (the engine has been settled by other means).
    void Cancel();
    bool Pending() const { return timer_.isActive(); }

signals:
    void stepped();   // after every step: the window redraws from the view model
    void finished();  // the sequence has ended

private:
    void RunStep();

    Advance advance_;
    QTimer timer_;
    QElapsedTimer clock_;
    qint64 deadlineMs_ = 0;
    bool running_ = false;
};

}  // namespace keno
