// Memory over a long evening, without a clock: hundreds of games played through each real game
// window in virtual time, and the dialogs a player opens between games opened and closed again
// and again. Caches may fill once; nothing may grow with the number of games or of dialogs.
#include <QPushButton>  // before UiTestSupport.h, which uses it

#include <malloc.h>

#include "info/AboutWindow.h"
#include "info/PayoutsWindow.h"
#include "options/OptionsDialog.h"
#include "gamewindow/PacedRunner.h"
#include "tests/support/UiTestSupport.h"
#include "widgets/PaintKit.h"

using namespace keno;
using namespace keno::uitest;

namespace {

// Growth allowed between the two measurements. Far below what one picture per meter reading
// costs (tens of KiB a game), above the noise of Qt's own lazily filled tables.
constexpr std::size_t kHeapSlack = 256 * 1024;
constexpr int kPictureSlack = 8;  // a rare board state first seen late

const std::vector<int> kTicket{3, 18, 27, 36, 44, 59, 62, 75};

struct Footprint {
    std::size_t heap = 0;  // bytes malloc has handed out and not had back, all arenas
    int objects = 0;
    int pictures = 0;  // in the shared face cache
};

int LiveObjects() {
    int count = static_cast<int>(qApp->findChildren<QObject*>().size());
    for (QWidget* top : QApplication::topLevelWidgets())
        if (top->parent() == nullptr) count += 1 + static_cast<int>(top->findChildren<QObject*>().size());
    return count;
}

Footprint Measure() {
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    const struct mallinfo2 heap = mallinfo2();
    return {heap.uordblks + heap.hblkhd, LiveObjects(), paint::SharedCacheUse().pictures};
}

QString Describe(const Footprint& from, const Footprint& to) {
    return QStringLiteral("heap %1 -> %2 KiB, objects %3 -> %4, pictures %5 -> %6")
        .arg(from.heap / 1024).arg(to.heap / 1024).arg(from.objects).arg(to.objects)
        .arg(from.pictures).arg(to.pictures);
}

// Plays whole games on a game window as a player does, but in virtual time: PLAY is clicked, the
// paced sequence it started is taken over from the window's runner and run step by step with the
// window's redraw after each step, an offer is answered by TAKE WIN and by the extra balls in
// turn, and the window is painted once the game is over.
template <typename Window>
class Player {
public:
    explicit Player(Window* window)
        : window_(window), runner_(Find<PacedRunner>(window, QStringLiteral("runner"))) {}

    bool Ready() const { return window_ != nullptr && runner_ != nullptr; }
    int Played() const { return played_; }

    void PlayGames(int games) {
        for (int i = 0; i < games; ++i) {
            Click(Find(window_, QStringLiteral("start")));
            if (window_->Game().Running()) ++played_;
            Settle();
            if constexpr (requires { window_->Game().OfferOpen(); }) {
                if (window_->Game().OfferOpen()) {
                    QWidget* extra = Find(window_, QStringLiteral("xtraballs"));
                    if (!extra->isVisible()) extra = Find(window_, QStringLiteral("flash"));
                    Click(++offers_ % 2 == 0 ? Find(window_, QStringLiteral("takwin")) : extra);
                    Settle();
                }
            }
            // What the event loop would have delivered meanwhile: window-system events (exposes),
            // posted ones (shows, moves, repaints) and the blink timers' ticks.
            QCoreApplication::processEvents();
            window_->repaint();
        }
    }

private:
    void Settle() {
        runner_->Cancel();
        while (window_->Game().Advance()) window_->Redraw();
        window_->Redraw();
    }

    Window* window_;
    PacedRunner* runner_;
    int offers_ = 0;
    int played_ = 0;
};

}  // namespace

class MemoryFlatTest : public QObject {
    Q_OBJECT
private slots:
    void gamesLeaveTheFootprintFlat_data();
    void gamesLeaveTheFootprintFlat();
    void dialogsOpenedAgainAndAgainLeaveNothing();
};

