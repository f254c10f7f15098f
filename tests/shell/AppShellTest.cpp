// The machine shell driven like a player: start-up on an empty store, every way out, a quit in the
// middle of a game, an unwritable settings folder, and the first switch to the 20-ball game.
#include <QFile>
#include <QSignalSpy>

#include "info/AboutWindow.h"
#include "info/PayoutsWindow.h"
#include "options/OptionsDialog.h"
#include "tests/support/UiTestSupport.h"

using namespace keno;
using namespace keno::uitest;

namespace {

// A ticket of four spots and a draw whose first 20 balls hit `hits` of them (balls 21, 22 miss).
const std::vector<int> kTicket = {1, 2, 3, 4};
std::vector<int> DrawHitting(int hits) {
    std::vector<int> draw(kTicket.begin(), kTicket.begin() + hits);
    for (int n = 11; static_cast<int>(draw.size()) < 22; ++n) draw.push_back(n);
    return draw;
}

// Slot 1 as a player who has 100 credits, bets 2 and plays at the slowest speed, so a draw is
// still running long after PLAY.
void PutSlowPlayer(AppRig& rig) {
    rig.PutRecord(1, {{"bank", "100"}, {"coinsbet", "2"}, {"reelspeed", "20"}, {"amountinvested", "100"},
                      {"currentplayer", "Ann"}});
}

enum class Exit { MenuExit, CloseBox, Keno20MenuExit, Keno20CloseBox };

bool TakeExit(AppRig& rig, Exit exit) {
    switch (exit) {
    case Exit::MenuExit: return TriggerAction(rig.K22(), "mnexit");
    case Exit::CloseBox: return rig.K22()->close();
    case Exit::Keno20MenuExit: return TriggerAction(rig.K20(), "mnuexit");
    case Exit::Keno20CloseBox: return rig.K20()->close();
    }
    return false;
}

}  // namespace

Q_DECLARE_METATYPE(Exit)

class AppShellTest : public QObject {
    Q_OBJECT

private slots:
    void firstRunShowsAnEmptyMachine() {
        AppRig rig;
        QVERIFY(rig.Start());
        Keno22Window* k22 = rig.K22();
        QVERIFY(k22->isVisible());
        QVERIFY(!rig.K20());
        QCOMPARE(k22->pos(), QPoint(0, 0));
        QCOMPARE(k22->windowTitle(), QStringLiteral("Current Player       "));
        QCOMPARE(k22->View().Text("panelbank"), std::string("0"));
        QCOMPARE(k22->View().Text("betpan"), std::string("0"));
        QVERIFY(!EnabledNamed(k22, "makbet"));
        QVERIFY(!EnabledNamed(k22, "start"));
        QVERIFY(!EnabledNamed(k22, "rubber"));
        QVERIFY(EnabledNamed(k22, "coinsin"));
        const MachineState& s = rig.State();
        QCOMPARE(s.bank, 0);
        QCOMPARE(s.coinsbet, std::int16_t{0});
        QCOMPARE(s.reelspeed, std::int16_t{1});
        QCOMPARE(s.playerslot, std::string("1"));
        QCOMPARE(s.activegame, std::string("game1"));
        QVERIFY(!rig.HasRecord(1));  // nothing is written before an exit
    }

    void everyExitWritesTheSlotInUse_data() {
        QTest::addColumn<Exit>("exit");
        QTest::newRow("keno22 Exit menu") << Exit::MenuExit;
        QTest::newRow("keno22 close box") << Exit::CloseBox;
        QTest::newRow("keno20 Exit menu") << Exit::Keno20MenuExit;
        QTest::newRow("keno20 close box") << Exit::Keno20CloseBox;
    }
    void everyExitWritesTheSlotInUse() {
        QFETCH(Exit, exit);
        AppRig rig;
        QVERIFY(rig.Start());
        QVERIFY(PressNamed(rig.K22(), "coinsin"));
        if (exit == Exit::Keno20MenuExit || exit == Exit::Keno20CloseBox) {
            QVERIFY(ClickNamed(rig.K22(), "btn20ball"));
            QVERIFY(rig.K20());
            QVERIFY(PressNamed(rig.K20(), "coinsin"));
        }
        const std::int32_t bank = rig.State().bank;
        QVERIFY(TakeExit(rig, exit));
        QCOMPARE(rig.Exits(), 1);
        QVERIFY(rig.App().Quitting());
        QVERIFY(rig.HasRecord(1));
        QCOMPARE(rig.Stored(1, "bank"), QString::number(bank));
        QCOMPARE(rig.Stored(1, "reelspeed"), QStringLiteral("1"));
        QCOMPARE(rig.Stored(1, "currentplayer"), QString());
        // The way out runs once: the window's own close step does not quit a second time.
        rig.App().Quit(true);
        QCOMPARE(rig.Exits(), 1);
    }

