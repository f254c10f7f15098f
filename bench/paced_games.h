#pragma once
// The measuring loop both paced-game benches share: plays games on a real window by clicking PLAY,
// times each from the click to the end of its paced sequence, and prints the figures beside the
// pauses the engine asked for.
#include <QAbstractButton>
#include <QApplication>
#include <QElapsedTimer>
#include <QTimer>

#include <sys/resource.h>

#include <cmath>
#include <cstdio>
#include <functional>
#include <vector>

#include "core/Cue.h"
#include "core/MachineState.h"
#include "core/Message.h"
#include "gamewindow/PacedRunner.h"

namespace keno::bench {

struct Silent final : SoundSink {
    void Play(Cue) override {}
};
struct Dismiss final : Messenger {
    Answer Show(const Message&) override { return Answer::Ok; }
};

inline double CpuSeconds() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return static_cast<double>(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
           static_cast<double>(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

// Counts the paints of the widgets it watches.
class PaintCounter : public QObject {
public:
    int paints = 0;
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint) ++paints;
        return QObject::eventFilter(watched, event);
    }
};

struct PacedGameRun {
    MachineState& state;
    PacedRunner& runner;
    QAbstractButton& play;
    PaintCounter& counter;
    const char* paintsCaption;                  // what the counter watches, for the table heading
    std::function<int(std::int16_t)> specified;  // the pauses one PLAY asks for at a speed
    std::function<void()> afterGame = [] {};    // untimed work between games
    std::function<void()> beforeGame = [] {};   // untimed set-up of the next game
    std::vector<qint64>* measuredMs = nullptr;   // each game's time from the click to its end, in order
};

// Plays `games` games at each speed; prints the table and returns 0 when every game kept within 3%.
inline int MeasurePacedGames(const PacedGameRun& run, const std::vector<int>& speeds, int games) {
    struct Result {
        int speed = 0;
        qint64 measuredMs = 0;
        int specifiedMs = 0;
        int steps = 0;
        int paints = 0;
        double cpuSeconds = 0;
    };
    std::vector<Result> results;
    std::size_t next = 0;
    int stepCount = 0;
    QElapsedTimer clock;
    double cpuAtStart = 0;
    QObject::connect(&run.runner, &PacedRunner::stepped, [&] { ++stepCount; });
    std::function<void()> startGame = [&] {
        if (next >= speeds.size() * static_cast<std::size_t>(games)) {
            QApplication::quit();
            return;
        }
        run.state.reelspeed = static_cast<std::int16_t>(speeds[next / static_cast<std::size_t>(games)]);
        run.beforeGame();
        stepCount = 0;
        run.counter.paints = 0;
        cpuAtStart = CpuSeconds();
        clock.start();
        run.play.click();
    };
    QObject::connect(&run.runner, &PacedRunner::finished, [&] {
        results.push_back({run.state.reelspeed, clock.elapsed(), run.specified(run.state.reelspeed), stepCount,
                           run.counter.paints, CpuSeconds() - cpuAtStart});
        if (run.measuredMs) run.measuredMs->push_back(results.back().measuredMs);
        ++next;
        run.afterGame();
        QTimer::singleShot(300, startGame);
    });
    QTimer::singleShot(500, startGame);
    QApplication::exec();

    std::printf("%-6s %-5s %12s %13s %8s %7s %14s %8s\n", "speed", "game", "measured ms", "specified ms",
                "diff %", "steps", run.paintsCaption, "cpu %");
    bool allWithin = true;
    for (std::size_t i = 0; i < results.size(); ++i) {
        const Result& r = results[i];
        const double diff = 100.0 * static_cast<double>(r.measuredMs - r.specifiedMs) / r.specifiedMs;
        allWithin = allWithin && std::abs(diff) <= 3.0;
        std::printf("%-6d %-5zu %12lld %13d %+8.2f %7d %14d %8.1f\n", r.speed, i % static_cast<std::size_t>(games) + 1,
                    static_cast<long long>(r.measuredMs), r.specifiedMs, diff, r.steps, r.paints,
                    100.0 * r.cpuSeconds / (static_cast<double>(r.measuredMs) / 1000.0));
    }
    std::printf("%s\n", allWithin ? "all games within 3% of their specified pauses" : "SOME GAMES MISSED the 3% target");
    return allWithin ? 0 : 2;
}

}  // namespace keno::bench
