// A picture of the window after a winning game, and frames of the draw on its way there.
#include "bench/paced_game_shot.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDir>
#include <QTimer>

#include <cstdio>
#include <vector>

#include "keno22/Keno22Game.h"
#include "keno22/Keno22Window.h"
#include "shell/KenoApp.h"
#include "gamewindow/PacedRunner.h"
#include "widgets/BoardSquare.h"

namespace keno {

namespace {

// Gives the urn the fractions that draw exactly `numbers`, then whatever a fixed seed says.
class FixedDraw final : public RandomSource {
public:
    explicit FixedDraw(std::vector<int> numbers) : numbers_(std::move(numbers)) {}
    void Reseed() override {
        for (int n = 0; n < 80; ++n) pool_[n] = n + 1;
        taken_ = 0;
    }
    double Fraction() override {
        if (next_ >= numbers_.size()) return fallback_.Fraction();
        const int wanted = numbers_[next_++];
        const int inPlay = 80 - taken_;
        for (int k = 0; k < inPlay; ++k) {
            if (pool_[k] != wanted) continue;
            pool_[k] = pool_[inPlay - 1];
            ++taken_;
            return (k + 0.5) / inPlay;
        }
        return fallback_.Fraction();
    }

private:
    std::vector<int> numbers_;
    std::size_t next_ = 0;
    int pool_[80]{};
    int taken_ = 0;
    SeededRandomSource fallback_{5};
};

const std::vector<int> kTicket{7, 18, 23, 34, 52, 66};
// All six spots among the twenty: 6 of 6 at a bet of 5 pays 850.
const std::vector<int> kDraw{41, 7, 29, 63, 18, 75, 2, 23, 48, 56, 34, 11, 70, 80,
                             52, 37, 14, 66, 45, 59, 27, 9};

}  // namespace

int RunShot(KenoApp& app, const QString& file, const QString& framesDir, int frameEvery) {
    app.SetRandomSource(std::make_unique<FixedDraw>(kDraw));
    Keno22Window* window = app.Keno22();
    auto* runner = window->findChild<PacedRunner*>(QStringLiteral("runner"));
    auto* play = window->findChild<QAbstractButton*>(QStringLiteral("start"));
    if (runner == nullptr || play == nullptr) return 1;

    for (int i = 0; i < 3; ++i) window->Board().InsertCoins();
    while (app.State().coinsbet != 5) window->Board().MakeBet();
    for (int n : kTicket) window->Board().MarkSquare(n);
    window->Redraw();

    int steps = 0;
    int frames = 0;
    if (!framesDir.isEmpty()) QDir().mkpath(framesDir);
    QObject::connect(runner, &PacedRunner::stepped, window, [&] {
        if (framesDir.isEmpty() || ++steps % frameEvery != 0) return;
        window->grab().save(QStringLiteral("%1/frame-%2.png").arg(framesDir).arg(++frames, 3, 10, QLatin1Char('0')));
    });
    // After the draw, wait for the blink to show the hit pictures before the picture is taken.
    auto* hit = window->findChild<BoardSquare*>(QStringLiteral("a_%1").arg(kTicket.front()));
    QTimer poll;
    poll.setInterval(20);
    QObject::connect(&poll, &QTimer::timeout, window, [&] {
        if (window->Game().Running() || hit->view().picture != SquarePicture::Hit) return;
        poll.stop();
        window->grab().save(file);
        std::printf("saved %s (%d frames)\n", qPrintable(file), frames);
        QApplication::quit();
    });
    QObject::connect(runner, &PacedRunner::finished, window, [&] { poll.start(); });
    QTimer::singleShot(400, play, [play] { play->click(); });
    QApplication::exec();
    return 0;
}

}  // namespace keno
