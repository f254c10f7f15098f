// Autoplay on the real machine: it stops on each of its conditions, on a key or a click on the
// window (which does nothing else), answers the offer as set, is stopped safely by leaving the
// window, and its games add up exactly as the same games played by hand.
#include <QCheckBox>
#include <QMenuBar>
#include <QRadioButton>
#include <QSignalSpy>
#include <QSpinBox>

#include "autoplay/Autoplay.h"
#include "autoplay/AutoplayDialog.h"
#include "options/OptionsDialog.h"
#include "history/GameHistory.h"
#include "tests/keno22/Keno22WindowRig.h"
#include "widgets/LitLabel.h"

using namespace keno;
using namespace keno::uitest;

Q_DECLARE_METATYPE(keno::StopReason)
Q_DECLARE_METATYPE(keno::OfferAnswer)
Q_DECLARE_METATYPE(keno::AutoplaySettings)
Q_DECLARE_METATYPE(std::vector<std::vector<int>>)

namespace {

const std::vector<int> kPair{5, 17};
const std::vector<int> kFour{10, 20, 30, 40};

std::vector<int> Loss(const std::vector<int>& ticket) { return DrawOf({}, ticket); }

QString Name(std::optional<StopReason> why) {
    if (!why) return QStringLiteral("still running");
    const char* const names[] = {"done", "credit below bet", "big win", "player stopped", "refused", "no game",
                                 "offer left", "window left"};
    return QString::fromLatin1(names[static_cast<int>(*why)]);
}

// Each machine's own history file.
struct DataHome {
    QTemporaryDir folder;
    DataHome() { qputenv("XDG_DATA_HOME", folder.path().toLocal8Bit()); }
};

// The 22-ball window with a record, a ticket, scripted draws and autoplay paced for a test.
struct Table {
    DataHome data;
    Keno22Rig rig;
    Autoplay* autoplay = nullptr;
    std::vector<SettledGame> settled;
    std::unique_ptr<QSignalSpy> stopped;

    Table(int bank, int bet, const std::vector<int>& ticket, std::vector<std::vector<int>> draws,
          int betweenMs = 20, int offerMs = 40) {
        rig.Rig().PutRecord(1, {{"bank", QString::number(bank)}, {"coinsbet", QString::number(bet)},
                                {"reelspeed", "1"}, {"amountinvested", QString::number(bank)}});
        for (auto& draw : draws) rig.NextDraw(std::move(draw));
        if (!rig.Start()) return;
        rig.Mark(ticket);
        autoplay = Find<Autoplay>(rig.Window(), QStringLiteral("autoplay"));
        if (!autoplay) return;
        autoplay->SetPauses(betweenMs, offerMs);
        stopped = std::make_unique<QSignalSpy>(autoplay, &Autoplay::stopped);
        QObject::connect(rig.Window(), &GameWindow::gameSettled,
                         [this](const SettledGame& game) { settled.push_back(game); });
    }
    bool Ready() const { return autoplay && stopped; }
    MachineState& State() { return rig.State(); }
    // Waits for the run to end; its reason.
    std::optional<StopReason> Ended(int timeoutMs = 60000) {
        if (stopped->isEmpty() && !stopped->wait(timeoutMs)) return std::nullopt;
        return stopped->takeFirst().at(0).value<StopReason>();
    }
    bool GameRunning() const { return rig.Window()->Game().Running(); }
    QString Counter() const { return autoplay->Counter()->text(); }
};

AutoplaySettings Run(int games, bool stopBelowBet = true, int stopOnWin = 0, OfferAnswer offer = OfferAnswer::AskMe) {
    return {games, stopBelowBet, stopOnWin, offer};
}

}  // namespace

class AutoplayTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { qRegisterMetaType<StopReason>(); }
    void startedFromItsDialog();
    void stopsOnEachCondition_data();
    void stopsOnEachCondition();
    void aKeyOrAClickStopsItAndDoesNothingElse_data();
    void aKeyOrAClickStopsItAndDoesNothingElse();
    void answersTheOfferAsSet_data();
    void answersTheOfferAsSet();
    void leavingTheWindowStopsIt_data();
    void leavingTheWindowStopsIt();
    void itsGamesAddUpAsGamesPlayedByHand();
};

void AutoplayTest::startedFromItsDialog() {
    Table table(100, 2, kPair, {});
    QVERIFY(table.Ready());
    QVERIFY(TriggerAction(table.rig.Window(), "mnuautoplay"));
    auto* dialog = Find<AutoplayDialog>(table.rig.Window(), QStringLiteral("autoplaydialog"));
    QVERIFY(dialog && dialog->isVisible() && dialog->isModal());
    QVERIFY(ClickNamed(dialog, "autoplaygames_25") && ClickNamed(dialog, "autoplaystoponwin"));
    Find<QSpinBox>(dialog, QStringLiteral("autoplaywin"))->setValue(40);
    QVERIFY(ClickNamed(dialog, "autoplaystopbelowbet") && ClickNamed(dialog, "autoplaybuy"));
    QVERIFY(ClickNamed(dialog, "autoplaystart"));
    QVERIFY(table.autoplay->Running());
    QCOMPARE(table.autoplay->Plan()->Settings(), Run(25, false, 40, OfferAnswer::Buy));
    QCOMPARE(table.Counter(), QStringLiteral("AUTOPLAY: 25 GAMES LEFT  (ANY KEY STOPS)"));
    QVERIFY(table.autoplay->Counter()->isVisible());
    // The menu entry (and its key R) while it runs: a stop, not a second dialog.
    QVERIFY(TriggerAction(table.rig.Window(), "mnuautoplay"));
    QCOMPARE(Name(table.Ended()), Name(StopReason::PlayerStopped));
    const auto dialogs = table.rig.Window()->findChildren<AutoplayDialog*>();
    QVERIFY(std::none_of(dialogs.begin(), dialogs.end(), [](QWidget* d) { return d->isVisible(); }));
    QVERIFY(table.rig.Rig().WaitSettled());
}

void AutoplayTest::stopsOnEachCondition_data() {
    QTest::addColumn<int>("bank");
    QTest::addColumn<int>("bet");
    QTest::addColumn<AutoplaySettings>("settings");
    QTest::addColumn<std::vector<std::vector<int>>>("draws");
    QTest::addColumn<int>("games");
    QTest::addColumn<StopReason>("why");
    QTest::addColumn<QString>("box");  // the refusal seen, if any
    QTest::addColumn<QString>("shown");  // the line left on the face
    const std::vector<int> loss = Loss(kPair), win = DrawOf(kPair, kPair);
    QTest::newRow("the count") << 100 << 2 << Run(5) << std::vector{loss, loss, loss, loss, loss} << 5
                               << StopReason::Done << QString() << "AUTOPLAY DONE: 5 GAMES PLAYED";
    QTest::newRow("credit below the bet") << 5 << 2 << Run(10) << std::vector{loss, loss} << 2
                                          << StopReason::CreditBelowBet << QString()
                                          << "AUTOPLAY STOPPED: THE CREDIT IS BELOW THE BET";
    // Told to go on, the game itself cuts the bet with a message: the game goes on, autoplay not.
    QTest::newRow("a refusal") << 3 << 2 << Run(10, false) << std::vector{loss, loss} << 2 << StopReason::Refused
                               << "You Do Not Have Enough credit For This Bet,\nYour Bet Has Been Reduced Accordingly"
                               << "AUTOPLAY STOPPED BY THE GAME'S MESSAGE";
    QTest::newRow("a win of at least 15") << 100 << 1 << Run(10, true, 15) << std::vector{loss, win} << 2
                                          << StopReason::BigWin << QString() << "AUTOPLAY STOPPED: A WIN OF 15";
    QTest::newRow("a win below it goes on") << 100 << 1 << Run(3, true, 16) << std::vector{win, loss, loss} << 3
                                            << StopReason::Done << QString() << "AUTOPLAY DONE: 3 GAMES PLAYED";
}

