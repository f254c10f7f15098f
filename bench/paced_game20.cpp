// How long a whole 20-ball game takes on the real window, against the sum of the pauses the
// engine asks for (the 100 ms press and reelspeed x 20 ms before each ball). Run by
// bench/paced_game20.sh under a virtual display.
//   bench_paced_game20 [--games N] [--speeds 1,10,20]
#include <QApplication>
#include <QTimer>


#include <cstdio>
#include <functional>
#include <memory>
#include <vector>

#include "board/KenoBoard.h"
#include "core/MemorySettingsStore.h"
#include "keno20/Keno20Game.h"
#include "keno20/Keno20Window.h"
#include "shell/KenoApp.h"
#include "bench/paced_games.h"
#include "gamewindow/PacedRunner.h"
#include "widgets/BoardSquare.h"
#include "widgets/ImageButton.h"

namespace {

using namespace keno;

using bench::Dismiss;
using bench::Silent;

const std::vector<int> kTicket{3, 18, 27, 36, 44, 59, 62, 75};

// The pauses one PLAY asks for at this speed, from an engine without a window.
int SpecifiedPauseMs(std::int16_t reelspeed) {
    MachineState state;
    state.bank = 1000;
    state.coinsbet = 1;
    state.reelspeed = reelspeed;
    ViewModel view;
    Silent sound;
    Dismiss messenger;
    SeededRandomSource random(1);
    Keno20PayTable table(view);
    clsKenoBoard board(BoardRules::Keno20, state, view, sound, messenger, random);
    board.SetPayTable(&table);
    Keno20Game game(state, board, table, view, sound, messenger, random);
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
    std::vector<int> speeds{1, 10, 20};
    const QStringList args = QApplication::arguments();
    for (qsizetype i = 1; i + 1 < args.size(); ++i) {
        if (args[i] == QLatin1String("--games")) games = args[i + 1].toInt();
        if (args[i] == QLatin1String("--speeds")) {
            speeds.clear();
            for (const QString& s : args[i + 1].split(QLatin1Char(','))) speeds.push_back(s.toInt());
        }
    }

    KenoApp app(std::make_unique<MemorySettingsStore>());
    app.SetExitHandler([] {});
    app.SetRandomSource(std::make_unique<SeededRandomSource>(2024));
    app.Start();
    app.SwitchTo20Ball();
    Keno20Window* window = app.Keno20();
    auto* runner = window ? window->findChild<PacedRunner*>(QStringLiteral("runner")) : nullptr;
    auto* play = window ? window->findChild<ImageButton*>(QStringLiteral("start")) : nullptr;
    if (runner == nullptr || play == nullptr) {
        std::fprintf(stderr, "the 20-ball window has no runner or PLAY button\n");
        return 1;
    }
    bench::PaintCounter counter;
    for (auto* square : window->findChildren<BoardSquare*>()) square->installEventFilter(&counter);

    app.State().bank = 100000;
    app.State().coinsbet = 1;
    for (int n : kTicket) window->Board().MarkSquare(n);
    window->Redraw();

    return bench::MeasurePacedGames({app.State(), *runner, *play, counter, "square paints", SpecifiedPauseMs},
                                    speeds, games);
}
