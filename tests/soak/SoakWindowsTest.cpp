// The whole machine through its real windows under a seeded random player: game switches by
// button, G key and direct call (also in mid-game), options slot changes (some slots stored with
// a bet outside 0..5), About opened and closed (also over the options), presses landing inside
// another press's effect, the odds screen opened and closed, autoplay runs (stopped by a key or a
// click, or left to end) and the last games replayed. After every action credit = invested -
// wagered + won, with the extra-ball bets counted, every settled game paid its pay at the bet it
// charged, an open odds screen shows the ticket in view and the extra-ball advisor is up exactly
// while the offer is open.
// KENO_SOAK_WINDOW_ACTIONS and KENO_SOAK_SEED change the run.
#include <QElapsedTimer>
#include <QRadioButton>

#include <random>

#include "autoplay/Autoplay.h"
#include "autoplay/AutoplayDialog.h"
#include "info/AboutWindow.h"
#include "keno20/Keno20PaySchedule.h"
#include "keno22/Keno22PaySchedule.h"
#include "odds/ExtraBallAdvisor.h"
#include "odds/OddsFeature.h"
#include "odds/OddsWindow.h"
#include "options/OptionsDialog.h"
#include "recall/RecallWindow.h"
#include "tests/keno22/Keno22WindowRig.h"

using namespace keno;
using namespace keno::uitest;

namespace {

std::uint64_t Setting(const char* name, std::uint64_t fallback) {
    const char* text = std::getenv(name);
    return (text && *text) ? std::strtoull(text, nullptr, 10) : fallback;
}

// Answers every message box with its default button, as a patient player would.
class BoxCloser {
public:
    BoxCloser() {
        timer_.setInterval(5);
        QObject::connect(&timer_, &QTimer::timeout, [this] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (!box || !box->isVisible()) return;
            ++closed;
            QAbstractButton* button = box->defaultButton() ? box->defaultButton() : box->button(QMessageBox::Ok);
            button ? button->click() : box->done(0);
        });
        timer_.start();
    }
    int closed = 0;

private:
    QTimer timer_;
};

}  // namespace

class SoakWindowsTest : public QObject {
    Q_OBJECT

    std::unique_ptr<Keno22Rig> rig_;
    std::mt19937_64 player_;
    std::mt19937_64 oddsPlayer_;  // apart, so the odds leave the rest of the run as it was
    int oddsShown_ = 0;           // actions after which the odds screen was open
    std::int64_t invested_ = 0;  // what COINS put in since the slot's record was empty
    int autoplayRuns_ = 0, autoplayGames_ = 0, recalls_ = 0;
    QStringList log_;
    QString failure_;

    AppRig& Machine() { return rig_->Rig(); }
    MachineState& State() { return Machine().State(); }
    bool In22() const { return rig_->Rig().State().activegame != "game2"; }
    QWidget* Active() { return In22() ? static_cast<QWidget*>(Machine().K22()) : Machine().K20(); }
    int Pick(int low, int high) { return std::uniform_int_distribution<int>(low, high)(player_); }
    bool Chance(double p) { return std::uniform_real_distribution<double>(0, 1)(player_) < p; }

    bool Require(bool condition, const QString& what) {
        if (!condition && failure_.isEmpty()) {
            const MachineState& s = State();
            failure_ = QStringLiteral("%1 (bank %2 invested %3 wager %4 total %5 games %6 bet %7 slot %8)\n  %9")
                           .arg(what).arg(s.bank).arg(s.amountinvested).arg(s.wager).arg(s.total).arg(s.games)
                           .arg(s.coinsbet).arg(QString::fromStdString(s.playerslot)).arg(log_.join("\n  "));
        }
        return condition;
    }
    void Log(const QString& entry) {
        log_ << entry;
        if (log_.size() > 30) log_.removeFirst();
    }

    void Switch() {
        const int way = Pick(0, 2);
        Log(QStringLiteral("  switch by %1").arg(way == 0 ? "button" : way == 1 ? "G key" : "call"));
        QWidget* here = Active();
        const std::string slot = State().playerslot;
        if (way == 0) ClickNamed(here, In22() ? "btn20ball" : "btkeno22");
        if (way == 1) {
            here->activateWindow();
            if (QTest::qWaitForWindowActive(here, 1000)) QTest::keyClick(here->windowHandle(), Qt::Key_G);
        }
        if (way == 2) In22() ? Machine().App().SwitchTo20Ball() : Machine().App().SwitchTo22Ball();
        if (Machine().K20()) QTest::qWaitForWindowExposed(Active());
        // The 20-ball game's first load goes back to slot 1: that player's books from here on.
        if (State().playerslot != slot) invested_ = State().amountinvested;
    }

