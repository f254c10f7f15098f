// The 22-ball window driven like a player: names, first run, whole games, the offer, the
// messages, the face's scaling and shut-down in mid-draw.
#include <QMenuBar>

#include <functional>
#include <set>

#include "info/PayoutsWindow.h"
#include "keno22/Keno22WindowImpl.h"
#include "tests/keno22/Keno22WindowRig.h"
#include "widgets/BallWidget.h"
#include "widgets/TwipFace.h"

using namespace keno;
using namespace keno::uitest;

namespace {

const std::vector<int> kFour{10, 20, 30, 40};

// Where ball `position` rests in the rack, in face pixels.
QRect RackSlot(Keno22Rig& rig, int position) {
    auto* face = Find<TwipFace>(rig.Window(), QStringLiteral("face"));
    const int left = position % 2 == 1 ? Keno22Game::kLeftOdd : Keno22Game::kLeftEven;
    const int top = Keno22Game::kRackBottom - (position > 20 ? 0 : 500 * ((position - 1) / 2));
    return face->toPixels(keno22face::BallTwips(left, top));
}

}  // namespace

class Keno22WindowTest : public QObject {
    Q_OBJECT
private slots:
    void everyControlCarriesItsNameAndTooltip_data();
    void everyControlCarriesItsNameAndTooltip();
    void firstRunShowsAnEmptyMachine();
    void controlsReachTheirActions();
    void wholeGameShowsTheDrawAndTheCredit();
    void offerAnsweredBothWays();
    void messages_data();
    void messages();
    void faceKeepsItsAspectWhenResized();
    void shutdownFromInsideAMessageOfTheDraw();
    void cleanupTestCase() { shared_.reset(); }

private:
    std::unique_ptr<Keno22Rig> shared_;  // one window for the rows of the name table
};

void Keno22WindowTest::everyControlCarriesItsNameAndTooltip_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("tooltip");
    const QString offer = QStringLiteral("When flashing , cluick for extra balls ( costs an extra bet )");
    const std::pair<const char*, QString> rows[] = {
        {"btnautoselect", "Select number automatically"}, {"rubber", "Erase numbers"}, {"coinsin", "Insert Coins"},
        {"start", "Play the game"}, {"mnuoptions", "Options Menu"}, {"mnupayouts", "Pay Schedule"},
        {"btn20ball", "20 Ball keno Game"}, {"xtraballs", offer}, {"flash", offer},
        {"takwin", "Take win instead of paying for extra balls"}, {"makbet", ""}, {"panelbank", ""}, {"betpan", ""},
        {"spts", ""}, {"hts", ""}, {"winnings", ""}, {"a_1", "Click to select this number"},
        {"a_80", "Click to select this number"}, {"ball_1", ""}, {"ball_22", ""}};
    for (const auto& [name, tip] : rows) QTest::newRow(name) << QString::fromLatin1(name) << tip;
}

void Keno22WindowTest::everyControlCarriesItsNameAndTooltip() {
    if (!shared_) {
        shared_ = std::make_unique<Keno22Rig>();
        QVERIFY(shared_->Start());
    }
    QFETCH(QString, name);
    QFETCH(QString, tooltip);
    QWidget* control = Find(shared_->Window(), name);
    QVERIFY2(control, qPrintable(name));
    QCOMPARE(control->toolTip(), tooltip);
    for (int n = 1; n <= 80; ++n) QVERIFY(shared_->Square(n));
}

void Keno22WindowTest::firstRunShowsAnEmptyMachine() {
    Keno22Rig rig;
    QVERIFY(rig.Start());
    QCOMPARE(rig.Window()->objectName(), QStringLiteral("keno22"));
    QCOMPARE(rig.Window()->windowTitle(), QStringLiteral("Current Player       "));
    QCOMPARE(rig.Text("panelbank") + rig.Text("betpan"), QStringLiteral("00"));
    QCOMPARE(rig.Wrong({"makbet", "start", "rubber", "flash", "xtraballs", "takwin"}, false) +
                 rig.Wrong({"coinsin", "btnautoselect", "btn20ball", "mnuoptions", "mnupayouts"}, true), QString());
    QCOMPARE(rig.State().activegame, std::string("game1"));
    QCOMPARE(rig.State().playerslot, std::string("1"));
    QCOMPARE(rig.State().reelspeed, std::int16_t{1});
    for (int n = 1; n <= 80; ++n) QCOMPARE(rig.Square(n)->view(), SquareView{});
    for (int i = 1; i <= 22; ++i) QVERIFY(!rig.Ball(i)->isVisible());
    QVERIFY(!rig.Window()->isMaximized());
    for (auto [name, interval, active] : {std::tuple{"Timer1", 200, false}, {"tmrflash", 200, false},
                                          {"tmrshowbuttons", 100, true}}) {
        QCOMPARE(Find<QTimer>(rig.Window(), QString::fromLatin1(name))->interval(), interval);
        QCOMPARE(rig.TimerActive(name), active);
    }
    for (auto [name, text] : {std::pair{"mnexit", "Exit"}, {"mnabout", "About"}, {"MNUhelp", "Help"}}) {
        auto* action = Find<QAction>(rig.Window(), QString::fromLatin1(name));
        QVERIFY2(action && action->text() == QLatin1String(text), name);
        QVERIFY(rig.Window()->menuBar()->actions().contains(action));
    }
}

