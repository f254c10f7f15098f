// The 22-ball window as a player meets it: first run, names and tooltips, refusals, press effects,
// the face scaling with the window, and the close box.
#include <QMenuBar>
#include <QTimer>

#include "info/PayoutsWindow.h"
#include "keno22/Keno22Game.h"
#include "options/OptionsDialog.h"
#include "tests/keno22/Keno22WindowRig.h"
#include "widgets/TwipFace.h"

using namespace keno;
using namespace keno::uitest;

class Keno22WindowTest : public QObject {
    Q_OBJECT
private slots:
    void firstRunShowsAnEmptyMachine();
    void everyControlCarriesItsNameAndTooltip_data();
    void everyControlCarriesItsNameAndTooltip();
    void timersAndMenuEntries();
    void coinsAndBetLightTheMeters();
    void squareClickWithoutCreditIsRefused();
    void squareClicksMarkAndUnmark();
    void autoSelectMarksAfterItsPress();
    void pressEffects();
    void navigationOpensTheOtherScreens();
    void faceKeepsItsAspectWhenResized();
    void closeBoxQuitsAndSaves();
    void cleanupTestCase() { shared_.reset(); }

private:
    std::unique_ptr<Keno22Rig> shared_;  // one window for the rows of the name table
};

void Keno22WindowTest::firstRunShowsAnEmptyMachine() {
    Keno22Rig rig;
    QVERIFY(rig.Start());
    Keno22Window* window = rig.Window();
    QCOMPARE(window->objectName(), QStringLiteral("keno22"));
    QCOMPARE(window->windowTitle(), QStringLiteral("Current Player       "));
    QCOMPARE(rig.Text("panelbank"), QStringLiteral("0"));
    QCOMPARE(rig.Text("betpan"), QStringLiteral("0"));
    for (const char* off : {"makbet", "start", "rubber", "flash", "xtraballs", "takwin"}) {
        QVERIFY2(!rig.Enabled(off), off);
    }
    for (const char* on : {"coinsin", "btnautoselect", "btn20ball", "mnuoptions", "mnupayouts"}) {
        QVERIFY2(rig.Enabled(on), on);
    }
    QCOMPARE(rig.State().activegame, std::string("game1"));
    QCOMPARE(rig.State().playerslot, std::string("1"));
    QCOMPARE(rig.State().reelspeed, std::int16_t{1});
    for (int n = 1; n <= 80; ++n) QCOMPARE(rig.Square(n)->view(), SquareView{});
    for (int i = 1; i <= 22; ++i) QVERIFY(!rig.Ball(i)->isVisible());
    QVERIFY(!window->isMaximized());
}

void Keno22WindowTest::everyControlCarriesItsNameAndTooltip_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("tooltip");
    QTest::newRow("btnautoselect") << "btnautoselect" << "Select number automatically";
    QTest::newRow("rubber") << "rubber" << "Erase numbers";
    QTest::newRow("coinsin") << "coinsin" << "Insert Coins";
    QTest::newRow("start") << "start" << "Play the game";
    QTest::newRow("mnuoptions") << "mnuoptions" << "Options Menu";
    QTest::newRow("mnupayouts") << "mnupayouts" << "Pay Schedule";
    QTest::newRow("btn20ball") << "btn20ball" << "20 Ball keno Game";
    QTest::newRow("xtraballs") << "xtraballs" << "When flashing , cluick for extra balls ( costs an extra bet )";
    QTest::newRow("flash") << "flash" << "When flashing , cluick for extra balls ( costs an extra bet )";
    QTest::newRow("takwin") << "takwin" << "Take win instead of paying for extra balls";
    QTest::newRow("makbet") << "makbet" << "";
    for (int n : {1, 10, 41, 80}) {
        const QString name = QStringLiteral("a_%1").arg(n);
        QTest::newRow(qPrintable(name)) << name << "Click to select this number";
    }
    for (const char* meter : {"panelbank", "betpan", "spts", "hts", "winnings"}) {
        QTest::newRow(meter) << meter << "";
    }
}

void Keno22WindowTest::everyControlCarriesItsNameAndTooltip() {
    if (!shared_) {
        shared_ = std::make_unique<Keno22Rig>();
        QVERIFY(shared_->Start());
    }
    Keno22Rig& rig = *shared_;
    QFETCH(QString, name);
    QFETCH(QString, tooltip);
    QWidget* control = Find(rig.Window(), name);
    QVERIFY2(control, qPrintable(name));
    QCOMPARE(control->toolTip(), tooltip);
    for (int n = 1; n <= 80; ++n) QVERIFY(rig.Square(n));
    for (int i = 1; i <= 22; ++i) QVERIFY(rig.Ball(i));
}

