// The extension points of the game-window frame, through the real machine: a feature attached to
// both windows adds a menu entry with its key and a panel on the face, and hears the ticket, the
// offer and each settled game exactly when they change. And the frame's shut-down from inside a
// step, which both games now share.
#include <QLabel>
#include <QMenuBar>
#include <QPointer>
#include <QPushButton>  // before UiTestSupport.h, which uses it
#include <QTest>

#include <functional>
#include <map>

#include "gamewindow/GameWindow.h"
#include "tests/support/ScriptedRandom.h"
#include "tests/support/UiTestSupport.h"
#include "widgets/ImageButton.h"
#include "widgets/KeyboardPlay.h"
#include "widgets/TwipFace.h"

using namespace keno;
using namespace keno::uitest;

namespace {

const QRect kPanelTwips(300, 100, 3000, 600);

// What one window's feature has heard.
struct Heard {
    int ticket = 0, opened = 0, changed = 0, closed = 0, keys = 0;
    std::vector<SettledGame> settled;
    QPointer<QLabel> panel;
};

// The machine with a probe feature on both game windows.
class ProbedMachine {
public:
    explicit ProbedMachine(std::deque<std::vector<int>> draws = {})
        : draws_(new ScriptedDraws(std::move(draws))), rig_(std::unique_ptr<ScriptedDraws>(draws_)) {
        rig_.App().AddGameWindowFeature([this](GameWindow& window) {
            Heard& heard = heard_[window.Kind()];
            // J: the program's own features hold the other letters.
            window.AddMenuEntry({"mnuprobe", QStringLiteral("Probe"), QKeySequence(Qt::Key_J), QStringLiteral("J"),
                                 QStringLiteral("probe"), [&heard] { ++heard.keys; }});
            heard.panel = new QLabel(QStringLiteral("probe"));
            heard.panel->setObjectName(QStringLiteral("probepanel"));
            window.AddFacePanel(heard.panel, kPanelTwips);
            QObject::connect(&window, &GameWindow::ticketChanged, [&heard] { ++heard.ticket; });
            QObject::connect(&window, &GameWindow::offerOpened, [&heard] { ++heard.opened; });
            QObject::connect(&window, &GameWindow::offerChanged, [&heard] { ++heard.changed; });
            QObject::connect(&window, &GameWindow::offerClosed, [&heard] { ++heard.closed; });
            QObject::connect(&window, &GameWindow::gameSettled,
                             [&heard](const SettledGame& game) { heard.settled.push_back(game); });
        });
    }
    AppRig& Rig() { return rig_; }
    Heard& Of(GameKind game) { return heard_[game]; }
    void NextDraw(std::vector<int> draw) { draws_->Add(std::move(draw)); }
    bool To20() { return ClickNamed(rig_.K22(), "btn20ball") && rig_.K20() && QTest::qWaitForWindowExposed(rig_.K20()); }
    bool Play(QWidget* window) { return ClickNamed(window, "start") && rig_.WaitSettled(); }

private:
    ScriptedDraws* draws_;
    AppRig rig_;
    std::map<GameKind, Heard> heard_;
};

QString Describe(const SettledGame& g) {
    const auto list = [](const std::vector<int>& numbers) {
        QStringList texts;
        for (int n : numbers) texts << QString::number(n);
        return texts;
    };
    const char* offer[] = {"none", "took win", "bought"};
    return QStringLiteral("%1 picks %2 hits %3 bet %4+%5 win %6 credit %7 offer %8 drawn %9")
               .arg(g.game)
               .arg(list(g.ticket).join(','))
               .arg(g.hits)
               .arg(g.bet)
               .arg(g.extraBet)
               .arg(g.win)
               .arg(g.creditAfter)
               .arg(QLatin1String(offer[static_cast<int>(g.offer)]))
               .arg(g.drawn.size()) +
           QStringLiteral(" from %1 extra [%2]").arg(list(g.drawn).mid(0, 3).join(','), list(g.extra).join(','));
}

}  // namespace

class GameWindowTest : public QObject {
    Q_OBJECT
private slots:
    void menuEntryKeyAndPanelOnBothWindows();
    void hooksFollowA22BallGame_data();
    void hooksFollowA22BallGame();
    void hooksFollowA20BallGameAndARefusal();
    void shutdownFromInsideAMessageOfThe20BallDraw();
};

void GameWindowTest::menuEntryKeyAndPanelOnBothWindows() {
    ProbedMachine machine;
    QVERIFY(machine.Rig().Start());
    QVERIFY(machine.To20());
    for (GameWindow* window : {static_cast<GameWindow*>(machine.Rig().K20()), static_cast<GameWindow*>(machine.Rig().K22())}) {
        if (!window->isVisible()) QVERIFY(ClickNamed(machine.Rig().K20(), "btkeno22") && QTest::qWaitForWindowExposed(window));
        window->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(window));
        Heard& heard = machine.Of(window->Kind());
        // After the three entries of the game and the machine's own features (odds, last games,
        // autoplay, charts), reached by its key, named in the key help.
        const QList<QAction*> menu = window->menuBar()->actions();
        QStringList names;
        for (const QAction* action : menu) names << action->objectName();
        QCOMPARE(names.mid(2).join('/'), QStringLiteral("MNUhelp/mnuodds/mnulastgames/mnuautoplay/mnucharts/mnuprobe"));
        QTest::keyClick(window->windowHandle(), Qt::Key_J);
        QCOMPARE(heard.keys, 1);
        QVERIFY2(GameKeysHelp(window).contains(QStringLiteral("G switch game, D odds, L last games, R autoplay, H charts, J probe.")),
                 qPrintable(GameKeysHelp(window)));
        // The panel stands on the face where the feature put it, scaled with it, over the board.
        auto* face = Find<TwipFace>(window, QStringLiteral("face"));
        QVERIFY(heard.panel && heard.panel->parentWidget() == face);
        QCOMPARE(heard.panel->geometry(), face->toPixels(kPanelTwips));
        // A button the view has disabled is not pressed for a feature either.
        window->View().Enable("rubber", false);
        window->Redraw();
        QVERIFY(!window->PressControl(QStringLiteral("rubber")) && !window->PressControl(QStringLiteral("nosuch")));
    }
}