// Presses reach the machine and show their effect: AUTO SELECT after its press, ERASE, the pay schedule.
void Keno22WindowTest::controlsReachTheirActions() {
    Keno22Rig rig;
    QVERIFY(rig.Start());
    rig.Fund(1, 1);
    QCOMPARE(rig.Text("panelbank") + "/" + rig.Text("betpan"), QStringLiteral("20/1"));
    const std::vector<int> picks{3, 14, 27, 38, 45, 52, 60, 66, 71, 80};
    rig.NextDraw(picks);
    rig.Click("btnautoselect");
    QVERIFY(rig.Button("btnautoselect")->imageHidden());  // the press shows before the numbers come
    QCOMPARE(rig.Text("spts"), QString());
    QTRY_COMPARE(rig.Text("spts"), QStringLiteral("10"));
    for (int n = 1; n <= 80; ++n) QCOMPARE(rig.Square(n)->view().picture == SquarePicture::Marked, Contains(picks, n));
    QVERIFY(rig.Enabled("start"));
    rig.Click("rubber");
    QVERIFY(rig.Button("rubber")->imageHidden());
    QTRY_VERIFY(!rig.Button("rubber")->imageHidden());  // tmrshowbuttons
    QCOMPARE(rig.Text("spts"), QString());
    QCOMPARE(rig.Square(3)->view().picture, SquarePicture::None);
    rig.Press("mnupayouts");
    QTRY_VERIFY(rig.Rig().App().Payouts() && rig.Rig().App().Payouts()->isVisible());
}

void Keno22WindowTest::wholeGameShowsTheDrawAndTheCredit() {
    Keno22Rig rig;
    rig.Rig().PutRecord(1, {{"reelspeed", "10"}});
    QVERIFY(rig.Start());
    rig.Fund(1, 3);
    rig.Mark({5, 17});
    const std::vector<int> draw = DrawOf({44, 5, 61, 17}, {5, 17});
    rig.NextDraw(draw);
    // Every step the window draws moves the first ball on its way, not only into its slot.
    std::set<int> heights;
    QObject::connect(Find<PacedRunner>(rig.Window(), QStringLiteral("runner")), &PacedRunner::stepped, rig.Window(),
                     [&] { if (rig.Ball(1)->isVisible() && !rig.Ball(2)->isVisible()) heights.insert(rig.Ball(1)->y()); });
    rig.Click("start");
    QTRY_VERIFY(rig.Window()->Game().Running() && rig.Ball(1)->isVisible());
    QCOMPARE(rig.Wrong({"start", "coinsin", "makbet", "rubber", "btnautoselect", "mnuoptions", "btn20ball"}, false),
             QString());
    QVERIFY(rig.Settled());
    QVERIFY(heights.size() >= 10);  // top edge, below the slot, ten steps up, the fall back
    QCOMPARE(rig.Window()->Board().Picks(), (std::vector<int>{5, 17}));
    for (auto [label, text] : {std::pair{"panelbank", "62"}, {"winnings", "45"}, {"hts", "2"}, {"spts", "2"}})
        QCOMPARE(rig.Text(label), QString::fromLatin1(text));
    QCOMPARE(rig.State().games, 1);
    QCOMPARE(rig.State().total, 45);
    for (int i = 1; i <= 20; ++i) {
        auto* ball = qobject_cast<BallWidget*>(rig.Ball(i));
        QVERIFY(ball->isVisible());
        QCOMPARE(ball->number(), draw[static_cast<std::size_t>(i - 1)]);
        QCOMPARE(ball->geometry(), RackSlot(rig, i));
        QCOMPARE(rig.Square(ball->number())->view().text, SquareText::OrangeRed);
    }
    QCOMPARE(rig.Square(44)->view().background, SquareBackground::White);
    QVERIFY(!rig.Ball(21)->isVisible() && !rig.Ball(22)->isVisible());
    QCOMPARE(rig.Square(1)->view(), SquareView{});
    QVERIFY(rig.TimerActive("Timer1"));  // the hits blink until the next game
    QCOMPARE(rig.Wrong({"coinsin", "makbet", "start", "rubber", "btn20ball", "btnautoselect", "mnuoptions",
                        "mnupayouts"}, true) + rig.Wrong({"takwin", "xtraballs", "flash"}, false), QString());
    QVERIFY(!rig.Button("start")->imageHidden());
}