    void Options() {
        QWidget* here = Active();
        const bool about = Chance(0.3);
        if (about) TriggerAction(here, In22() ? "mnabout" : "mnuabout");
        if (!ClickNamed(here, "mnuoptions") || !QTest::qWaitFor([this] { return Machine().App().Options(); }, 2000))
            return;
        Require(!here->isEnabled(), "the game window takes presses under the options");
        const int slot = Pick(1, 6);
        if (slot != std::stoi(State().playerslot) && Chance(0.3)) {
            static const char* const kBad[] = {"-5", "9", "6", "32767"};
            Machine().PutRecord(slot, {{"coinsbet", kBad[Pick(0, 3)]}});
        }
        Log(QStringLiteral("  options: slot %1%2").arg(slot).arg(about ? ", About closed over it" : ""));
        if (about && Machine().App().About()) Machine().App().About()->close();
        Require(!here->isEnabled(), "closing About enabled the game window under the options");
        Click(Find<QRadioButton>(Machine().App().Options(), QStringLiteral("machine_%1").arg(slot)));
        ClickNamed(Machine().App().Options(), "btnokplayer");
        QTest::qWaitFor([this] { return !Machine().App().Options(); }, 2000);
        Require(State().coinsbet >= 0 && State().coinsbet <= 5, "a bet outside 0..5 was loaded");
        invested_ = State().amountinvested;  // another player's books from here on
    }

    // PLAY, sometimes right after another press or with a switch attempt inside its press effect;
    // then the settled game is checked against its pay at the bet it charged.
    void Play() {
        QWidget* here = Active();
        const bool k22 = In22();
        const int games = State().games;
        const int first = Pick(0, 5);
        if (first == 0) PressNamed(here, "makbet"), Log("  MAKE BET just before");
        if (first == 1) ClickNamed(here, "btnautoselect"), Log("  AUTO SELECT just before");
        ClickNamed(here, "start");
        if (Chance(0.3)) Switch();
        Machine().WaitSettled();
        if (State().games == games) return;
        const std::int32_t bet = k22 ? Machine().K22()->Game().bet() : Machine().K20()->Game().bet();
        if (!k22) {
            const Keno20Game& game = Machine().K20()->Game();
            const auto pay = Keno20PaySchedule::Lookup(game.spots(), game.hits());
            Require(game.win() == (pay ? bet * pay->multiplier : 0), "a 20-ball game paid other than its pay");
        } else if (!Machine().K22()->Game().OfferOpen()) {
            const Keno22Game& game = Machine().K22()->Game();
            Require(game.win() == (game.hits() < 2 ? 0 : Keno22PaySchedule::Win(game.spots(), game.hits(), game.bet())),
                    "a 22-ball game paid other than its pay");
        }
        Require(State().games == games + 1, "a game counted other than once");
    }

    void AnswerOffer() {
        Keno22Game& game = Machine().K22()->Game();
        const bool buy = Chance(0.5);
        Log(buy ? "  extra balls" : "  TAKE WIN");
        if (Chance(0.3)) Switch();  // refused: the offer must be answered first
        Require(In22(), "the switch left an open offer");
        buy ? rig_->ClickOffer() : rig_->Click("takwin");
        if (Chance(0.3)) Switch();
        Machine().WaitSettled();
        if (game.OfferOpen()) return;  // refused for credit
        Require(game.win() == Keno22PaySchedule::Win(game.spots(), game.hits(), game.bet()),
                "the answered offer paid other than its pay at the bet charged");
    }

    // Now and then the odds screen is opened (menu entry or key D) or closed, whatever else is going on.
    void Odds(int action) {
        const int roll = std::uniform_int_distribution<int>(0, 99)(oddsPlayer_);
        if (roll >= 6) return;
        auto* here = static_cast<GameWindow*>(Active());
        OddsWindow* screen = Machine().App().Odds().Screen();
        if (roll < 2 && screen) {
            Log(QStringLiteral("%1: odds closed").arg(action));
            screen->close();
        } else if (roll < 4) {
            Log(QStringLiteral("%1: odds by the menu").arg(action));
            TriggerAction(here, "mnuodds");
        } else {
            Log(QStringLiteral("%1: odds by D").arg(action));
            here->activateWindow();
            if (QTest::qWaitForWindowActive(here, 1000)) QTest::keyClick(here->windowHandle(), Qt::Key_D);
        }
    }