    void quittingMidDrawPaysTheGame() {
        AppRig rig(std::make_unique<ScriptedDraws>(std::deque<std::vector<int>>{DrawHitting(2)}));
        PutSlowPlayer(rig);
        QVERIFY(rig.Start());
        QVERIFY(ClickSquares(rig.K22(), kTicket));
        QVERIFY(EnabledNamed(rig.K22(), "start"));
        QVERIFY(ClickNamed(rig.K22(), "start"));
        QTest::qWait(50);
        QVERIFY2(rig.K22()->Game().Running(), "the draw should still be running");

        QVERIFY(TriggerAction(rig.K22(), "mnexit"));
        QCOMPARE(rig.Exits(), 1);
        QVERIFY(!rig.Running());
        // 4 spots, 2 hits: twice the bet of 2.
        QCOMPARE(rig.Stored(1, "bank"), QStringLiteral("102"));
        QCOMPARE(rig.Stored(1, "wager"), QStringLiteral("2"));
        QCOMPARE(rig.Stored(1, "total"), QStringLiteral("4"));
        QCOMPARE(rig.Stored(1, "games"), QStringLiteral("1"));
        QCOMPARE(rig.Stored(1, "currentplayer"), QStringLiteral("Ann"));
    }

    void quittingWithTheOfferOpenTakesTheWin() {
        AppRig rig(std::make_unique<ScriptedDraws>(std::deque<std::vector<int>>{DrawHitting(3)}));
        PutSlowPlayer(rig);
        rig.PutRecord(1, {{"reelspeed", "1"}});
        QVERIFY(rig.Start());
        QVERIFY(ClickSquares(rig.K22(), kTicket));
        QVERIFY(ClickNamed(rig.K22(), "start"));
        QVERIFY(rig.WaitSettled());
        QVERIFY(rig.K22()->Game().OfferOpen());
        QCOMPARE(rig.State().bank, 98);  // the win is offered, not paid

        QVERIFY(rig.K22()->close());
        QCOMPARE(rig.Exits(), 1);
        QVERIFY(!rig.K22()->Game().OfferOpen());
        // 4 spots, 3 hits: an offer entry worth 8 times the bet; taking it does not count a game.
        QCOMPARE(rig.Stored(1, "bank"), QStringLiteral("114"));
        QCOMPARE(rig.Stored(1, "total"), QStringLiteral("16"));
        QCOMPARE(rig.Stored(1, "wager"), QStringLiteral("2"));
        QCOMPARE(rig.Stored(1, "games"), QStringLiteral("0"));
    }