void Keno22WindowTest::offerAnsweredBothWays() {
    for (bool extraBalls : {false, true}) {
        Keno22Rig rig;
        QVERIFY(rig.Start());
        rig.Fund(1, 2);
        rig.Mark(kFour);
        const std::vector<int> draw = DrawOf({10, 20, 30}, kFour, {77, 40});
        QVERIFY(rig.Play(draw));
        QCOMPARE(rig.Text("winnings") + "/" + rig.Text("panelbank"), QStringLiteral("16/18"));
        QCOMPARE(rig.Wrong({"takwin", "xtraballs", "flash"}, true) +
                     rig.Wrong({"start", "coinsin", "makbet", "rubber", "btn20ball", "btnautoselect", "mnuoptions",
                                "mnupayouts"}, false), QString());
        QVERIFY(rig.TimerActive("tmrflash"));
        // The two pictures of the offer button take turns at one place.
        ImageButton* extra = rig.Button("xtraballs");
        ImageButton* flash = rig.Button("flash");
        QCOMPARE(extra->geometry(), flash->geometry());
        QTRY_VERIFY(flash->isVisible() && !extra->isVisible());
        QTRY_VERIFY(extra->isVisible() && !flash->isVisible());
        if (extraBalls) {
            rig.ClickOffer();
            QVERIFY(!rig.Enabled("takwin"));
        } else {
            rig.Click("takwin");
        }
        QVERIFY(rig.Settled());
        QCOMPARE(rig.Text("hts"), extraBalls ? QStringLiteral("4") : QStringLiteral("3"));
        QCOMPARE(rig.Text("winnings"), extraBalls ? QStringLiteral("86") : QStringLiteral("16"));
        QCOMPARE(rig.Text("panelbank"), extraBalls ? QStringLiteral("102") : QStringLiteral("34"));
        QCOMPARE(rig.State().wager, 2);
        QCOMPARE(rig.State().games, 0);
        for (int i = 1; i <= 22; ++i) QCOMPARE(rig.Ball(i)->isVisible(), extraBalls == (i > 20));
        for (int i = 21; extraBalls && i <= 22; ++i) {
            QCOMPARE(qobject_cast<BallWidget*>(rig.Ball(i))->number(), draw[static_cast<std::size_t>(i - 1)]);
            QCOMPARE(rig.Ball(i)->geometry(), RackSlot(rig, i));
        }
        QVERIFY(!rig.TimerActive("tmrflash"));
        QVERIFY(extra->isVisible());
        QCOMPARE(rig.Wrong({"takwin", "xtraballs", "flash"}, false) +
                     rig.Wrong({"start", "coinsin", "makbet", "rubber", "btnautoselect"}, true), QString());
    }
}

// The boxes of the window, each raised by what a player does.
void Keno22WindowTest::messages_data() {
    QTest::addColumn<QString>("step");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("title");
    QTest::addColumn<int>("icon");
    QTest::newRow("square without credit") << "square" << "You Have No credit...Please Insert Some Coins Via The COINS Button"
                                           << " Keno" << int(QMessageBox::Information);
    QTest::newRow("PLAY without credit") << "start" << "You Have No credit !! Click On COINS Button For more credit"
                                         << "K E N O 22" << int(QMessageBox::NoIcon);
    QTest::newRow("extra balls without credit")
        << "xtraballs" << "\nYou Do Not Have Enough credit  For This Bet!! Please Insert Some More Coins.."
        << " Keno" << int(QMessageBox::Warning);
}

