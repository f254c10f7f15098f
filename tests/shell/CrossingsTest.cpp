// Where the windows meet, driven like a player: the game switch while a game is in progress, About
// over the options dialog, the caption and the 20-ball pay table after the dialog or the other
// game, a player without a bet, presses inside another press's effect, and a long name.
#include <QRadioButton>

#include "info/AboutWindow.h"
#include "options/OptionsDialog.h"
#include "keno22/Keno22Window.h"
#include "tests/keno22/Keno22WindowRig.h"
#include "widgets/LitLabel.h"

using namespace keno;
using namespace keno::uitest;

namespace {

const std::vector<int> kFour{1, 2, 3, 4};
const std::vector<int> kThree{1, 2, 3};

void Type(QWidget* window, Qt::Key key) { QTest::keyClick(window->windowHandle(), key); }

bool Activate(QWidget* window) {
    window->activateWindow();
    return QTest::qWaitForWindowActive(window);
}

// The options dialog opened from `game`, slot `slot` chosen and O.K. pressed.
bool ChooseSlot(AppRig& rig, QWidget* game, int slot) {
    if (!ClickNamed(game, "mnuoptions")) return false;
    if (!QTest::qWaitFor([&] { return rig.App().Options() != nullptr; }, 5000)) return false;
    auto* machine = Find<QRadioButton>(rig.App().Options(), QStringLiteral("machine_%1").arg(slot));
    if (!machine || !Click(machine) || !ClickNamed(rig.App().Options(), "btnokplayer")) return false;
    return QTest::qWaitFor([&] { return rig.App().Options() == nullptr; }, 5000);
}

QStringList PayTable(QWidget* keno20) {
    QStringList rows;
    for (int row = 1; row <= 3; ++row)
        rows << TextOf(keno20, QStringLiteral("spotshit_%1").arg(row)) + u':' + TextOf(keno20, QStringLiteral("winns_%1").arg(row));
    return rows;
}

}  // namespace

class CrossingsTest : public QObject {
    Q_OBJECT

private slots:
    // Button, G key and a direct call alike leave the player where the game is; once it is over,
    // the switch goes through, and the game was paid at the bet it charged.
    void noSwitchWhileAGameIsInProgress_data() {
        QTest::addColumn<bool>("from22");
        QTest::addColumn<QString>("phase");
        QTest::addColumn<QString>("way");
        for (const char* way : {"button", "G key", "call"}) {
            for (const char* phase : {"press effect", "draw", "offer", "extra balls"})
                QTest::newRow(qPrintable(QStringLiteral("22 %1, %2").arg(phase, way))) << true << phase << way;
            for (const char* phase : {"press effect", "draw"})
                QTest::newRow(qPrintable(QStringLiteral("20 %1, %2").arg(phase, way))) << false << phase << way;
        }
    }
    void noSwitchWhileAGameIsInProgress() {
        QFETCH(bool, from22);
        QFETCH(QString, phase);
        QFETCH(QString, way);
        Keno22Rig rig;
        const bool offer = phase == "offer" || phase == "extra balls";
        rig.Rig().PutRecord(1, {{"bank", "100"}, {"coinsbet", "1"}, {"reelspeed", offer ? "1" : "10"}});
        QVERIFY(rig.Start());
        AppRig& machine = rig.Rig();
        if (!from22) QVERIFY(ClickNamed(rig.Window(), "btn20ball") && QTest::qWaitForWindowExposed(machine.K20()));
        QWidget* here = from22 ? static_cast<QWidget*>(rig.Window()) : machine.K20();
        QWidget* there = from22 ? static_cast<QWidget*>(machine.K20()) : rig.Window();
        QVERIFY(Activate(here));
        QVERIFY(ClickSquares(here, from22 ? kFour : kThree));
        rig.NextDraw(offer ? DrawOf({1, 2, 3}, kFour, {77, 78}) : DrawOf({1, 2}, from22 ? kFour : kThree, {77, 78}, from22 ? 22 : 20));
        QVERIFY(ClickNamed(here, "start"));
        if (phase == "draw") QTRY_VERIFY(machine.State().bank == 99 && machine.Running());
        if (offer) QVERIFY(machine.WaitSettled() && rig.Window()->Game().OfferOpen());
        if (phase == "extra balls") {
            rig.ClickOffer();
            QVERIFY(rig.Window()->Game().Running());
        }
        const auto attempt = [&] {
            if (way == "G key") Type(here, Qt::Key_G);
            else if (way == "button") ClickNamed(here, from22 ? "btn20ball" : "btkeno22");
            else from22 ? machine.App().SwitchTo20Ball() : machine.App().SwitchTo22Ball();
        };
        attempt();
        QVERIFY(here->isVisible() && !(there && there->isVisible()));
        QCOMPARE(machine.State().activegame, std::string(from22 ? "game1" : "game2"));
        QVERIFY(machine.WaitSettled());
        if (rig.Window()->Game().OfferOpen()) {
            attempt();  // after the extra balls were refused, or before the offer is answered
            QVERIFY(here->isVisible());
            rig.Click("takwin");
            QVERIFY(machine.WaitSettled());
        }
        // 2 of 4 and 2 of 3 pay 2; 3 of 4 pays 8, taken or after extra balls that miss.
        const int win = offer ? 8 : 2;
        const int charged = phase == "extra balls" ? 2 : 1;
        QCOMPARE(machine.State().bank, 100 - charged + win);
        QCOMPARE(machine.State().wager, charged);
        QCOMPARE(machine.State().games, 1);
        if (way == "G key") QVERIFY(Activate(here));
        attempt();
        QVERIFY(!here->isVisible());
        QCOMPARE(machine.State().activegame, std::string(from22 ? "game2" : "game1"));
    }

