// The odds on the real machine: the odds screen opened from either game window by its key and its
// menu entry follows the board, the bet, a player changed in the options dialog and the game in
// view; the extra-ball advisor comes and goes with the offer, never points to what the player
// cannot do, and is turned off per player by the options dialog's check box, remembered in the
// settings file across a restart of the machine.
#include <QAccessible>
#include <QCheckBox>
#include <QMenuBar>
#include <QPointer>
#include <QPushButton>  // before UiTestSupport.h, which uses it
#include <QRadioButton>
#include <QSettings>
#include <QTest>

#include "gamewindow/GameWindow.h"
#include "odds/ExtraBallAdvisor.h"
#include "odds/OddsFeature.h"
#include "odds/OddsSheet.h"
#include "odds/OddsWindow.h"
#include "options/OptionsDialog.h"
#include "tests/keno22/Keno22WindowRig.h"
#include "widgets/KeyboardPlay.h"
#include "widgets/TwipFace.h"

using namespace keno;
using namespace keno::uitest;

namespace {

const std::vector<int> kTicket{10, 20, 30, 40};
const QString kSlot1Key = QStringLiteral("advisor/slot1");

// The machine over a settings file of our choosing, with draws fixed in advance and a clock that
// keeps the extra balls short.
class OddsMachine {
public:
    explicit OddsMachine(const QString& file = {})
        : draws_(new ScriptedDraws({})), rig_(std::unique_ptr<ScriptedDraws>(draws_), file) {
        rig_.App().SetClock(std::make_unique<StillClock>());
    }

    AppRig& Rig() { return rig_; }
    MachineState& State() { return rig_.State(); }
    Keno22Window* K22() const { return rig_.K22(); }
    OddsWindow* Screen() { return rig_.App().Odds().Screen(); }
    ExtraBallAdvisor* Advisor() const { return Find<ExtraBallAdvisor>(K22(), QStringLiteral("extraballadvisor")); }
    QString Advice() const { return Advisor()->isVisible() ? Advisor()->AdviceLine() : QString(); }

    bool To20() {
        return ClickNamed(K22(), "btn20ball") && rig_.K20() && QTest::qWaitForWindowExposed(rig_.K20());
    }
    bool To22() { return ClickNamed(rig_.K20(), "btkeno22") && QTest::qWaitForWindowExposed(K22()); }

    // D on the window, or its menu entry.
    bool OpenOdds(GameWindow* window, bool byKey) {
        if (!byKey) return TriggerAction(window, QStringLiteral("mnuodds"));
        window->activateWindow();
        if (!QTest::qWaitForWindowActive(window)) return false;
        QTest::keyClick(window->windowHandle(), Qt::Key_D);
        return true;
    }

    // The options dialog from the window's OPTIONS button.
    OptionsDialog* OpenOptions(QWidget* window) {
        if (!ClickNamed(window, "mnuoptions")) return nullptr;
        (void)QTest::qWaitFor([this] { return rig_.App().Options() != nullptr; }, 5000);
        return rig_.App().Options();
    }
    bool CloseOptions() {
        return ClickNamed(rig_.App().Options(), "btnokplayer") &&
               QTest::qWaitFor([this] { return rig_.App().Options() == nullptr; }, 5000);
    }

    // COINS, the bet, the ticket, then PLAY with a draw that hits 3 of the 4: the offer opens.
    bool PlayToOffer(int bet, std::int32_t creditBeforePlay = -1) {
        PressNamed(K22(), "coinsin");
        while (State().coinsbet != bet) PressNamed(K22(), "makbet");
        if (!ClickSquares(K22(), kTicket)) return false;
        if (creditBeforePlay >= 0) State().bank = creditBeforePlay;
        draws_->Add(DrawOf({10, 20, 30}, kTicket, {77, 40}));
        return ClickNamed(K22(), "start") && rig_.WaitSettled() && K22()->OfferOpen();
    }
    bool ClickOffer() {
        auto* xtra = Find<ImageButton>(K22(), QStringLiteral("xtraballs"));
        return Click(xtra->isVisible() ? xtra : Find<ImageButton>(K22(), QStringLiteral("flash")));
    }

private:
    ScriptedDraws* draws_;
    AppRig rig_;
};

QString Describe(const OddsInput& input) {
    return QStringLiteral("%1 %2 spots bet %3")
        .arg(input.game == OddsGame::Keno22 ? "22" : "20")
        .arg(input.spots)
        .arg(input.bet);
}

int OpenScreens() {
    int open = 0;
    for (QWidget* window : QApplication::topLevelWidgets()) open += qobject_cast<OddsWindow*>(window) && window->isVisible();
    return open;
}

}  // namespace