void Keno22WindowTest::messages() {
    QFETCH(QString, step);
    QFETCH(QString, text);
    QFETCH(QString, title);
    QFETCH(int, icon);
    Keno22Rig rig;
    if (step != "square") rig.Rig().PutRecord(1, {{"bank", step == "start" ? "1" : "3"}, {"coinsbet", step == "start" ? "1" : "3"}});
    QVERIFY(rig.Start());
    BoxAnswerer answer;
    if (step == "square") {
        answer.Arm();
        rig.Mark({17});
    } else {  // a first game spends the credit
        rig.Mark(kFour);
        QVERIFY(rig.Play(DrawOf(step == "start" ? std::vector<int>{} : std::vector<int>{10, 20, 30}, kFour)));
        QCOMPARE(rig.Text("panelbank"), QStringLiteral("0"));
        answer.Arm();
        rig.Click(step.toLatin1().constData());
        QVERIFY(rig.Settled());
    }
    QTRY_VERIFY(answer.Answered());
    QCOMPARE(answer.Seen().size(), std::size_t{1});
    QCOMPARE(answer.Seen().front().text, text);
    QCOMPARE(answer.Seen().front().title, title);
    QCOMPARE(int(answer.Seen().front().icon), icon);
    if (step == "square") {
        QCOMPARE(rig.Square(17)->view().picture, SquarePicture::None);
        QCOMPARE(rig.Text("spts"), QString());
    } else if (step == "start") {
        QCOMPARE(rig.State().games, 1);
        QCOMPARE(rig.Text("hts"), QString());
    } else {  // the offer stays open for COINS and a second press
        QCOMPARE(rig.Text("winnings"), QStringLiteral("24"));
        QVERIFY(!rig.TimerActive("tmrflash"));
        QCOMPARE(rig.Wrong({"coinsin", "xtraballs"}, true) + rig.Wrong({"takwin"}, false), QString());
        rig.Press("coinsin");
        QCOMPARE(rig.Text("panelbank"), QStringLiteral("20"));
        QCOMPARE(rig.Wrong({"makbet", "start", "rubber"}, false), QString());
        rig.ClickOffer();
        QVERIFY(rig.Settled());
        QCOMPARE(rig.Text("panelbank"), QStringLiteral("41"));  // 20 - 3 + 24
        QVERIFY(rig.Enabled("start"));
    }
}

void Keno22WindowTest::faceKeepsItsAspectWhenResized() {
    Keno22Rig rig;
    QVERIFY(rig.Start());
    Keno22Window* window = rig.Window();
    auto* face = Find<TwipFace>(window, QStringLiteral("face"));
    QVERIFY(face);
    QCOMPARE(face->size(), face->designSize() / 15);  // opens at one pixel per 15 twips
    for (QSize size : {QSize(1600, 700), QSize(700, 1200), QSize(1200, 900)}) {
        window->resize(size);
        QTRY_COMPARE(face->size().width(), window->width());
        const QRect drawn = face->faceRect();
        QVERIFY(std::abs(double(drawn.width()) / drawn.height() - 12000.0 / 8500.0) < 0.01);
        QVERIFY(face->rect().contains(drawn));
        const QRect a1 = rig.Square(1)->geometry();
        const double scale = face->pixelsPerTwip();
        QVERIFY(std::abs(a1.width() - 735 * scale) <= 1.0);
        QVERIFY(std::abs(a1.height() - 630 * scale) <= 1.0);
        QVERIFY(std::abs((rig.Square(2)->x() - a1.x()) - 780 * scale) <= 1.0);
        QVERIFY(std::abs((rig.Square(41)->y() - a1.y()) - 3210 * scale) <= 1.0);
    }
}

// The reduced-bet message is raised from inside a step of PLAY; a shut-down that comes while it
// is up must not resume the draw from in there, but finish it as soon as the step returns.
void Keno22WindowTest::shutdownFromInsideAMessageOfTheDraw() {
    Keno22Rig rig;
    rig.Rig().PutRecord(1, {{"bank", "3"}, {"coinsbet", "5"}, {"reelspeed", "20"}});
    QVERIFY(rig.Start());
    rig.Mark({1, 2});
    rig.NextDraw(DrawOf({1, 2}, {1, 2}));
    bool settledInside = true;
    std::function<void()> answer = [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box) return QTimer::singleShot(10, answer);
        rig.Window()->SettleForShutdown();
        settledInside = !rig.Window()->Game().Running();
        box->button(QMessageBox::Ok)->click();
    };
    QTimer::singleShot(0, answer);
    rig.Click("start");
    QTRY_VERIFY(!rig.Window()->Game().Running());
    QVERIFY(!settledInside);  // still running while the box was up
    QCOMPARE(rig.State().coinsbet, std::int16_t{3});
    QCOMPARE(rig.Text("panelbank"), QStringLiteral("45"));  // 0 after the bet of 3, then 15 x 3
    QCOMPARE(rig.Ball(20)->geometry(), RackSlot(rig, 20));
    QTest::qWait(100);  // no step of the settled draw comes after
    QCOMPARE(rig.Text("panelbank"), QStringLiteral("45"));
}

KENO_UI_TEST_MAIN(Keno22WindowTest)
#include "Keno22WindowTest.moc"