    // Closing About enables the 22-ball window only once the options dialog has gone.
    void aboutClosedOverTheOptionsLeavesTheGameWindowToTheDialog() {
        Keno22Rig rig;
        QVERIFY(rig.Start());
        AppRig& machine = rig.Rig();
        QVERIFY(TriggerAction(rig.Window(), "mnabout"));
        QPointer<AboutWindow> about = machine.App().About();
        QVERIFY(about);
        QVERIFY(ClickNamed(rig.Window(), "mnuoptions"));
        QTRY_VERIFY(machine.App().Options() != nullptr);
        QVERIFY(!rig.Window()->isEnabled());
        QVERIFY(ClickNamed(about, "cmdOK"));
        QTRY_VERIFY(about.isNull());
        QVERIFY(!rig.Window()->isEnabled());
        QVERIFY(ClickNamed(machine.App().Options(), "btnokplayer"));
        QTRY_VERIFY(machine.App().Options() == nullptr);
        QVERIFY(rig.Window()->isEnabled());
    }

    // Slot 3 chosen in the options; the 20-ball game's first load goes back to slot 1, and the
    // 22-ball window names slot 1's player when it comes back.
    void theCaptionNamesTheLoadedPlayer() {
        Keno22Rig rig;
        AppRig& machine = rig.Rig();
        machine.PutRecord(1, {{"bank", "40"}, {"coinsbet", "1"}, {"currentplayer", "One"}});
        machine.PutRecord(3, {{"bank", "500"}, {"coinsbet", "2"}, {"currentplayer", "Three"}});
        QVERIFY(rig.Start());
        QVERIFY(ChooseSlot(machine, rig.Window(), 3));
        QCOMPARE(rig.Window()->windowTitle(), QStringLiteral("Current Player       THREE"));
        QVERIFY(ClickNamed(rig.Window(), "btn20ball") && QTest::qWaitForWindowExposed(machine.K20()));
        QVERIFY(ClickNamed(machine.K20(), "btkeno22") && rig.Window()->isVisible());
        QCOMPARE(rig.Window()->windowTitle(), QStringLiteral("Current Player       One"));
        QCOMPARE(TextOf(rig.Window(), "player"), rig.Window()->windowTitle());
        QCOMPARE(rig.Text("panelbank"), QStringLiteral("40"));
    }

    // 3 marked at bet 1, then a player whose bet is 2: the table pays at 2 as soon as the dialog
    // has closed.
    void thePayTableFollowsTheOptions() {
        Keno22Rig rig;
        AppRig& machine = rig.Rig();
        machine.PutRecord(1, {{"bank", "100"}});
        machine.PutRecord(2, {{"bank", "50"}, {"coinsbet", "2"}, {"currentplayer", "Two"}});
        QVERIFY(rig.Start());
        QVERIFY(ClickNamed(rig.Window(), "btn20ball") && QTest::qWaitForWindowExposed(machine.K20()));
        QVERIFY(ClickSquares(machine.K20(), kThree));
        QCOMPARE(PayTable(machine.K20()), (QStringList{"2:2", "3:45", ":"}));
        QVERIFY(ChooseSlot(machine, machine.K20(), 2));
        QCOMPARE(TextOf(machine.K20(), "betpan"), QStringLiteral("2"));
        QCOMPARE(PayTable(machine.K20()), (QStringList{"2:4", "3:90", ":"}));
    }