void AutoplayTest::stopsOnEachCondition() {
    QFETCH(int, bank);
    QFETCH(int, bet);
    QFETCH(AutoplaySettings, settings);
    QFETCH(std::vector<std::vector<int>>, draws);
    QFETCH(int, games);
    QFETCH(StopReason, why);
    QFETCH(QString, box);
    QFETCH(QString, shown);
    Table table(bank, bet, kPair, draws);
    QVERIFY(table.Ready());
    BoxAnswerer answerer;
    if (!box.isEmpty()) answerer.Arm(QMessageBox::Ok, 1, 60000);
    table.autoplay->Start(settings);
    QCOMPARE(Name(table.Ended()), Name(why));
    QVERIFY(table.rig.Rig().WaitSettled());
    QTest::qWait(100);  // longer than the pause between games: nothing more comes
    QCOMPARE(static_cast<int>(table.settled.size()), games);
    QCOMPARE(table.State().games, games);
    QCOMPARE(table.Counter(), shown);
    if (!box.isEmpty()) {
        QVERIFY(answerer.Answered());
        QCOMPARE(answerer.Seen().front().text, box);
    }
    const MachineState& s = table.State();
    QCOMPARE(s.bank, s.amountinvested - s.wager + s.total);
}

void AutoplayTest::aKeyOrAClickStopsItAndDoesNothingElse_data() {
    QTest::addColumn<QString>("what");
    QTest::addColumn<bool>("betweenGames");
    for (const char* what : {"key C", "key Escape", "key Space", "key R", "click square", "click counter",
                             "click menu bar"}) {
        QTest::newRow(what) << QString::fromLatin1(what) << false;
    }
    QTest::newRow("key X between games") << QStringLiteral("key X") << true;
    QTest::newRow("key C between games") << QStringLiteral("key C") << true;
    QTest::newRow("click COINS between games") << QStringLiteral("click coinsin") << true;
    QTest::newRow("click ERASE between games") << QStringLiteral("click rubber") << true;
}

void AutoplayTest::aKeyOrAClickStopsItAndDoesNothingElse() {
    QFETCH(QString, what);
    QFETCH(bool, betweenGames);
    const std::vector<int> loss = Loss(kPair);
    Table table(100, 2, kPair, {loss, loss, loss, loss, loss}, betweenGames ? 400 : 20);
    QVERIFY(table.Ready());
    Keno22Window* window = table.rig.Window();
    window->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(window));
    table.autoplay->Start(Run(5));
    if (betweenGames) QTRY_COMPARE(table.settled.size(), std::size_t{1});
    else QTRY_VERIFY(table.GameRunning());
    if (what.startsWith(QLatin1String("key "))) {
        const QKeySequence key(what.mid(4));
        QTest::keyClick(window, static_cast<Qt::Key>(key[0].key()));
    } else if (what == QLatin1String("click square")) {
        Click(table.rig.Square(60));
    } else if (what == QLatin1String("click counter")) {
        Click(table.autoplay->Counter());
    } else if (what == QLatin1String("click menu bar")) {
        QTest::mouseClick(window->menuBar(), Qt::LeftButton, {}, QPoint(window->menuBar()->width() - 5, 5));
    } else {
        QVERIFY(Find(window, what.mid(6))->isEnabled());  // between games: a real press, were it let through
        ClickNamed(window, what.mid(6));
    }
    if (!betweenGames) QCOMPARE(table.Counter(), QStringLiteral("AUTOPLAY STOPS AFTER THIS GAME"));
    QCOMPARE(Name(table.Ended()), Name(StopReason::PlayerStopped));
    QVERIFY(table.rig.Rig().WaitSettled());
    QTest::qWait(100);
    // The game in progress was played out, and the key or click did nothing else: no coins, no
    // other game, the ticket as it was, no dialog.
    QCOMPARE(table.settled.size(), std::size_t{1});
    QCOMPARE(table.State().amountinvested, 100);
    QCOMPARE(table.State().bank, 98);
    QCOMPARE(window->Picks(), kPair);
    QVERIFY(!QApplication::activeModalWidget());
    QCOMPARE(table.Counter(), QStringLiteral("AUTOPLAY STOPPED AFTER 1 GAME"));
    // Once stopped, keys are the game's again.
    QTest::keyClick(window, Qt::Key_C);
    QCOMPARE(table.State().amountinvested, 120);
}