    void CheckOdds() {
        auto* view = static_cast<GameWindow*>(Active());
        if (const OddsWindow* screen = Machine().App().Odds().Screen()) {
            const OddsInput ticket{In22() ? OddsGame::Keno22 : OddsGame::Keno20, static_cast<int>(view->Picks().size()),
                                   view->Bet()};
            Require(screen->Input() == ticket, "the odds screen shows another ticket than the one in view");
            ++oddsShown_;
        }
        const auto* advisor = Find<ExtraBallAdvisor>(Machine().K22(), QStringLiteral("extraballadvisor"));
        Require(advisor && advisor->isHidden() != Machine().K22()->OfferOpen(),
                "the extra-ball advisor is not up exactly while the offer is open");
    }

    // Autoplay from its dialog with random choices; the soak answers an offer it is asked about,
    // and sometimes stops the run with a key or a click on the window.
    void RunAutoplay() {
        auto* window = static_cast<GameWindow*>(Active());
        auto* autoplay = Find<keno::Autoplay>(window, QStringLiteral("autoplay"));
        if (!Require(autoplay != nullptr, "no autoplay on the window")) return;
        autoplay->SetPauses(10, 10);
        // As a player would before a run: some credit and a ticket.
        if (State().bank < 10 && EnabledNamed(window, "coinsin")) PressNamed(window, "coinsin"), invested_ += 20;
        if (window->Picks().size() < 3) ClickNamed(window, "btnautoselect");
        QTest::qWait(110);  // AUTO SELECT's press effect
        TriggerAction(window, "mnuautoplay");
        AutoplayDialog* dialog = nullptr;
        for (AutoplayDialog* d : window->findChildren<AutoplayDialog*>())
            if (d->isVisible()) dialog = d;
        if (!dialog) return Log("  no dialog (a game in hand)");
        ClickNamed(dialog, "autoplaygames_5");
        if (Chance(0.3)) ClickNamed(dialog, "autoplaystopbelowbet");
        if (Chance(0.3)) ClickNamed(dialog, "autoplaystoponwin");
        const char* const answers[] = {"autoplayask", "autoplaytake", "autoplaybuy"};
        const char* answer = answers[Pick(0, 2)];
        if (In22()) ClickNamed(dialog, answer);
        ClickNamed(dialog, "autoplaystart");
        const int stopAfterMs = Chance(0.5) ? Pick(0, 1500) : -1;
        const int gamesBefore = State().games;
        ++autoplayRuns_;
        Log(QStringLiteral("  autoplay, %1%2").arg(QLatin1String(answer)).arg(stopAfterMs >= 0 ? ", stopped" : ""));
        QElapsedTimer clock;
        clock.start();
        while (autoplay->Running() && clock.elapsed() < 60000) {
            QTest::qWait(20);
            if (stopAfterMs >= 0 && clock.elapsed() > stopAfterMs) {
                if (Chance(0.5)) QTest::keyClick(window, Qt::Key_Escape);
                else Click(Find(window, QStringLiteral("a_%1").arg(Pick(1, 80))));
            }
            if (In22() && Machine().K22()->Game().OfferOpen() && !Machine().Running() &&
                autoplay->Plan()->Settings().offer == OfferAnswer::AskMe) {
                Chance(0.5) ? rig_->ClickOffer() : rig_->Click("takwin");
            }
        }
        Require(!autoplay->Running(), "autoplay ran on past its games");
        Machine().WaitSettled();
        autoplayGames_ += State().games - gamesBefore;
    }

    // The last games replayed on their own board: the machine does not move.
    void Recall() {
        QWidget* here = Active();
        const MachineState before = State();
        TriggerAction(here, "mnulastgames");
        auto* screen = Find<RecallWindow>(here, QStringLiteral("lastgames"));
        if (!Require(screen != nullptr, "no last games screen")) return;
        if (!Require(QTest::qWaitFor([screen] { return !screen->Loading(); }, 5000), "the last games never came")) return;
        const int rows = static_cast<int>(screen->Games().size());
        ++recalls_;
        Log(QStringLiteral("  last games: %1 listed").arg(rows));
        Require(rows <= 10, "more than ten last games");
        if (rows > 0) {
            screen->Choose(Pick(0, rows - 1));
            if (Chance(0.25)) Require(QTest::qWaitFor([screen] { return screen->Replay()->Finished(); }, 10000), "the replay never ended");
            const SettledGame& g = screen->Replay()->Record().game;
            Require(!screen->Replay()->Finished() || screen->Replay()->HitsSoFar() == g.hits,
                    "the replay's hits differ from the game's");
        }
        const MachineState& after = State();
        Require(std::tie(after.bank, after.wager, after.total, after.games, after.amountinvested) ==
                    std::tie(before.bank, before.wager, before.total, before.games, before.amountinvested),
                "the replay touched the machine");
        screen->close();
    }

