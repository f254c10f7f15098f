// Memory over a long evening of play: plays N games on one real game window (PLAY clicked, the
// draw paced by the window's own runner, an offer answered by its buttons) and prints resident
// memory and the malloc heap at fixed game counts, with the growth per 1,000 games after the first
// 100. Run by bench/memory_soak.sh under a virtual display.
//   bench_memory_soak [--window 22|20] [--games N] [--speed S] [--gap MS] [--dialogs K] [--trim] [--size WxH]
// --gap MS: the pause between games (default none); a player's pause lets the hit blink run.
// --dialogs K: every K games a refused square click (a message box), the options dialog, the pay
//   schedule, the about window and the game information box are opened and closed.
// --trim: malloc_trim(0) before every sample, so what remains is live memory, not free space
//   glibc has not handed back.
// --no-teardown: leaves by exit() without taking the windows apart, so that a heap profiler
//   (heaptrack) reports everything still live at game N as leaked, per call site.
#include <QAbstractButton>
#include <QAccessible>
#include <QApplication>
#include <QMessageBox>
#include <QTemporaryDir>
#include <QTimer>
#include <QWidget>

#include <malloc.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "board/KenoBoard.h"
#include "keno20/Keno20Game.h"
#include "keno20/Keno20Window.h"
#include "keno22/Keno22Game.h"
#include "keno22/Keno22Window.h"
#include "options/OptionsDialog.h"
#include "info/AboutWindow.h"
#include "info/PayoutsWindow.h"
#include "shell/IniSettingsStore.h"
#include "shell/KenoApp.h"
#include "gamewindow/PacedRunner.h"
#include "widgets/PaintKit.h"

namespace {

using namespace keno;

struct StillClock final : Clock {
    double SecondsSinceMidnight() override { return 1000.0; }
};

const std::vector<int> kTicket{3, 18, 27, 36, 44, 59, 62, 75};

double ResidentMiB() {
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.rfind("VmRSS:", 0) == 0) return std::stod(line.substr(6)) / 1024.0;
    }
    return 0;
}

int LiveObjects() {
    int count = static_cast<int>(qApp->findChildren<QObject*>().size()) + 1;
    for (QWidget* top : QApplication::topLevelWidgets()) {
        if (top->parent() == nullptr) count += static_cast<int>(top->findChildren<QObject*>().size()) + 1;
    }
    return count;
}

struct Sample {
    int game = 0;
    double rss = 0;     // MiB resident
    double inUse = 0;   // MiB allocated and not freed (all arenas and mmapped blocks)
    double held = 0;    // MiB the allocator holds from the system
    int objects = 0;
    int cached = 0;       // pictures in the shared face cache
    double cacheMiB = 0;
};

Sample Take(int game, bool trim) {
    if (trim) malloc_trim(0);
    const struct mallinfo2 heap = mallinfo2();
    constexpr double kMiB = 1024.0 * 1024.0;
    const paint::CacheUse cache = paint::SharedCacheUse();
    return {game,          ResidentMiB(),
            static_cast<double>(heap.uordblks + heap.hblkhd) / kMiB,
            static_cast<double>(heap.arena + heap.hblkhd) / kMiB,
            LiveObjects(), cache.pictures,
            static_cast<double>(cache.bytes) / kMiB};
}

bool SampleAt(int game, int last) {
    return game == 0 || game == 100 || game == 250 || game == 500 || game % 1000 == 0 || game == last;
}

// Accepts whatever modal box is up, until stopped: the refusal and the game information box
// each run their own loop, from which this timer still fires.
class BoxCloser {
public:
    BoxCloser() {
        timer_.setInterval(15);
        QObject::connect(&timer_, &QTimer::timeout, [] {
            if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
                if (box->isVisible()) box->done(QMessageBox::Ok);
            }
        });
    }
    void Start() { timer_.start(); }
    void Stop() { timer_.stop(); }

private:
    QTimer timer_;
};

struct Soak {
    explicit Soak(KenoApp& machine) : app(machine) {}

