#include "gamewindow/PacedRunner.h"

namespace keno {

PacedRunner::PacedRunner(Advance advance, QObject* parent) : QObject(parent), advance_(std::move(advance)) {
    timer_.setSingleShot(true);
    timer_.setTimerType(Qt::PreciseTimer);
    connect(&timer_, &QTimer::timeout, this, &PacedRunner::RunStep);
}

void PacedRunner::Kick() {
    timer_.stop();
    clock_.start();
    deadlineMs_ = 0;
    running_ = true;
    RunStep();
}

void PacedRunner::Cancel() {
    timer_.stop();
    running_ = false;
}

void PacedRunner::RunStep() {
    if (!running_) return;
    const std::optional<int> pause = advance_();
    emit stepped();
    if (!pause) {
        running_ = false;
        emit finished();
        return;
    }
    deadlineMs_ += *pause;
    const qint64 wait = deadlineMs_ - clock_.elapsed();
    timer_.start(static_cast<int>(wait > 0 ? wait : 0));
}

}  // namespace keno
