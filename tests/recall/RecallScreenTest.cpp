// "Last games" on the real machine: the current player's games of both windows, newest first,
// ten at most, following play while the screen is open; a chosen game replays ball by ball on a
// board of its own with its hits, extra balls and win, and the machine is left exactly as it was.
#include <QTableWidget>

#include "history/GameHistory.h"
#include "recall/RecallBoard.h"
#include "recall/RecallWindow.h"
#include "tests/keno22/Keno22WindowRig.h"

using namespace keno;
using namespace keno::uitest;

namespace {

const std::vector<int> kFour{10, 20, 30, 40};

QStringList Row(const QTableWidget* list, int row) {
    QStringList cells;
    for (int column = 1; column < list->columnCount(); ++column) cells << list->item(row, column)->text();
    return cells;
}

}  // namespace

class RecallScreenTest : public QObject {
    Q_OBJECT
private slots:
    void listsAndReplaysWithoutTouchingTheMachine();
};

void RecallScreenTest::listsAndReplaysWithoutTouchingTheMachine() {
    Keno22Rig rig;
    AppRig& app = rig.Rig();
    app.PutRecord(1, {{"bank", "100"}, {"coinsbet", "2"}, {"currentplayer", "Ann"}, {"reelspeed", "1"}});
    QVERIFY(rig.Start());
    rig.Mark({5, 17});
    QVERIFY(rig.Play(DrawOf({44, 5, 17}, {5, 17})));
    rig.Click("rubber");
    rig.Mark(kFour);
    QVERIFY(rig.Play(DrawOf({10, 20, 30}, kFour, {77, 40})));
    rig.ClickOffer();
    QVERIFY(rig.Settled());
    QVERIFY(ClickNamed(app.K22(), "btn20ball") && app.K20() && QTest::qWaitForWindowExposed(app.K20()));
    QVERIFY(ClickSquares(app.K20(), {3, 4, 5}));
    rig.NextDraw(DrawOf({3, 4}, {3, 4, 5}, {}, 20));
    QVERIFY(ClickNamed(app.K20(), "start") && app.WaitSettled());

    // Opened by its key from the 20-ball window: every game of the player, newest first.
    app.K20()->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(app.K20()));
    QTest::keyClick(app.K20(), Qt::Key_L);
    auto* screen = Find<RecallWindow>(app.K20(), QStringLiteral("lastgames"));
    QVERIFY(screen && screen->isVisible());
    QTRY_VERIFY(!screen->Loading());
    QTableWidget* list = screen->List();
    QCOMPARE(list->rowCount(), 3);
    QCOMPARE(Row(list, 0), (QStringList{"K E N O", "3 4 5", "2 of 3", "1", "2"}));
    QCOMPARE(Row(list, 1), (QStringList{"K E N O 22", "10 20 30 40", "4 of 4", "2 + 2", "86"}));
    QCOMPARE(Row(list, 2), (QStringList{"K E N O 22", "5 17", "2 of 2", "2", "30"}));
    QCOMPARE(Find<QWidget>(screen, QStringLiteral("lastgamesheading"))->property("text").toString(),
             QStringLiteral("LAST GAMES OF ANN"));

    // The replay of the game with the extra balls: nothing of the machine moves.
    const MachineState before = app.State();
    const QString credit = TextOf(app.K20(), QStringLiteral("lblcredit"));
    const std::vector<int> ticket20 = app.K20()->Picks();
    app.App().SaveRecordOrWarn(nullptr);
    const QString stored = app.Stored(1, QStringLiteral("bank"));
    const QRect second = list->visualItemRect(list->item(1, 2));
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, second.center());
    QVERIFY(screen->Replay() && screen->Replay()->Record().game.extra == (std::vector<int>{77, 40}));
    QVERIFY(!screen->Replay()->Finished());
    QTRY_VERIFY_WITH_TIMEOUT(screen->Replay()->Finished(), 20000);
    using Square = RecallReplay::Square;
    const std::pair<int, Square> squares[] = {{10, Square::Hit},       {30, Square::Hit},  {40, Square::ExtraHit},
                                              {77, Square::ExtraDrawn}, {5, Square::Plain}, {80, Square::Drawn}};
    for (const auto& [n, state] : squares) QCOMPARE(int(screen->Replay()->SquareAt(n)), int(state));
    QCOMPARE(screen->Replay()->HitsSoFar(), 4);
    auto* board = Find<RecallBoard>(screen, QStringLiteral("recallboard"));
    QVERIFY2(board->accessibleDescription().endsWith(QStringLiteral("4 of 4 hit, extra balls bought for 2: WIN 86")),
             qPrintable(board->accessibleDescription()));
    const MachineState after = app.State();
    QCOMPARE(std::tie(after.bank, after.wager, after.total, after.games, after.amountinvested, after.coinsbet),
             std::tie(before.bank, before.wager, before.total, before.games, before.amountinvested, before.coinsbet));
    QCOMPARE(TextOf(app.K20(), QStringLiteral("lblcredit")), credit);
    QCOMPARE(app.K20()->Picks(), ticket20);
    QCOMPARE(app.Stored(1, QStringLiteral("bank")), stored);
    QCOMPARE(app.App().History().LastGames(1, 20).size(), std::size_t{3});
    QVERIFY(!app.Running());

    // REPLAY starts it again from the first ball.
    QVERIFY(ClickNamed(screen, "lastgamesreplay"));
    QVERIFY(screen->Replay()->Shown() < 2 && !screen->Replay()->Finished());

    // Games played while it is open join the list; it keeps the newest ten.
    for (int game = 0; game < 8; ++game) {
        rig.NextDraw(DrawOf({}, {3, 4, 5}, {}, 20));
        QVERIFY(ClickNamed(app.K20(), "start") && app.WaitSettled());
    }
    QTRY_VERIFY(!screen->Games().empty() && screen->Games().front().seq == 11);
    QCOMPARE(list->rowCount(), 10);
    QCOMPARE(Row(list, 9), (QStringList{"K E N O 22", "10 20 30 40", "4 of 4", "2 + 2", "86"}));
    QCOMPARE(screen->Replay()->Record().game.win, 86);  // the game on the board stays

    QTest::keyClick(screen, Qt::Key_Escape);
    QTRY_VERIFY(!Find<RecallWindow>(app.K20(), QStringLiteral("lastgames")));
}

KENO_UI_TEST_MAIN(RecallScreenTest)
#include "RecallScreenTest.moc"