void AutoplayTest::answersTheOfferAsSet_data() {
    QTest::addColumn<int>("bank");
    QTest::addColumn<OfferAnswer>("answer");
    QTest::addColumn<QString>("player");  // what the player does while the offer waits for them
    QTest::addColumn<StopReason>("why");
    QTest::addColumn<int>("games");
    QTest::addColumn<int>("offer");  // how the offer was answered
    QTest::addColumn<int>("win");
    QTest::newRow("take the win") << 100 << OfferAnswer::TakeWin << QString() << StopReason::Done << 2
                                  << int(OfferChoice::TookWin) << 16;
    QTest::newRow("buy") << 100 << OfferAnswer::Buy << QString() << StopReason::Done << 2 << int(OfferChoice::Bought)
                         << 86;
    QTest::newRow("ask me, answered") << 100 << OfferAnswer::AskMe << "takwin" << StopReason::Done << 2
                                      << int(OfferChoice::TookWin) << 16;
    QTest::newRow("ask me, Escape then answered") << 100 << OfferAnswer::AskMe << "escape takwin"
                                                  << StopReason::PlayerStopped << 1 << int(OfferChoice::TookWin) << 16;
    // Buying would need 2 of a credit of 1: the offer is left to the player, untouched.
    QTest::newRow("buy, the credit short") << 3 << OfferAnswer::Buy << QString() << StopReason::CreditBelowBet << 0
                                           << -1 << 0;
}

void AutoplayTest::answersTheOfferAsSet() {
    QFETCH(int, bank);
    QFETCH(OfferAnswer, answer);
    QFETCH(QString, player);
    QFETCH(StopReason, why);
    QFETCH(int, games);
    QFETCH(int, offer);
    QFETCH(int, win);
    Table table(bank, 2, kFour, {DrawOf({10, 20, 30}, kFour, {77, 40}), Loss(kFour)});
    QVERIFY(table.Ready());
    Keno22Window* window = table.rig.Window();
    window->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(window));
    table.autoplay->Start(Run(2, true, 0, answer));
    QTRY_VERIFY(window->OfferOpen());
    if (!player.isEmpty()) {
        // Asked: it waits for the player well past its own pause, and says so.
        QTest::qWait(200);
        QVERIFY(window->OfferOpen() && table.autoplay->Running());
        QCOMPARE(table.Counter(), QStringLiteral("AUTOPLAY: YOUR ANSWER TO THE OFFER, 2 GAMES LEFT  (ESC STOPS)"));
        if (player.startsWith(QLatin1String("escape"))) {
            QTest::keyClick(window, Qt::Key_Escape);
            QCOMPARE(table.Counter(), QStringLiteral("AUTOPLAY STOPS AFTER THIS GAME"));
        }
        // The player's own click answers the offer; it does not stop the run.
        table.rig.Click("takwin");
    }
    QCOMPARE(Name(table.Ended()), Name(why));
    QVERIFY(table.rig.Rig().WaitSettled());
    QTest::qWait(100);
    QCOMPARE(static_cast<int>(table.settled.size()), games);
    if (offer < 0) {
        QVERIFY(window->OfferOpen());
        QCOMPARE(table.State().bank, 1);
        table.rig.Click("takwin");  // the player's to answer
        QVERIFY(table.rig.Rig().WaitSettled() && !window->OfferOpen());
        QCOMPARE(table.settled.size(), std::size_t{1});
        return;
    }
    QCOMPARE(int(table.settled.front().offer), offer);
    QCOMPARE(table.settled.front().win, win);
}