class OddsFeatureTest : public QObject {
    Q_OBJECT

    // The advice sends the player only to what they can do now: taking needs TAKE WIN lit, buying
    // now needs the credit for it; once TAKE WIN is gone the panel no longer weighs it.
    static QString WrongAdvice(OddsMachine& m) {
        const QString line = m.Advice();
        const bool take = EnabledNamed(m.K22(), "takwin");
        const bool canBuy = m.State().bank >= m.K22()->Game().bet();
        if (line.startsWith("Taking") && !take) return "taking advised without TAKE WIN: " + line;
        if (line.startsWith("Buying is worth") && !canBuy) return "buying advised without the credit: " + line;
        if (line.startsWith("Only buying") == take) return "the line does not follow TAKE WIN: " + line;
        return {};
    }

private slots:
    void opensFromEitherWindow_data() {
        QTest::addColumn<bool>("twenty");
        QTest::addColumn<bool>("byKey");
        QTest::newRow("K E N O 22, key D") << false << true;
        QTest::newRow("K E N O 22, menu entry") << false << false;
        QTest::newRow("K E N O, key D") << true << true;
        QTest::newRow("K E N O, menu entry") << true << false;
    }
    // The entry stands after Help, its key is listed with the others, and it opens the one screen
    // for this window's ticket; asked again, the other way, it brings that same screen forward.
    void opensFromEitherWindow() {
        QFETCH(bool, twenty);
        QFETCH(bool, byKey);
        OddsMachine m;
        QVERIFY(m.Rig().Start());
        if (twenty) QVERIFY(m.To20());
        GameWindow* window = twenty ? static_cast<GameWindow*>(m.Rig().K20()) : m.K22();
        PressNamed(window, "coinsin");
        for (int press = 0; press < 5 && m.State().coinsbet != 2; ++press) {
            const std::int16_t was = m.State().coinsbet;
            PressNamed(window, "makbet");
            QTRY_VERIFY(m.State().coinsbet != was);  // K E N O's bet waits for the press effect
        }
        QCOMPARE(m.State().coinsbet, std::int16_t{2});
        QVERIFY(ClickSquares(window, {3, 14, 25, 36, 47}));

        const QList<QAction*> menu = window->menuBar()->actions();
        QCOMPARE(menu.at(2)->objectName(), QStringLiteral("MNUhelp"));
        QCOMPARE(menu.at(3)->objectName(), QStringLiteral("mnuodds"));
        QCOMPARE(menu.at(3)->text(), QStringLiteral("Odds"));
        QVERIFY(GameKeysHelp(window).contains(QStringLiteral("G switch game, D odds")));

        QVERIFY(!m.Screen());
        QVERIFY(m.OpenOdds(window, byKey));
        QTRY_VERIFY(m.Screen() && m.Screen()->isVisible());
        QCOMPARE(m.Screen()->objectName(), QStringLiteral("odds"));
        const OddsInput expected{twenty ? OddsGame::Keno20 : OddsGame::Keno22, 5, 2};
        QCOMPARE(Describe(m.Screen()->Input()), Describe(expected));
        QCOMPARE(m.Screen()->windowTitle(), twenty ? QStringLiteral("K E N O  Odds") : QStringLiteral("K E N O 22  Odds"));

        const QPointer<OddsWindow> first = m.Screen();
        QVERIFY(m.OpenOdds(window, !byKey));
        QCOMPARE(m.Screen(), first.data());
        QCOMPARE(OpenScreens(), 1);
        // "Return to Game" closes it; the key opens a new one.
        QVERIFY(ClickNamed(m.Screen(), "oddsreturn"));
        QTRY_VERIFY(first.isNull());
        QVERIFY(m.OpenOdds(window, byKey));
        QTRY_VERIFY(m.Screen() && m.Screen()->isVisible());
    }