    // A quit that arrives while the draw's own message box waits (the bet was lowered to the
    // credit) is finished once that step has returned, with the game paid.
    void quittingFromInsideABoxOfTheDrawWaitsForTheStep() {
        AppRig rig(std::make_unique<ScriptedDraws>(std::deque<std::vector<int>>{DrawHitting(2)}));
        rig.PutRecord(1, {{"bank", "3"}, {"coinsbet", "5"}, {"reelspeed", "1"}});
        QVERIFY(rig.Start());
        QVERIFY(ClickSquares(rig.K22(), {1, 2}));
        bool quitInside = false;
        std::function<void()> answer = [&] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (!box) return QTimer::singleShot(10, answer);
            rig.App().Quit(true);
            quitInside = rig.Exited();
            box->button(QMessageBox::Ok)->click();
        };
        QTimer::singleShot(0, answer);
        QVERIFY(ClickNamed(rig.K22(), "start"));
        QTRY_VERIFY_WITH_TIMEOUT(rig.Exited(), 20000);
        QVERIFY(!quitInside);
        QVERIFY(!rig.Running());
        // The bet of 5 became the credit of 3; 2 spots, 2 hits pay 15 times that.
        QCOMPARE(rig.Stored(1, "bank"), QStringLiteral("45"));
        QCOMPARE(rig.Stored(1, "coinsbet"), QStringLiteral("3"));
        QCOMPARE(rig.Stored(1, "games"), QStringLiteral("1"));
    }

    void anUnwritableFolderWarnsAndStillQuits() {
        QTemporaryDir folder;
        // A regular file where the settings folder should be: even root cannot write below it.
        QFile blocker(folder.filePath("plinx"));
        QVERIFY(blocker.open(QIODevice::WriteOnly));
        blocker.close();
        const QString file = folder.filePath("plinx/keno22.ini");
        AppRig rig(nullptr, file);
        QVERIFY(rig.Start());

        BoxAnswerer answerer;
        answerer.Arm(QMessageBox::Ok);
        QVERIFY(TriggerAction(rig.K22(), "mnexit"));
        QCOMPARE(rig.Exits(), 1);
        QCOMPARE(answerer.Seen().size(), std::size_t{1});
        const SeenBox& box = answerer.Seen().front();
        QCOMPARE(box.icon, QMessageBox::Warning);
        QVERIFY2(box.text.contains("could not be saved"), qPrintable(box.text));
        QVERIFY2(box.text.contains(file), qPrintable(box.text));
    }

    void firstSwitchSavesTheSlotInUseThenLoadsSlotOne_data() {
        QTest::addColumn<int>("slot");
        QTest::newRow("playing on slot 3") << 3;
        QTest::newRow("playing on slot 1 since the last save") << 1;
    }
    void firstSwitchSavesTheSlotInUseThenLoadsSlotOne() {
        QFETCH(int, slot);
        AppRig rig;
        rig.PutRecord(1, {{"bank", "40"}, {"coinsbet", "3"}, {"currentplayer", "One"}});
        rig.PutRecord(3, {{"bank", "500"}, {"coinsbet", "2"}, {"currentplayer", "Three"}});
        QVERIFY(rig.Start());
        if (slot == 3) {
            // What the options dialog's slot button does.
            rig.State().playerslot = "3";
            rig.App().Ledger().LoadRecord(3);
        }
        const std::int32_t before = rig.State().bank;
        QVERIFY(PressNamed(rig.K22(), "coinsin"));
        QCOMPARE(rig.State().bank, before + 20);

        QSignalSpy created(&rig.App(), &KenoApp::keno20Created);
        QVERIFY(ClickNamed(rig.K22(), "btn20ball"));
        QCOMPARE(created.count(), 1);
        QVERIFY(rig.K20() && rig.K20()->isVisible());
        QVERIFY(!rig.K22()->isVisible());
        QCOMPARE(rig.Stored(slot, "bank"), QString::number(before + 20));

        const MachineState& s = rig.State();
        QCOMPARE(s.playerslot, std::string("1"));
        QCOMPARE(s.activegame, std::string("game2"));
        QCOMPARE(s.bank, slot == 1 ? 60 : 40);
        QCOMPARE(s.coinsbet, std::int16_t{1});
        QCOMPARE(s.currentplayer, std::string("One"));

        // Back and forth again: the same windows, the meters untouched.
        Keno20Window* k20 = rig.K20();
        const MachineState kept = rig.State();
        QVERIFY(ClickNamed(k20, "btkeno22"));
        QVERIFY(rig.K22()->isVisible() && !k20->isVisible());
        QCOMPARE(rig.State().activegame, std::string("game1"));
        QVERIFY(ClickNamed(rig.K22(), "btn20ball"));
        QCOMPARE(rig.K20(), k20);
        QCOMPARE(created.count(), 1);
        MachineState now = rig.State();
        now.activegame = kept.activegame;
        QCOMPARE(now, kept);
    }

    void optionsWaitForTheDrawToEnd() {
        AppRig rig(std::make_unique<ScriptedDraws>(std::deque<std::vector<int>>{DrawHitting(0)}));
        PutSlowPlayer(rig);
        QVERIFY(rig.Start());
        QVERIFY(ClickSquares(rig.K22(), kTicket));
        QVERIFY(ClickNamed(rig.K22(), "start"));
        QVERIFY(rig.K22()->Game().Running());
        rig.App().OpenOptions(rig.K22());
        QVERIFY(!rig.App().Options());
        QVERIFY(rig.K22()->isEnabled());

        rig.K22()->SettleForShutdown();
        rig.App().OpenOptions(rig.K22());
        QVERIFY(rig.App().Options());
        QVERIFY(rig.App().Options()->isVisible());
        QVERIFY(!rig.K22()->isEnabled());
    }

    void oneScheduleWindowAndAnAboutWindowAtTheCorner() {
        AppRig rig;
        QVERIFY(rig.Start());
        rig.App().ShowPaySchedule();
        PayoutsWindow* payouts = rig.App().Payouts();
        QVERIFY(payouts && payouts->isVisible());
        rig.App().ShowPaySchedule();
        QCOMPARE(rig.App().Payouts(), payouts);

        rig.App().ShowAbout();
        AboutWindow* about = rig.App().About();
        QVERIFY(about && about->isVisible());
        QVERIFY(!about->isModal());
        QCOMPARE(about->height(), 1830 / 15);
        QCOMPARE(about->pos(), QPoint(0, 0));
    }
};

KENO_UI_TEST_MAIN(AppShellTest)
#include "AppShellTest.moc"
