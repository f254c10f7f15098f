// How long a whole 22-ball game takes on the real window, against the sum of the pauses the
// engine asks for; and what keeping the game history adds to it: the hand-over of each settled
// game on the game's own thread, and the games with the history attached against those without
// (every other game). Run by bench/paced_game.sh under a virtual display.
//   bench_paced_game [--games N] [--speeds 10,20]
//   bench_paced_game --shot FILE.png [--frames DIR] [--frame-every N]   (a picture after a win)
#include <QApplication>
#include <QElapsedTimer>
#include <QTimer>


#include <cstdio>
#include <functional>
#include <memory>
#include <numeric>
#include <vector>

#include "bench/paced_game_shot.h"
#include "board/KenoBoard.h"
#include "core/MemorySettingsStore.h"
#include "history/GameHistory.h"
#include "keno22/Keno22Game.h"
#include "keno22/Keno22Window.h"
#include "shell/KenoApp.h"
#include "bench/paced_games.h"
#include "gamewindow/PacedRunner.h"
#include "widgets/BallWidget.h"
#include "widgets/ImageButton.h"

namespace {

using namespace keno;

using bench::Dismiss;
using bench::Silent;
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
    bench::PaintCounter counter;
    for (auto* ball : window->findChildren<BallWidget*>()) ball->installEventFilter(&counter);

    app.State().bank = 100000;
    app.State().coinsbet = 1;
    for (int n : kTicket) window->Board().MarkSquare(n);
    window->Redraw();

    // The history's own connection, replaced by one that times it and that every other game skips.
    GameHistory& history = app.History();
    QObject::disconnect(window, &GameWindow::gameSettled, &history, &GameHistory::GameSettled);
    bool keep = false;
    std::vector<bool> kept;
    std::vector<double> handOverMs;
    QObject::connect(window, &GameWindow::gameSettled, &history, [&](const SettledGame& game) {
        if (!keep) return;
        QElapsedTimer clock;
        clock.start();
        history.GameSettled(game);
        handOverMs.push_back(static_cast<double>(clock.nsecsElapsed()) / 1e6);
    });
    std::vector<qint64> measured;
    bench::PacedGameRun run{app.State(), *runner, *play, counter, "ball paints", SpecifiedPauseMs,
                            [window] {
                                // Take an open offer's win, untimed.
                                if (window->Game().OfferOpen()) window->SettleForShutdown();
                            }};
    run.beforeGame = [&] {
        keep = kept.size() % 2 == 1;
        kept.push_back(keep);
    };
    run.measuredMs = &measured;
    const int status = bench::MeasurePacedGames(run, speeds, games);

    history.Writer().Flush();
    if (!handOverMs.empty()) {
        double sum = 0, most = 0;
        for (double ms : handOverMs) sum += ms, most = std::max(most, ms);
        std::printf("history: hand-over of a settled game on the game's thread: mean %.4f ms, max %.4f ms over %zu games "
                    "(target: a paced game lengthened by at most 1 ms)\n",
                    sum / static_cast<double>(handOverMs.size()), most, handOverMs.size());
    }
    for (std::size_t s = 0; s < speeds.size(); ++s) {
        double with = 0, without = 0;
        int nWith = 0, nWithout = 0;
        for (std::size_t i = s * static_cast<std::size_t>(games); i < (s + 1) * static_cast<std::size_t>(games) && i < measured.size(); ++i) {
            (kept[i] ? with : without) += static_cast<double>(measured[i]);
            ++(kept[i] ? nWith : nWithout);
        }
        if (nWith && nWithout) {
            std::printf("history: speed %d, games with it %.1f ms (%d), without %.1f ms (%d), difference %+.1f ms "
                        "(timer jitter included)\n",
                        speeds[s], with / nWith, nWith, without / nWithout, nWithout, with / nWith - without / nWithout);
        }
    }
    std::printf("history: %zu games in the file\n", history.LastGames(1, 1000000).size());
    return status;
}