    // One screen, left open while the player marks, bets, changes player in the options dialog and
    // switches games: after each step it shows the ticket of the game in view.
    void screenFollowsTheTicketInView() {
        OddsMachine m;
        m.Rig().PutRecord(1, {{"coinsbet", "3"}, {"bank", "100"}, {"amountinvested", "100"}, {"currentplayer", "ann"}});
        m.Rig().PutRecord(2, {{"coinsbet", "5"}, {"bank", "40"}, {"amountinvested", "40"}, {"currentplayer", "bo"}});
        QVERIFY(m.Rig().Start());
        Keno22Window* k22 = m.K22();
        QVERIFY(m.OpenOdds(k22, true));
        QTRY_VERIFY(m.Screen());
        const QPointer<OddsWindow> screen = m.Screen();

        struct Step {
            const char* what;
            std::function<bool()> act;
            const char* shown;       // the screen's input afterwards
            const char* subheading;  // as the sheet reads it
        };
        const Step steps[] = {
            {"opened", [] { return true; }, "22 0 spots bet 3", "EVERY TICKET  \u00b7  BET 3"},
            {"two squares", [&] { return ClickSquares(k22, {5, 17}); }, "22 2 spots bet 3", "2 SPOTS  \u00b7  BET 3"},
            {"one unmarked", [&] { return ClickSquares(k22, {17}); }, "22 1 spots bet 3", "EVERY TICKET  \u00b7  BET 3"},
            {"MAKE BET", [&] { return PressNamed(k22, "makbet"); }, "22 1 spots bet 4", "EVERY TICKET  \u00b7  BET 4"},
            {"four more", [&] { return ClickSquares(k22, {1, 2, 3, 4}); }, "22 5 spots bet 4", "5 SPOTS  \u00b7  BET 4"},
            {"ERASE", [&] { return ClickNamed(k22, "rubber"); }, "22 0 spots bet 4", "EVERY TICKET  \u00b7  BET 4"},
            {"three squares", [&] { return ClickSquares(k22, {7, 8, 9}); }, "22 3 spots bet 4", "3 SPOTS  \u00b7  BET 4"},
            // The dialog saves the record, then the other player's bet comes into play.
            {"options: slot 2",
             [&] {
                 OptionsDialog* dialog = m.OpenOptions(k22);
                 return dialog && Click(Find<QRadioButton>(dialog, QStringLiteral("machine_2")));
             },
             "22 3 spots bet 5", "3 SPOTS  \u00b7  BET 5"},
            {"options closed", [&] { return m.CloseOptions(); }, "22 3 spots bet 5", "3 SPOTS  \u00b7  BET 5"},
            // K E N O's first opening loads slot 1 and sets the bet to 1, for both games.
            {"to K E N O", [&] { return m.To20(); }, "20 0 spots bet 1", "EVERY TICKET  \u00b7  BET 1"},
            {"its squares", [&] { return ClickSquares(m.Rig().K20(), {11, 22, 33, 44}); }, "20 4 spots bet 1",
             "4 SPOTS  \u00b7  BET 1"},
            {"its MAKE BET", [&] { return PressNamed(m.Rig().K20(), "makbet"); }, "20 4 spots bet 2",
             "4 SPOTS  \u00b7  BET 2"},
            {"back to K E N O 22", [&] { return m.To22(); }, "22 3 spots bet 2", "3 SPOTS  \u00b7  BET 2"},
        };
        for (const Step& step : steps) {
            QVERIFY2(step.act(), step.what);
            QTRY_COMPARE_WITH_TIMEOUT(Describe(m.Screen()->Input()), QString::fromLatin1(step.shown), 2000);
            QCOMPARE(QString::fromStdString(m.Screen()->Sheet().subheading), QString::fromUtf8(step.subheading));
            // Still the one screen, in view and usable (the options dialog disables only the game).
            QVERIFY2(m.Screen() == screen.data() && screen->isVisible() && screen->isEnabled(), step.what);
        }
        QCOMPARE(OpenScreens(), 1);
    }