void MemoryFlatTest::gamesLeaveTheFootprintFlat_data() {
    QTest::addColumn<bool>("twentyBall");
    QTest::newRow("22-ball window") << false;
    QTest::newRow("20-ball window") << true;
}

void MemoryFlatTest::gamesLeaveTheFootprintFlat() {
    QFETCH(bool, twentyBall);
    AppRig rig;
    QVERIFY(rig.Start());
    QWidget* window = rig.K22();
    if (twentyBall) {
        rig.App().SwitchTo20Ball();
        window = rig.K20();
        QVERIFY(window && QTest::qWaitForWindowExposed(window));
    }
    rig.State().bank = 1000000;
    rig.State().coinsbet = 1;
    QVERIFY(ClickSquares(window, kTicket));

    Player player22(rig.K22());
    Player player20(rig.K20());
    QVERIFY(twentyBall ? player20.Ready() : player22.Ready());
    const auto play = [&](int games) { twentyBall ? player20.PlayGames(games) : player22.PlayGames(games); };
    play(100);
    const Footprint at100 = Measure();
    play(400);
    const Footprint at500 = Measure();

    QCOMPARE(twentyBall ? player20.Played() : player22.Played(), 500);
    QVERIFY2(at100.pictures >= 80, "the games were not painted");
    const QString figures = Describe(at100, at500);
    qInfo("%s", qPrintable(figures));
    QVERIFY2(at500.objects == at100.objects, qPrintable(figures));
    QVERIFY2(at500.pictures <= at100.pictures + kPictureSlack, qPrintable(figures));
    QVERIFY2(at500.heap <= at100.heap + kHeapSlack, qPrintable(figures));
}

// Each round: a refused square (a message box), the options dialog, the pay schedule, the about
// window and the game information box, each shown and painted, then closed.
void MemoryFlatTest::dialogsOpenedAgainAndAgainLeaveNothing() {
    AppRig rig;
    QVERIFY(rig.Start());
    Keno22Window* window = rig.K22();
    KenoApp& app = rig.App();
    BoxAnswerer answer;
    const auto shown = [](QWidget* dialog) {
        if (dialog == nullptr || !dialog->isVisible()) return false;
        QCoreApplication::processEvents();  // what the event loop would deliver: expose, layout, paint
        dialog->repaint();
        return true;
    };
    const auto round = [&] {
        answer.Arm();
        ClickNamed(window, QStringLiteral("a_1"));  // no credit: the board says so in a box
        QVERIFY(answer.Answered());
        app.OpenOptions(window);
        QVERIFY(shown(app.Options()));
        app.Options()->close();
        app.ShowPaySchedule();
        QVERIFY(shown(app.Payouts()));
        app.Payouts()->close();
        app.ShowAbout();
        QVERIFY(shown(app.About()));
        app.About()->close();
        answer.Arm();
        app.ShowGameInformation(GameKind::Keno22, window);
        QVERIFY(answer.Answered());
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(!app.Options() && !app.Payouts() && !app.About());
        answer.Clear();  // the answerer's own record of the boxes it saw
    };
    for (int i = 0; i < 8 && !QTest::currentTestFailed(); ++i) round();
    const Footprint before = Measure();
    for (int i = 0; i < 24 && !QTest::currentTestFailed(); ++i) round();
    QVERIFY(!QTest::currentTestFailed());
    const Footprint after = Measure();

    const QString figures = Describe(before, after);
    qInfo("%s", qPrintable(figures));
    QVERIFY2(after.objects == before.objects, qPrintable(figures));
    QVERIFY2(after.pictures <= before.pictures, qPrintable(figures));
    QVERIFY2(after.heap <= before.heap + kHeapSlack, qPrintable(figures));
}

KENO_UI_TEST_MAIN(MemoryFlatTest)
#include "MemoryFlatTest.moc"