void AutoplayTest::leavingTheWindowStopsIt_data() {
    QTest::addColumn<QString>("how");
    QTest::newRow("switched to the 20-ball game") << QStringLiteral("switch");
    QTest::newRow("options opened") << QStringLiteral("options");
    QTest::newRow("quit in mid-game") << QStringLiteral("quit");
}

void AutoplayTest::leavingTheWindowStopsIt() {
    QFETCH(QString, how);
    const std::vector<int> loss = Loss(kPair);
    Table table(100, 2, kPair, {loss, loss, loss, loss, loss}, 500);
    QVERIFY(table.Ready());
    KenoApp& app = table.rig.Rig().App();
    table.autoplay->Start(Run(5));
    if (how == QLatin1String("quit")) {
        QTRY_VERIFY(table.GameRunning());
        app.Quit(true);
        QVERIFY(table.rig.Rig().Exited());
    } else {
        QTRY_COMPARE(table.settled.size(), std::size_t{1});
        if (how == QLatin1String("switch")) app.SwitchTo20Ball();
        else app.OpenOptions(table.rig.Window());
        QCOMPARE(Name(table.Ended()), Name(StopReason::WindowLeft));
    }
    QTest::qWait(700);  // past the pause after which the next game would have started
    QVERIFY(!table.autoplay->Running());
    QCOMPARE(table.settled.size(), std::size_t{1});
    QCOMPARE(table.State().games, 1);
    QVERIFY(!table.rig.Rig().Running());
    if (how == QLatin1String("quit")) {
        QCOMPARE(table.rig.Rig().Stored(1, "bank"), QString::number(table.State().bank));
    }
    if (app.Options()) ClickNamed(app.Options(), "btnokplayer");
}

// The same draws played by autoplay and by hand (PLAY, then the extra balls at every offer) end in
// the same credit, totals and history.
void AutoplayTest::itsGamesAddUpAsGamesPlayedByHand() {
    const std::vector<std::vector<int>> draws{Loss(kFour), DrawOf({10, 20}, kFour), DrawOf({10, 20, 30}, kFour, {77, 40}),
                                              Loss(kFour), DrawOf({10, 20, 30}, kFour, {77, 78}), DrawOf(kFour, kFour)};
    const auto played = [&](bool byHand) {
        Table table(50, 3, kFour, draws);
        std::vector<SettledGame> games;
        if (!table.Ready()) return std::pair{MachineState{}, games};
        if (byHand) {
            for (std::size_t i = 0; i < draws.size(); ++i) {
                table.rig.Click("start");
                table.rig.Settled();
                if (table.rig.Window()->OfferOpen()) {
                    table.rig.ClickOffer();
                    table.rig.Settled();
                }
            }
        } else {
            table.autoplay->Start(Run(static_cast<int>(draws.size()), true, 0, OfferAnswer::Buy));
            table.Ended();
            table.rig.Rig().WaitSettled();
        }
        for (const GameRecord& r : table.rig.Rig().App().History().LastGames(1, 10)) games.push_back(r.game);
        return std::pair{table.State(), games};
    };
    const auto [auto_, autoGames] = played(false);
    const auto [hand, handGames] = played(true);
    QCOMPARE(autoGames.size(), draws.size());
    QVERIFY(autoGames == handGames);
    const auto figures = [](const MachineState& s) {
        return std::vector<std::int64_t>{s.bank, s.wager, s.total, s.games, s.amountinvested, s.coinsbet};
    };
    QCOMPARE(figures(auto_), figures(hand));
    QCOMPARE(auto_.bank, auto_.amountinvested - auto_.wager + auto_.total);
}

KENO_UI_TEST_MAIN(AutoplayTest)
#include "AutoplayTest.moc"