void Keno22WindowTest::timersAndMenuEntries() {
    Keno22Rig rig;
    QVERIFY(rig.Start());
    const auto timer = [&](const char* name) { return Find<QTimer>(rig.Window(), QString::fromLatin1(name)); };
    QVERIFY(timer("Timer1") && timer("tmrflash") && timer("tmrshowbuttons"));
    QCOMPARE(timer("Timer1")->interval(), 200);
    QCOMPARE(timer("tmrflash")->interval(), 200);
    QCOMPARE(timer("tmrshowbuttons")->interval(), 100);
    QVERIFY(!timer("Timer1")->isActive());
    QVERIFY(!timer("tmrflash")->isActive());
    QVERIFY(timer("tmrshowbuttons")->isActive());

    const std::vector<std::pair<const char*, const char*>> entries{
        {"mnexit", "Exit"}, {"mnabout", "About"}, {"MNUhelp", "Help"}};
    for (const auto& [name, text] : entries) {
        auto* action = Find<QAction>(rig.Window(), QString::fromLatin1(name));
        QVERIFY2(action, name);
        QCOMPARE(action->text(), QString::fromLatin1(text));
        QVERIFY(rig.Window()->menuBar()->actions().contains(action));
    }
    QVERIFY(TriggerAction(rig.Window(), QStringLiteral("mnexit")));
    QTRY_VERIFY(rig.Rig().Exited());
}

void Keno22WindowTest::coinsAndBetLightTheMeters() {
    Keno22Rig rig;
    QVERIFY(rig.Start());
    rig.Press("coinsin");
    QCOMPARE(rig.Text("panelbank"), QStringLiteral("20"));
    QVERIFY(rig.Enabled("makbet"));
    rig.Press("coinsin");
    QCOMPARE(rig.Text("panelbank"), QStringLiteral("40"));
    QCOMPARE(rig.State().amountinvested, 40);
    for (const char* expected : {"1", "2", "3", "4", "5", "1"}) {
        rig.Press("makbet");
        QCOMPARE(rig.Text("betpan"), QString::fromLatin1(expected));
    }
    QVERIFY(rig.Enabled("rubber"));
    QVERIFY(!rig.Enabled("start"));  // no spots yet
}

void Keno22WindowTest::squareClickWithoutCreditIsRefused() {
    Keno22Rig rig;
    QVERIFY(rig.Start());
    BoxAnswerer answer;
    answer.Arm();
    rig.Mark({17});
    QTRY_VERIFY(answer.Answered());
    QCOMPARE(answer.Seen().size(), std::size_t{1});
    const SeenBox& box = answer.Seen().front();
    QCOMPARE(box.text, QStringLiteral("You Have No credit...Please Insert Some Coins Via The COINS Button"));
    QCOMPARE(box.title, QStringLiteral(" Keno"));
    QCOMPARE(box.icon, QMessageBox::Information);
    QCOMPARE(rig.Square(17)->view().picture, SquarePicture::None);
    QCOMPARE(rig.Text("spts"), QString());
}

void Keno22WindowTest::squareClicksMarkAndUnmark() {
    Keno22Rig rig;
    QVERIFY(rig.Start());
    rig.Fund(1, 2);
    rig.Mark({17});
    QCOMPARE(rig.Square(17)->view().picture, SquarePicture::Marked);
    QCOMPARE(rig.Text("spts"), QStringLiteral("1"));
    QVERIFY(!rig.Enabled("start"));
    rig.Mark({33});
    QCOMPARE(rig.Text("spts"), QStringLiteral("2"));
    QVERIFY(rig.Enabled("start"));
    rig.Mark({17});
    QCOMPARE(rig.Square(17)->view().picture, SquarePicture::None);
    QCOMPARE(rig.Text("spts"), QStringLiteral("1"));
    QVERIFY(!rig.Enabled("start"));
    rig.Click("rubber");
    QCOMPARE(rig.Square(33)->view().picture, SquarePicture::None);
    QCOMPARE(rig.Text("spts"), QString());
}

