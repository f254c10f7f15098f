// How long a whole 22-ball game takes on the real window, against the sum of the pauses the
// engine asks for. Run by bench/paced_game.sh under a virtual display.
//   bench_paced_game [--games N] [--speeds 10,20]
//   bench_paced_game --shot FILE.png [--frames DIR] [--frame-every N]   (a picture after a win)
#include <QApplication>
#include <QElapsedTimer>
#include <QTimer>

#include <sys/resource.h>

#include <cstdio>
#include <functional>
#include <memory>
#include <numeric>
#include <vector>

#include "bench/paced_game_shot.h"
#include "board/KenoBoard.h"
#include "core/MemorySettingsStore.h"
#include "keno22/Keno22Game.h"
#include "keno22/Keno22Window.h"
#include "shell/KenoApp.h"
#include "shell/PacedRunner.h"
#include "widgets/BallWidget.h"
#include "widgets/ImageButton.h"

namespace {

using namespace keno;

struct Silent final : SoundSink {
    void Play(Cue) override {}
};
struct Dismiss final : Messenger {
    Answer Show(const Message&) override { return Answer::Ok; }
};
struct StillClock final : Clock {
    double SecondsSinceMidnight() override { return 1000.0; }
};

const std::vector<int> kTicket{3, 18, 27, 36, 44, 59, 62, 75};

// The pauses one PLAY asks for at this speed, from an engine without a window. They do not depend
// on the numbers drawn, only on the pace and the bounce steps.
int SpecifiedPauseMs(std::int16_t reelspeed) {
    MachineState state;
    state.bank = 1000;
    state.coinsbet = 1;
    state.reelspeed = reelspeed;
    ViewModel view;
    Silent sound;
    Dismiss messenger;
    SeededRandomSource random(1);
    StillClock clock;
    clsKenoBoard board(BoardRules::Keno22, state, view, sound, messenger, random);
    Keno22Game game(state, board, view, sound, messenger, random, clock);
    for (int n : kTicket) board.MarkSquare(n);
    game.Play();
    int total = 0;
    while (auto pause = game.Advance()) total += *pause;
    return total;
}

double CpuSeconds() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return static_cast<double>(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
           static_cast<double>(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

struct Result {
    int speed = 0;
    qint64 measuredMs = 0;
    int specifiedMs = 0;
    int steps = 0;
    int ballPaints = 0;
    double cpuSeconds = 0;
};

class BallPaintCounter : public QObject {
public:
    int paints = 0;
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint) ++paints;
        return QObject::eventFilter(watched, event);
    }
};

}  // namespace

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    int games = 3;
    std::vector<int> speeds{10, 20};
    QString shot;
    QString frames;
    int frameEvery = 25;
    const QStringList args = QApplication::arguments();
    for (qsizetype i = 1; i + 1 < args.size(); ++i) {
        if (args[i] == QLatin1String("--games")) games = args[i + 1].toInt();
        if (args[i] == QLatin1String("--shot")) shot = args[i + 1];
        if (args[i] == QLatin1String("--frames")) frames = args[i + 1];
        if (args[i] == QLatin1String("--frame-every")) frameEvery = std::max(1, args[i + 1].toInt());
        if (args[i] == QLatin1String("--speeds")) {
            speeds.clear();
            for (const QString& s : args[i + 1].split(QLatin1Char(','))) speeds.push_back(s.toInt());
        }
    }

    auto store = std::make_unique<MemorySettingsStore>();
    if (!shot.isEmpty()) {
        store->Put("plinx", "player1", "currentplayer", "LUCKY");
        store->Put("plinx", "player1", "reelspeed", "10");
    }
    KenoApp app(std::move(store));
    app.SetExitHandler([] {});
    app.SetRandomSource(std::make_unique<SeededRandomSource>(2024));
    app.SetClock(std::make_unique<StillClock>());
    app.Start();
    if (!shot.isEmpty()) return RunShot(app, shot, frames, frameEvery);
    Keno22Window* window = app.Keno22();
    auto* runner = window->findChild<PacedRunner*>(QStringLiteral("runner"));
    auto* play = window->findChild<ImageButton*>(QStringLiteral("start"));
    if (runner == nullptr || play == nullptr) {
        std::fprintf(stderr, "the window has no runner or PLAY button\n");
        return 1;
    }
    BallPaintCounter counter;
    for (auto* ball : window->findChildren<BallWidget*>()) ball->installEventFilter(&counter);

    app.State().bank = 100000;
    app.State().coinsbet = 1;
    for (int n : kTicket) window->Board().MarkSquare(n);
    window->Redraw();

    std::vector<Result> results;
    std::size_t next = 0;
    int stepCount = 0;
    QElapsedTimer clock;
    double cpuAtStart = 0;
    QObject::connect(runner, &PacedRunner::stepped, [&] { ++stepCount; });

    std::function<void()> startGame = [&] {
        if (next >= speeds.size() * static_cast<std::size_t>(games)) {
            QApplication::quit();
            return;
        }
        const int speed = speeds[next / static_cast<std::size_t>(games)];
        app.State().reelspeed = static_cast<std::int16_t>(speed);
        stepCount = 0;
        counter.paints = 0;
        cpuAtStart = CpuSeconds();
        clock.start();
        play->click();
    };
    QObject::connect(runner, &PacedRunner::finished, [&] {
        Result result;
        result.speed = app.State().reelspeed;
        result.measuredMs = clock.elapsed();
        result.specifiedMs = SpecifiedPauseMs(app.State().reelspeed);
        result.steps = stepCount;
        result.ballPaints = counter.paints;
        result.cpuSeconds = CpuSeconds() - cpuAtStart;
        results.push_back(result);
        ++next;
        if (window->Game().OfferOpen()) window->SettleForShutdown();  // take the win, untimed
        QTimer::singleShot(300, startGame);
    });
    QTimer::singleShot(500, startGame);
    QApplication::exec();

    std::printf("%-6s %-5s %12s %13s %8s %7s %12s %8s\n", "speed", "game", "measured ms", "specified ms",
                "diff %", "steps", "ball paints", "cpu %");
    bool allWithin = true;
    for (std::size_t i = 0; i < results.size(); ++i) {
        const Result& r = results[i];
        const double diff = 100.0 * static_cast<double>(r.measuredMs - r.specifiedMs) / r.specifiedMs;
        allWithin = allWithin && std::abs(diff) <= 3.0;
        std::printf("%-6d %-5zu %12lld %13d %+8.2f %7d %12d %8.1f\n", r.speed, i % static_cast<std::size_t>(games) + 1,
                    static_cast<long long>(r.measuredMs), r.specifiedMs, diff, r.steps, r.ballPaints,
                    100.0 * r.cpuSeconds / (static_cast<double>(r.measuredMs) / 1000.0));
    }
    std::printf("%s\n", allWithin ? "all games within 3% of their specified pauses"
                                  : "SOME GAMES MISSED the 3% target");
    return allWithin ? 0 : 2;
}