    void advisorComesAndGoesWithTheOffer_data() {
        QTest::addColumn<QString>("answer");
        QTest::newRow("take win") << "take";
        QTest::newRow("extra balls") << "buy";
        QTest::newRow("refused, COINS, extra balls") << "refused";
    }
    // Placed over the buttons the offer disables, clear of COINS, the offer and the meters; it says
    // what the odds say for this offer, as one label, and is gone once the offer is answered. After
    // a refused purchase it stays, without TAKE WIN to weigh.
    void advisorComesAndGoesWithTheOffer() {
        QFETCH(QString, answer);
        const bool refused = answer == "refused";
        OddsMachine m;
        QVERIFY(m.Rig().Start());
        ExtraBallAdvisor* advisor = m.Advisor();
        QVERIFY(advisor && !advisor->isVisible());
        QVERIFY(m.PlayToOffer(2, refused ? 2 : -1));

        QVERIFY(advisor->isVisible());
        auto* face = Find<TwipFace>(m.K22(), QStringLiteral("face"));
        QCOMPARE(advisor->geometry(), face->toPixels(OddsFeature::kAdvisorTwips));
        for (QWidget* control : face->findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly)) {
            if (control == advisor || !control->isVisible() || !control->geometry().intersects(advisor->geometry()))
                continue;
            QVERIFY2(qobject_cast<ImageButton*>(control) && !control->isEnabled(), qPrintable(control->objectName()));
        }
        QCOMPARE(advisor->Odds()->takeNow, 16);
        QCOMPARE(advisor->AdviceLine(), refused ? QStringLiteral("Buying is better, but it needs 2 coins of credit")
                                                : QStringLiteral("Buying is worth +0.33 coins on average"));
        QAccessibleInterface* reader = QAccessible::queryAccessibleInterface(advisor);
        QCOMPARE(reader->role(), QAccessible::StaticText);
        QCOMPARE(reader->text(QAccessible::Name), advisor->SpokenText());
        QVERIFY(reader->text(QAccessible::Name).startsWith(QStringLiteral("Extra balls cost 2 coins. No new hit: 96.67 %")));
        QCOMPARE(WrongAdvice(m), QString());