void Keno22WindowTest::autoSelectMarksAfterItsPress() {
    Keno22Rig rig;
    QVERIFY(rig.Start());
    rig.Fund(1, 1);
    const std::vector<int> picks{3, 14, 27, 38, 45, 52, 60, 66, 71, 80};
    rig.NextDraw(picks);
    rig.Click("btnautoselect");
    // The press shows for a moment before the numbers are drawn.
    QVERIFY(rig.Button("btnautoselect")->imageHidden());
    QCOMPARE(rig.Text("spts"), QString());
    QTRY_COMPARE(rig.Text("spts"), QStringLiteral("10"));
    QVERIFY(!rig.Button("btnautoselect")->imageHidden());
    for (int n = 1; n <= 80; ++n) {
        const bool picked = std::count(picks.begin(), picks.end(), n) > 0;
        QCOMPARE(rig.Square(n)->view().picture == SquarePicture::Marked, picked);
    }
    QVERIFY(rig.Enabled("start"));
    QVERIFY(rig.Enabled("rubber"));
}

void Keno22WindowTest::pressEffects() {
    Keno22Rig rig;
    QVERIFY(rig.Start());
    for (const char* name : {"coinsin", "makbet"}) {
        ImageButton* button = rig.Button(name);
        QTest::mousePress(button, Qt::LeftButton, {}, button->rect().center());
        QVERIFY2(button->imageHidden(), name);
        QTest::mouseRelease(button, Qt::LeftButton, {}, button->rect().center());
        QVERIFY2(!button->imageHidden(), name);
    }
    rig.Mark({5, 6});
    ImageButton* erase = rig.Button("rubber");
    QVERIFY(erase->isEnabled());
    rig.Click("rubber");
    QVERIFY(erase->imageHidden());
    QTRY_VERIFY(!erase->imageHidden());  // tmrshowbuttons
}

void Keno22WindowTest::navigationOpensTheOtherScreens() {
    Keno22Rig rig;
    QVERIFY(rig.Start());
    KenoApp& app = rig.App();

    rig.Press("mnupayouts");
    QTRY_VERIFY(app.Payouts() && app.Payouts()->isVisible());
    QVERIFY(!rig.Button("mnupayouts")->imageHidden());

    // OPTIONS shows its press for a moment, then opens the dialog and disables this window.
    rig.Press("mnuoptions");
    QVERIFY(!app.Options());
    QTRY_VERIFY(app.Options() != nullptr);
    QVERIFY(!rig.Window()->isEnabled());
    QVERIFY(!rig.Button("mnuoptions")->imageHidden());
    delete app.Options();
    rig.Window()->setEnabled(true);

    BoxAnswerer answer;
    answer.Arm();
    QVERIFY(TriggerAction(rig.Window(), QStringLiteral("MNUhelp")));
    QTRY_VERIFY(answer.Answered());
    QVERIFY(!answer.Seen().front().text.isEmpty());
}

void Keno22WindowTest::faceKeepsItsAspectWhenResized() {
    Keno22Rig rig;
    QVERIFY(rig.Start());
    Keno22Window* window = rig.Window();
    auto* face = Find<TwipFace>(window, QStringLiteral("face"));
    QVERIFY(face);
    // It opens at its design size: one pixel per 15 twips.
    QCOMPARE(face->size(), face->designSize() / 15);

    const auto check = [&](QSize size) {
        window->resize(size);
        QTRY_COMPARE(face->size().width(), window->width());
        const QRect drawn = face->faceRect();
        const double aspect = double(drawn.width()) / drawn.height();
        QVERIFY(std::abs(aspect - 12000.0 / 8500.0) < 0.01);
        QVERIFY(face->rect().contains(drawn));
        const QRect a1 = rig.Square(1)->geometry();
        const QRect a2 = rig.Square(2)->geometry();
        const QRect a41 = rig.Square(41)->geometry();
        const double scale = face->pixelsPerTwip();
        QVERIFY(std::abs(a1.width() - 735 * scale) <= 1.0);
        QVERIFY(std::abs(a1.height() - 630 * scale) <= 1.0);
        QVERIFY(std::abs((a2.x() - a1.x()) - 780 * scale) <= 1.0);
        QVERIFY(std::abs((a41.y() - a1.y()) - 3210 * scale) <= 1.0);
    };
    check(QSize(1600, 700));
    check(QSize(700, 1200));
    check(QSize(1200, 900));
}

void Keno22WindowTest::closeBoxQuitsAndSaves() {
    Keno22Rig rig;
    QVERIFY(rig.Start());
    rig.Press("coinsin");
    rig.Window()->close();
    QTRY_VERIFY(rig.Rig().Exited());
    QCOMPARE(rig.Rig().Exits(), 1);
    QCOMPARE(rig.Rig().Stored(1, QStringLiteral("bank")), QStringLiteral("20"));
}

KENO_UI_TEST_MAIN(Keno22WindowTest)
#include "Keno22WindowTest.moc"