    KenoApp& app;
    QWidget* window = nullptr;
    PacedRunner* runner = nullptr;
    QAbstractButton* play = nullptr;
    std::function<bool()> offerOpen = [] { return false; };
    std::function<void()> autoSelect;
    GameKind kind = GameKind::Keno22;
    int games = 2000;
    int dialogsEvery = 0;
    int gapMs = 0;
    bool trim = false;

    int played = 0;
    int offers = 0;
    int sequences = 0;  // paced sequences finished
    bool stuck = false;
    std::vector<Sample> samples;
    BoxCloser closer;

    QAbstractButton* Button(const char* name) const {
        return window->findChild<QAbstractButton*>(QString::fromLatin1(name));
    }

    void Next() {
        if (played >= games) {
            QApplication::quit();
            return;
        }
        const int before = sequences;
        play->click();
        if (sequences == before && !runner->Pending()) {
            std::fprintf(stderr, "PLAY did not start a game after game %d (PLAY %s, window %s)\n", played,
                         play->isEnabled() ? "enabled" : "disabled", window->isEnabled() ? "enabled" : "disabled");
            stuck = true;
            QApplication::quit();
        }
    }

    void Finished() {
        if (offerOpen()) {
            // Every other offer is taken as it stands, the others buy the extra balls.
            QAbstractButton* extra = Button("xtraballs");
            if (!extra->isVisible()) extra = Button("flash");
            (++offers % 2 == 0 ? Button("takwin") : extra)->click();
            return;
        }
        ++played;
        if (SampleAt(played, games)) samples.push_back(Take(played, trim));
        if (dialogsEvery > 0 && played % dialogsEvery == 0) {
            Dialogs();
        } else {
            QTimer::singleShot(gapMs, [this] { Next(); });
        }
    }

    // One round of what a player opens between games, each shown for a moment before it goes.
    // Each step schedules the next, as a modal box's own loop would run timers armed ahead.
    void Dialogs() {
        closer.Start();
        const std::vector<std::function<void()>> steps{
            [this] {
                // A square off the played ticket: the board asks for ERASE first.
                if (QAbstractButton* square = Button("a_1")) square->click();
                autoSelect();
                app.OpenOptions(window);
            },
            [this] {
                if (app.Options()) app.Options()->close();
                app.ShowPaySchedule();
            },
            [this] {
                if (app.Payouts()) app.Payouts()->close();
                app.ShowAbout();
            },
            [this] {
                if (app.About()) app.About()->close();
                app.ShowGameInformation(kind, window);
            },
        };
        Step(steps, 0);
    }
    void Step(std::vector<std::function<void()>> steps, std::size_t at) {
        QTimer::singleShot(20, [this, steps = std::move(steps), at]() mutable {
            if (at == steps.size()) {
                closer.Stop();
                Next();
                return;
            }
            steps[at]();
            Step(std::move(steps), at + 1);
        });
    }

