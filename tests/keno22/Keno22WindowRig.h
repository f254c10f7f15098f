#pragma once
// The 22-ball window on a machine with a private settings file and scripted draws, driven by
// object names like a player would.
#include <QPushButton>  // before UiTestSupport.h, which uses it
#include <QEventLoop>
#include <QTest>
#include <QTimer>

#include <algorithm>
#include <memory>
#include <vector>

#include "core/Clock.h"
#include "keno22/Keno22Game.h"
#include "keno22/Keno22Window.h"
#include "shell/PacedRunner.h"
#include "tests/support/UiTestSupport.h"
#include "widgets/BoardSquare.h"
#include "widgets/ImageButton.h"

namespace keno::uitest {

// A clock that stands still: each extra ball then rests for the shortest landing wait.
struct StillClock final : Clock {
    double SecondsSinceMidnight() override { return 1000.49; }
};

// 22 numbers: `first` in draw order, then numbers from 80 down that are neither on the ticket nor
// among `extras` up to 20, then `extras` (padded the same way) as balls 21 and 22.
inline std::vector<int> DrawOf(std::vector<int> first, const std::vector<int>& ticket, std::vector<int> extras = {}) {
    const auto used = [&](int n) {
        return std::count(first.begin(), first.end(), n) || std::count(ticket.begin(), ticket.end(), n) ||
               std::count(extras.begin(), extras.end(), n);
    };
    int next = 80;
    while (first.size() < 20) {
        while (used(next)) --next;
        first.push_back(next--);
    }
    while (extras.size() < 2) {
        while (used(next)) --next;
        extras.push_back(next--);
    }
    first.insert(first.end(), extras.begin(), extras.end());
    return first;
}

class Keno22Rig {
public:
    Keno22Rig() {
        auto draws = std::make_unique<ScriptedDraws>(std::deque<std::vector<int>>{});
        draws_ = draws.get();
        rig_ = std::make_unique<AppRig>(std::move(draws));
        rig_->App().SetClock(std::make_unique<StillClock>());
    }

    AppRig& Rig() { return *rig_; }
    KenoApp& App() { return rig_->App(); }
    MachineState& State() { return rig_->State(); }
    Keno22Window* Window() const { return rig_->K22(); }
    bool Start() { return rig_->Start(); }

    // The next draw (PLAY or AUTO SELECT) gives these numbers.
    void NextDraw(std::vector<int> numbers) { draws_->Add(std::move(numbers)); }

    ImageButton* Button(const char* name) const { return Find<ImageButton>(Window(), QString::fromLatin1(name)); }
    BoardSquare* Square(int n) const { return Find<BoardSquare>(Window(), QStringLiteral("a_%1").arg(n)); }
    QWidget* Ball(int position) const { return Find(Window(), QStringLiteral("ball_%1").arg(position)); }
    QString Text(const char* name) const { return TextOf(Window(), QString::fromLatin1(name)); }
    bool Enabled(const char* name) const { return EnabledNamed(Window(), QString::fromLatin1(name)); }

    void Press(const char* name) { PressNamed(Window(), QString::fromLatin1(name)); }
    void Click(const char* name) { ClickNamed(Window(), QString::fromLatin1(name)); }
    void Mark(const std::vector<int>& numbers) { ClickSquares(Window(), numbers); }

    // COINS pressed `coins` times and MAKE BET until the bet is `bet`.
    void Fund(int coins, int bet) {
        for (int i = 0; i < coins; ++i) Press("coinsin");
        while (State().coinsbet != bet) Press("makbet");
    }
    // PLAY with the given draw, waiting until the draw has been valued.
    bool Play(std::vector<int> draw) {
        NextDraw(std::move(draw));
        Click("start");
        return Settled();
    }
    // Runs the event loop until the running sequence has ended (polling would add a sleep to
    // every step of the draw).
    bool Settled(int timeoutMs = 60000) {
        if (!Window()->Game().Running()) return true;
        auto* runner = Find<PacedRunner>(Window(), QStringLiteral("runner"));
        if (runner == nullptr) return false;
        QEventLoop loop;
        QObject::connect(runner, &PacedRunner::finished, &loop, &QEventLoop::quit);
        QTimer::singleShot(timeoutMs, &loop, &QEventLoop::quit);
        loop.exec();
        return !Window()->Game().Running();
    }

private:
    ScriptedDraws* draws_ = nullptr;
    std::unique_ptr<AppRig> rig_;
};

}  // namespace keno::uitest