    // A vacant slot chosen with three marked: the 22-ball window no longer offers PLAY or MAKE
    // BET; coins bring MAKE BET back, a bet brings PLAY. The 20-ball window refuses PLAY with its
    // make-a-bet box.
    void aPlayerWithoutABetCannotPlay() {
        Keno22Rig rig;
        AppRig& machine = rig.Rig();
        machine.PutRecord(1, {{"bank", "100"}, {"coinsbet", "1"}});
        QVERIFY(rig.Start());
        rig.Mark(kThree);
        QVERIFY(rig.Enabled("start"));
        QVERIFY(ChooseSlot(machine, rig.Window(), 4));
        QCOMPARE(rig.Text("betpan") + '/' + rig.Text("panelbank"), QStringLiteral("0/0"));
        QCOMPARE(rig.Wrong({"start", "makbet"}, false), QString());
        PressNamed(rig.Window(), "coinsin");
        QCOMPARE(rig.Wrong({"makbet"}, true) + rig.Wrong({"start"}, false), QString());
        PressNamed(rig.Window(), "makbet");
        QCOMPARE(rig.Wrong({"start"}, true), QString());

        QVERIFY(ChooseSlot(machine, rig.Window(), 5));
        PressNamed(rig.Window(), "coinsin");
        QVERIFY(ClickNamed(rig.Window(), "btn20ball") && QTest::qWaitForWindowExposed(machine.K20()));
        QVERIFY(ClickSquares(machine.K20(), kThree));    // on slot 1 again, which has a bet
        QVERIFY(ChooseSlot(machine, machine.K20(), 5));  // credit 20, no bet
        BoxAnswerer boxes;
        boxes.Arm();
        QVERIFY(ClickNamed(machine.K20(), "start"));
        QTRY_VERIFY(boxes.Answered());
        QCOMPARE(boxes.Seen().front().text + '|' + boxes.Seen().front().title,
                 QStringLiteral(" .....    Please Make A Bet|KENO 20 BALL   Not Betting ? "));
        QCOMPARE(boxes.Seen().front().icon, QMessageBox::Critical);
        QCOMPARE(machine.State().wager + machine.State().games, 0);
    }

    // PLAY pressed while an earlier press still shows its effect plays what that press did.
    void aPressInsideAnotherPressIsNotLost_data() {
        QTest::addColumn<bool>("in22");
        QTest::addColumn<QString>("first");
        QTest::newRow("20 MAKE BET") << false << "makbet";
        QTest::newRow("20 AUTO SELECT") << false << "btnautoselect";
        QTest::newRow("20 ERASE") << false << "rubber";
        QTest::newRow("22 AUTO SELECT") << true << "btnautoselect";
    }
    void aPressInsideAnotherPressIsNotLost() {
        QFETCH(bool, in22);
        QFETCH(QString, first);
        Keno22Rig rig;
        AppRig& machine = rig.Rig();
        machine.PutRecord(1, {{"bank", "100"}, {"coinsbet", "1"}, {"reelspeed", "1"}});
        QVERIFY(rig.Start());
        if (!in22) QVERIFY(ClickNamed(rig.Window(), "btn20ball") && QTest::qWaitForWindowExposed(machine.K20()));
        QWidget* window = in22 ? static_cast<QWidget*>(rig.Window()) : machine.K20();
        QVERIFY(ClickSquares(window, {11, 12, 13, 14}));
        const std::vector<int> fresh{31, 32, 33, 34};
        if (first == "btnautoselect") rig.NextDraw(fresh);
        BoxAnswerer boxes;
        if (first == "rubber") boxes.Arm();
        first == "makbet" ? PressNamed(window, first) : ClickNamed(window, first);
        QVERIFY(ClickNamed(window, "start"));
        QVERIFY(machine.WaitSettled());
        if (first == "rubber") {
            // The ticket was erased: PLAY asks for numbers and takes nothing.
            QTRY_VERIFY(boxes.Answered());
            QCOMPARE(machine.State().wager, 0);
            return;
        }
        const int bet = first == "makbet" ? 2 : 1;
        QCOMPARE(machine.State().wager, bet);
        QCOMPARE(TextOf(window, "betpan"), QString::number(bet));
        if (first == "btnautoselect") {
            const std::vector<int> played = in22 ? rig.Window()->Game().picked() : machine.K20()->Board().Picks();
            QCOMPARE(played, fresh);
            if (!in22) QCOMPARE(machine.K20()->Game().spots(), 4);
        }
    }

    // A long name keeps the caption's size and ends in "..."; the whole caption is the tooltip
    // and the name read out.
    void aLongNameIsElided() {
        Keno22Rig rig;
        rig.Rig().PutRecord(1, {{"currentplayer", "WWWWWWWWWWWW"}});
        QVERIFY(rig.Start());
        for (QWidget* window : {static_cast<QWidget*>(rig.Window()), static_cast<QWidget*>(nullptr)}) {
            if (!window) {
                QVERIFY(ClickNamed(rig.Window(), "btn20ball") && QTest::qWaitForWindowExposed(rig.Rig().K20()));
                window = rig.Rig().K20();
            }
            auto* player = Find<LitLabel>(window, "player");
            QVERIFY(player && player->elides());
            const QString caption = QStringLiteral("Current Player       WWWWWWWWWWWW");
            QCOMPARE(window->windowTitle(), caption);
            QCOMPARE(player->toolTip() + '|' + player->accessibleName(), caption + '|' + caption);
            QVERIFY2(player->shownText().endsWith(QStringLiteral("...")) &&
                         player->shownText().startsWith(QStringLiteral("Current Player")),
                     qPrintable(player->shownText()));
        }
    }
};

KENO_UI_TEST_MAIN(CrossingsTest)
#include "CrossingsTest.moc"