    void Print() const {
        std::printf("%-8s %9s %13s %11s %9s %15s\n", "game", "rss MiB", "heap in use", "heap held", "objects",
                    "cached (MiB)");
        for (const Sample& s : samples) {
            std::printf("%-8d %9.2f %13.2f %11.2f %9d %6d (%6.2f)\n", s.game, s.rss, s.inUse, s.held, s.objects,
                        s.cached, s.cacheMiB);
        }
        const Sample& to = samples.back();
        // From game 100 (the target's measure) and from game 500, when caches that fill once are full.
        for (const int start : {100, 500}) {
            const Sample* from = nullptr;
            for (const Sample& s : samples)
                if (s.game == start) from = &s;
            if (from == nullptr || to.game <= from->game) continue;
            const double per = 1000.0 / (to.game - from->game);
            std::printf("growth per 1,000 games (game %d to %d): rss %+.2f MiB, heap in use %+.2f MiB, "
                        "objects %+.0f, cached %+.2f MiB\n",
                        from->game, to.game, (to.rss - from->rss) * per, (to.inUse - from->inUse) * per,
                        (to.objects - from->objects) * per, (to.cacheMiB - from->cacheMiB) * per);
        }
        malloc_trim(0);
        std::printf("after malloc_trim(0): rss %.2f MiB\n", ResidentMiB());
    }
};

}  // namespace

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    int which = 22;
    int games = 2000;
    int speed = 1;
    int dialogsEvery = 0;
    int gapMs = 0;
    bool trim = false;
    bool teardown = true;
    QSize size;  // the game window's size; its own when not given
    const QStringList args = QApplication::arguments();
    for (qsizetype i = 1; i < args.size(); ++i) {
        const bool hasValue = i + 1 < args.size();
        if (args[i] == QLatin1String("--trim")) trim = true;
        if (args[i] == QLatin1String("--no-teardown")) teardown = false;
        if (!hasValue) continue;
        if (args[i] == QLatin1String("--window")) which = args[i + 1].toInt();
        if (args[i] == QLatin1String("--games")) games = std::max(1, args[i + 1].toInt());
        if (args[i] == QLatin1String("--speed")) speed = args[i + 1].toInt();
        if (args[i] == QLatin1String("--gap")) gapMs = std::max(0, args[i + 1].toInt());
        if (args[i] == QLatin1String("--dialogs")) dialogsEvery = std::max(0, args[i + 1].toInt());
        if (args[i] == QLatin1String("--size")) {
            const QStringList wh = args[i + 1].split(QLatin1Char('x'));
            if (wh.size() == 2) size = QSize(wh[0].toInt(), wh[1].toInt());
        }
    }

    // The player file as the program keeps it, in a folder of its own.
    QTemporaryDir settings;
    KenoApp app(std::make_unique<IniSettingsStore>(settings.filePath(QStringLiteral("keno22.ini"))));
    app.SetExitHandler([] {});
    app.SetRandomSource(std::make_unique<SeededRandomSource>(2024));
    app.SetClock(std::make_unique<StillClock>());
    app.Start();

    Soak soak(app);
    soak.games = games;
    soak.dialogsEvery = dialogsEvery;
    soak.gapMs = gapMs;
    soak.trim = trim;
    clsKenoBoard* board = nullptr;
    std::function<void()> redraw;
    if (which == 20) {
        app.SwitchTo20Ball();
        Keno20Window* window = app.Keno20();
        if (window == nullptr) return 1;
        soak.window = window;
        soak.kind = GameKind::Keno20;
        board = &window->Board();
        redraw = [window] { window->Redraw(); };
    } else {
        Keno22Window* window = app.Keno22();
        soak.window = window;
        board = &window->Board();
        redraw = [window] { window->Redraw(); };
        soak.offerOpen = [window] { return window->Game().OfferOpen(); };
    }
    soak.autoSelect = [board, redraw] {
        board->AutoSelect();
        redraw();
    };
    if (size.isValid()) soak.window->resize(size);
    soak.runner = soak.window->findChild<PacedRunner*>(QStringLiteral("runner"));
    soak.play = soak.window->findChild<QAbstractButton*>(QStringLiteral("start"));
    if (soak.runner == nullptr || soak.play == nullptr) {
        std::fprintf(stderr, "the window has no runner or PLAY button\n");
        return 1;
    }
    QObject::connect(soak.runner, &PacedRunner::finished, [&soak] {
        ++soak.sequences;
        // After the step's own redraw has been handled.
        QTimer::singleShot(0, [&soak] { soak.Finished(); });
    });

    app.State().bank = 100000;
    app.State().coinsbet = 1;
    for (int n : kTicket) board->MarkSquare(n);
    redraw();
    QTimer::singleShot(500, [&soak, speed, &app] {
        app.State().reelspeed = static_cast<std::int16_t>(speed);
        soak.samples.push_back(Take(0, soak.trim));
        soak.Next();
    });
    QApplication::exec();
    std::printf("== %s window, %d games at speed %d, %d ms between games%s%s%s\n", which == 20 ? "20-ball" : "22-ball",
                games, speed, gapMs,
                dialogsEvery > 0 ? (", dialogs every " + std::to_string(dialogsEvery) + " games").c_str() : "",
                trim ? ", malloc_trim before each sample" : "",
                QAccessible::isActive() ? ", accessibility bridge active" : "");
    soak.Print();
    std::fflush(stdout);
    if (!teardown) std::_Exit(soak.stuck ? 2 : 0);  // not even static destructors (the pixmap cache)
    return soak.stuck ? 2 : 0;
}