        if (answer == "take") {
            QVERIFY(ClickNamed(m.K22(), "takwin"));
        } else {
            if (refused) {
                BoxAnswerer box;
                box.Arm();
                QVERIFY(m.ClickOffer());
                QTRY_VERIFY(box.Answered());
                QVERIFY(m.Rig().WaitSettled() && m.K22()->OfferOpen());
                QVERIFY(advisor->isVisible());
                QCOMPARE(advisor->AdviceLine(), QStringLiteral("Only buying is left: insert coins, then buy"));
                QVERIFY(reader->text(QAccessible::Name).contains(QStringLiteral("Take win is no longer open.")));
                QCOMPARE(WrongAdvice(m), QString());
                QVERIFY(PressNamed(m.K22(), "coinsin"));
                QCOMPARE(advisor->AdviceLine(), QStringLiteral("Only buying is left now"));
                QCOMPARE(WrongAdvice(m), QString());
            }
            QVERIFY(m.ClickOffer());
        }
        QVERIFY(m.Rig().WaitSettled() && !m.K22()->OfferOpen());
        QVERIFY(!advisor->isVisible());
        QVERIFY(reader->text(QAccessible::Name).isEmpty());
    }

    // The check box follows the slot chosen in the dialog; the choice lives in the settings file's
    // own advisor section, so it is there for the next run, and a file without that section means
    // on. The player records keep exactly their eight keys.
    void checkBoxTurnsTheAdvisorOffPerPlayerAcrossARestart() {
        QTemporaryDir folder;
        const QString file = folder.filePath(QStringLiteral("keno22.ini"));
        const auto advisorKeys = [&file] {
            QSettings settings(file, QSettings::IniFormat);
            settings.beginGroup(QStringLiteral("advisor"));
            return settings.childKeys();
        };
        const std::map<QString, QString> ann{{"coinsbet", "2"}, {"reelspeed", "1"}, {"amountinvested", "100"},
                                             {"wager", "0"}, {"total", "0"}, {"bank", "100"}, {"games", "0"},
                                             {"currentplayer", "ann"}};
        {
            OddsMachine m(file);
            m.Rig().PutRecord(1, ann);
            m.Rig().PutRecord(2, {{"bank", "40"}, {"currentplayer", "bo"}});
            QVERIFY(m.Rig().Start());
            OptionsDialog* dialog = m.OpenOptions(m.K22());
            QVERIFY(dialog);
            auto* box = Find<QCheckBox>(dialog, QStringLiteral("chkadvisor"));
            QVERIFY(box && box->isChecked());
            QCOMPARE(box->text(), QStringLiteral("Show extra-ball advice"));
            // In the row of the player's buttons, between them, overlapping neither.
            const QRect del = Find(dialog, QStringLiteral("Btndeletedetails"))->geometry();
            const QRect ok = Find(dialog, QStringLiteral("btnokplayer"))->geometry();
            const QRect at = box->geometry();
            QVERIFY(at.left() > del.right() && at.right() < ok.left());
            QVERIFY(at.center().y() >= del.top() && at.center().y() <= del.bottom());
            QCOMPARE(Find(dialog, QStringLiteral("Btndeletedetails"))->nextInFocusChain(), box);
            QCOMPARE(box->nextInFocusChain(), Find(dialog, QStringLiteral("btnokplayer")));
            QVERIFY(advisorKeys().isEmpty());

            QVERIFY(Click(box));
            QVERIFY(!box->isChecked());
            QCOMPARE(QSettings(file, QSettings::IniFormat).value(kSlot1Key).toString(), QStringLiteral("off"));
            QVERIFY(Click(Find<QRadioButton>(dialog, QStringLiteral("machine_2"))));
            QVERIFY(box->isChecked());
            QVERIFY(Click(Find<QRadioButton>(dialog, QStringLiteral("machine_1"))));
            QVERIFY(!box->isChecked());
            QVERIFY(m.CloseOptions());

            QVERIFY(m.PlayToOffer(2));
            QVERIFY(!m.Advisor()->isVisible());
            QVERIFY(ClickNamed(m.K22(), "takwin") && m.Rig().WaitSettled());
        }
        {
            OddsMachine m(file);
            QVERIFY(m.Rig().Start());
            OptionsDialog* dialog = m.OpenOptions(m.K22());
            QVERIFY(dialog);
            auto* box = Find<QCheckBox>(dialog, QStringLiteral("chkadvisor"));
            QVERIFY(!box->isChecked());
            QVERIFY(Click(Find<QRadioButton>(dialog, QStringLiteral("machine_2"))));
            QVERIFY(box->isChecked());
            QVERIFY(m.CloseOptions());
            QVERIFY(m.PlayToOffer(2));
            QVERIFY(m.Advisor()->isVisible());
        }
        QCOMPARE(advisorKeys(), QStringList{QStringLiteral("slot1")});
        QSettings settings(file, QSettings::IniFormat);
        settings.beginGroup(QStringLiteral("player1"));
        QStringList keys = settings.childKeys();
        keys.sort();
        QCOMPARE(keys, (QStringList{"amountinvested", "bank", "coinsbet", "currentplayer", "games", "reelspeed",
                                    "total", "wager"}));
        QCOMPARE(settings.value("currentplayer").toString(), QStringLiteral("ann"));
    }
};

KENO_UI_TEST_MAIN(OddsFeatureTest)
#include "OddsFeatureTest.moc"