    void Act(int action) {
        Odds(action);
        QWidget* here = Active();
        const int roll = Pick(0, 99);
        if (In22() && Machine().K22()->Game().OfferOpen()) {
            Log(QStringLiteral("%1: offer").arg(action));
            if (roll < 10 && EnabledNamed(here, "coinsin")) PressNamed(here, "coinsin"), invested_ += 20;
            else AnswerOffer();
        } else if (roll < 10) {
            Log(QStringLiteral("%1: COINS").arg(action));
            if (EnabledNamed(here, "coinsin")) PressNamed(here, "coinsin"), invested_ += 20;
        } else if (roll < 18) {
            Log(QStringLiteral("%1: MAKE BET").arg(action));
            PressNamed(here, "makbet");
        } else if (roll < 40) {
            const int n = Pick(1, 80);
            Log(QStringLiteral("%1: square %2").arg(action).arg(n));
            ClickNamed(here, QStringLiteral("a_%1").arg(n));
        } else if (roll < 48) {
            Log(QStringLiteral("%1: AUTO SELECT").arg(action));
            ClickNamed(here, "btnautoselect");
        } else if (roll < 53) {
            Log(QStringLiteral("%1: ERASE").arg(action));
            ClickNamed(here, "rubber");
        } else if (roll < 75) {
            Log(QStringLiteral("%1: PLAY").arg(action));
            Play();
        } else if (roll < 77) {
            Log(QStringLiteral("%1: autoplay").arg(action));
            RunAutoplay();
        } else if (roll < 80) {
            Log(QStringLiteral("%1: last games").arg(action));
            Recall();
        } else if (roll < 88) {
            Log(QStringLiteral("%1: switch").arg(action));
            Switch();
        } else if (roll < 95) {
            Log(QStringLiteral("%1: OPTIONS").arg(action));
            Options();
        } else {
            Log(QStringLiteral("%1: About").arg(action));
            TriggerAction(here, In22() ? "mnabout" : "mnuabout");
            if (Machine().App().About()) Machine().App().About()->close();
            QTest::qWait(1);
            Require(here->isEnabled(), "About left the game window disabled");
        }
        QTest::qWait(Pick(0, 1) * 110);  // sometimes the last press effect is over, sometimes not
        Machine().WaitSettled();
        const MachineState& s = State();
        Require(s.bank >= 0 && s.bank == s.amountinvested - s.wager + s.total,
                "credit is not invested - wagered + won");
        Require(s.amountinvested == invested_, "the invested meter differs from the coins put in");
        Require(Active()->isVisible() && (!Machine().K20() || Machine().K20()->isVisible() != Machine().K22()->isVisible()),
                "not exactly one game window in view");
        CheckOdds();
    }

private slots:
    void randomPlayerThroughTheWindows() {
        const std::uint64_t seed = Setting("KENO_SOAK_SEED", 20240611);
        const auto actions = static_cast<int>(Setting("KENO_SOAK_WINDOW_ACTIONS", 300));
        player_.seed(seed);
        oddsPlayer_.seed(seed + 1);
        rig_ = std::make_unique<Keno22Rig>();
        Machine().App().SetRandomSource(std::make_unique<SeededRandomSource>(seed));
        QVERIFY(rig_->Start());
        BoxCloser boxes;
        for (int action = 1; action <= actions && failure_.isEmpty(); ++action) Act(action);
        QVERIFY2(failure_.isEmpty(), qPrintable(QStringLiteral("seed %1: ").arg(seed) + failure_));
        qInfo("window soak: seed %llu, %d actions, %d games, %d boxes answered, odds screen open after %d, "
              "%d autoplay runs (%d games), %d last-games replays", static_cast<unsigned long long>(seed), actions,
              State().games, boxes.closed, oddsShown_, autoplayRuns_, autoplayGames_, recalls_);
    }
};

KENO_UI_TEST_MAIN(SoakWindowsTest)
#include "SoakWindowsTest.moc"
