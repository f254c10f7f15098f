#pragma once
// The 22-ball window on a machine with a private settings file and scripted draws, driven by
// object names like a player would.
#include <QPushButton>  // before UiTestSupport.h, which uses it
#include <QEventLoop>
#include <QTest>
#include <QTimer>

#include <memory>
#include <vector>

#include "core/Clock.h"
#include "keno22/Keno22Game.h"
#include "keno22/Keno22Window.h"
#include "gamewindow/PacedRunner.h"
#include "tests/support/ScriptedRandom.h"
#include "tests/support/UiTestSupport.h"
#include "widgets/BoardSquare.h"
#include "widgets/ImageButton.h"

namespace keno::uitest {

// A clock that stands still: each extra ball then rests for the shortest landing wait.
struct StillClock final : Clock {
    double SecondsSinceMidnight() override { return 1000.49; }
};

class Keno22Rig {
public:
    Keno22Rig() : draws_(new ScriptedDraws({})), rig_(std::unique_ptr<ScriptedDraws>(draws_)) {
        rig_.App().SetClock(std::make_unique<StillClock>());
    }

    AppRig& Rig() { return rig_; }
    MachineState& State() { return rig_.State(); }
    Keno22Window* Window() const { return rig_.K22(); }
    bool Start() { return rig_.Start(); }
    // The next draw (PLAY or AUTO SELECT) gives these numbers.
    void NextDraw(std::vector<int> numbers) { draws_->Add(std::move(numbers)); }

    ImageButton* Button(const char* name) const { return Find<ImageButton>(Window(), QString::fromLatin1(name)); }
    BoardSquare* Square(int n) const { return Find<BoardSquare>(Window(), QStringLiteral("a_%1").arg(n)); }
    QWidget* Ball(int position) const { return Find(Window(), QStringLiteral("ball_%1").arg(position)); }
    QString Text(const char* name) const { return TextOf(Window(), QString::fromLatin1(name)); }
    bool Enabled(const char* name) const { return EnabledNamed(Window(), QString::fromLatin1(name)); }
    // Names of `names` whose enabled state is not `on`, for one readable failure.
    QString Wrong(std::initializer_list<const char*> names, bool on) const {
        QString wrong;
        for (const char* n : names)
            if (Enabled(n) != on) wrong += QString::fromLatin1(n) + u' ';
        return wrong;
    }
    bool TimerActive(const char* name) const { return Find<QTimer>(Window(), QString::fromLatin1(name))->isActive(); }

    void Click(const char* name) { ClickNamed(Window(), QString::fromLatin1(name)); }
    void Mark(const std::vector<int>& numbers) { ClickSquares(Window(), numbers); }
    // The offer button shows one of its two pictures at a time.
    void ClickOffer() { uitest::Click(Button("xtraballs")->isVisible() ? Button("xtraballs") : Button("flash")); }
    // COINS once and MAKE BET until the bet is `bet`.
    void Fund(int bet) {
        PressNamed(Window(), QStringLiteral("coinsin"));
        while (State().coinsbet != bet) PressNamed(Window(), QStringLiteral("makbet"));
    }
    // PLAY with the given draw, waiting until the draw has been valued.
    bool Play(std::vector<int> draw) {
        NextDraw(std::move(draw));
        Click("start");
        return Settled();
    }
    // Runs the event loop until the running sequence has ended (polling would add a sleep to
    // every step of the draw).
    bool Settled() {
        if (!Window()->Game().Running()) return true;
        QEventLoop loop;
        QObject::connect(Find<PacedRunner>(Window(), QStringLiteral("runner")), &PacedRunner::finished, &loop, &QEventLoop::quit);
        QTimer::singleShot(60000, &loop, &QEventLoop::quit);
        loop.exec();
        return !Window()->Game().Running();
    }

private:
    ScriptedDraws* draws_;
    AppRig rig_;
};

}  // namespace keno::uitest