void GameWindowTest::hooksFollowA22BallGame_data() {
    QTest::addColumn<bool>("extraBalls");
    QTest::addColumn<QString>("settled");
    QTest::newRow("take win") << false << QStringLiteral("22 picks 10,20,30,40 hits 3 bet 2+0 win 16 credit 34 offer took win drawn 20 from 10,20,30 extra []");
    QTest::newRow("extra balls") << true << QStringLiteral("22 picks 10,20,30,40 hits 4 bet 2+2 win 86 credit 102 offer bought drawn 20 from 10,20,30 extra [77,40]");
}

void GameWindowTest::hooksFollowA22BallGame() {
    QFETCH(bool, extraBalls);
    QFETCH(QString, settled);
    const std::vector<int> ticket{10, 20, 30, 40};
    ProbedMachine machine({DrawOf({10, 20, 30}, ticket, {77, 40})});
    QVERIFY(machine.Rig().Start());
    Keno22Window* window = machine.Rig().K22();
    Heard& heard = machine.Of(GameKind::Keno22);
    const int loaded = heard.ticket;
    QVERIFY(PressNamed(window, "coinsin"));
    QCOMPARE(heard.ticket, loaded);  // the credit is not the ticket
    QVERIFY(PressNamed(window, "makbet") && PressNamed(window, "makbet") && ClickSquares(window, ticket));
    QCOMPARE(heard.ticket - loaded, 6);  // two bets and four numbers
    // The draw lands on an offer: it opens, and the game is not over yet.
    QVERIFY(window->PressControl(QStringLiteral("start")) && machine.Rig().WaitSettled());
    QCOMPARE(heard.opened * 100 + heard.changed * 10 + heard.closed, 100);
    QVERIFY(heard.settled.empty());
    // The offer button is one of its two pictures at a time.
    QVERIFY(extraBalls ? window->PressControl("xtraballs") || window->PressControl("flash")
                       : window->PressControl(QStringLiteral("takwin")));
    QVERIFY(machine.Rig().WaitSettled() && !window->OfferOpen());
    QCOMPARE(heard.opened * 100 + heard.changed * 10 + heard.closed, 101);
    QCOMPARE(heard.settled.size(), std::size_t{1});
    QCOMPARE(Describe(heard.settled.front()), settled);
    QCOMPARE(heard.ticket - loaded, 6);  // playing keeps the ticket
}

void GameWindowTest::hooksFollowA20BallGameAndARefusal() {
    ProbedMachine machine({DrawOf({50, 2, 3, 4}, {1, 2, 3, 4}, {}, 20)});
    QVERIFY(machine.Rig().Start() && machine.To20());
    Keno20Window* window = machine.Rig().K20();
    Heard& heard = machine.Of(GameKind::Keno20);
    // No credit: PLAY is refused inside its sequence, and no game is settled.
    BoxAnswerer answer;
    answer.Arm();
    QVERIFY(machine.Play(window));
    QTRY_VERIFY(answer.Answered());
    QVERIFY(heard.settled.empty());
    QVERIFY(PressNamed(window, "coinsin") && PressNamed(window, "makbet"));
    QTRY_COMPARE(machine.Rig().State().coinsbet, std::int16_t{2});
    QVERIFY(ClickSquares(window, {1, 2, 3, 4}));
    QVERIFY(machine.Play(window));
    QCOMPARE(heard.settled.size(), std::size_t{1});
    QCOMPARE(Describe(heard.settled.front()), QStringLiteral("20 picks 1,2,3,4 hits 3 bet 2+0 win 10 credit 28 offer none drawn 20 from 50,2,3 extra []"));
    QCOMPARE(heard.opened + heard.closed, 0);
    QCOMPARE(machine.Of(GameKind::Keno22).settled.size(), std::size_t{0});
}

// The no-credit message is raised from inside a step of PLAY; a shut-down that comes while it is
// up must not resume the sequence from in there, but finish it once the step has returned.
void GameWindowTest::shutdownFromInsideAMessageOfThe20BallDraw() {
    ProbedMachine machine;
    QVERIFY(machine.Rig().Start() && machine.To20());
    Keno20Window* window = machine.Rig().K20();
    bool runningInside = false;
    std::function<void()> answer = [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box) return QTimer::singleShot(10, answer);
        window->SettleForShutdown();
        runningInside = window->Game().Running();
        box->button(QMessageBox::Ok)->click();
    };
    QTimer::singleShot(0, answer);
    QVERIFY(ClickNamed(window, "start"));
    QTRY_VERIFY(!window->Game().Running());
    QVERIFY(runningInside);
    QVERIFY(Find<ImageButton>(window, "start")->isEnabled());
    QCOMPARE(machine.Rig().State().games, 0);
}

KENO_UI_TEST_MAIN(GameWindowTest)
#include "GameWindowTest.moc"
