// The options dialog driven like a player: opened from a game window, slots, name, speed, every
// way out, the screen-size buttons, and the record it writes to the settings file.
#include <QButtonGroup>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QRadioButton>

#include "options/OptionsDialog.h"
#include "options/OptionsHost.h"
#include "tests/support/UiTestSupport.h"

namespace keno::uitest {
namespace {

// Screen-size switch with a screen of a chosen size; records what it is asked.
struct FakeDisplay final : DisplayModeSwitch {
    std::pair<int, int> screen{1024, 768};
    QStringList* calls = nullptr;
    void ChangeDisplayMode(int width, int height) override { *calls << QStringLiteral("change %1x%2").arg(width).arg(height); }
    void RestoreDisplayMode() override { *calls << QStringLiteral("restore"); }
    std::pair<int, int> ScreenSizePixels() override { return screen; }
};

const std::map<QString, QString> kAlice{{"coinsbet", "3"}, {"reelspeed", "10"}, {"amountinvested", "100"},
                                        {"wager", "60"},   {"total", "45"},     {"bank", "80"},
                                        {"games", "12"},   {"currentplayer", "alice"}};
const std::map<QString, QString> kBob{{"coinsbet", "2"}, {"reelspeed", "20"}, {"amountinvested", "40"},
                                      {"wager", "0"},    {"total", "0"},      {"bank", "40"},
                                      {"games", "0"},    {"currentplayer", "Bob"}};

QString Text(QObject* root, const char* name) { return TextOf(root, QString::fromLatin1(name)); }

bool Checked(QObject* root, const char* name) {
    auto* button = Find<QRadioButton>(root, QString::fromLatin1(name));
    return button && button->isChecked();
}

}  // namespace

class OptionsDialogTest : public QObject {
    Q_OBJECT

    std::unique_ptr<AppRig> rig_;
    QStringList displayCalls_;
    FakeDisplay* display_ = nullptr;
    BoxAnswerer boxes_;

    // The machine with alice in slot 1 and Bob in slot 2, keno22 on screen.
    void StartMachine(const QString& settingsFile = {}) {
        rig_ = std::make_unique<AppRig>(nullptr, settingsFile);
        auto display = std::make_unique<FakeDisplay>();
        display->calls = &displayCalls_;
        display_ = display.get();
        rig_->App().SetDisplayModeSwitch(std::move(display));
        displayCalls_.clear();
        boxes_.Clear();
        rig_->PutRecord(1, kAlice);
        rig_->PutRecord(2, kBob);
        QVERIFY(rig_->Start());
    }

    QWidget* Window(const QString& activegame) const {
        return activegame == "game2" ? static_cast<QWidget*>(rig_->K20()) : rig_->K22();
    }

    // Opens the dialog with the options button of the active game window.
    OptionsDialog* Open() {
        QWidget* opener = Window(QString::fromStdString(rig_->State().activegame));
        if (!ClickNamed(opener, "mnuoptions")) return nullptr;
        // keno22 shows its button pressed for a moment before the dialog comes up.
        (void)QTest::qWaitFor([this] { return rig_->App().Options() != nullptr; }, 5000);
        return rig_->App().Options();
    }

    bool DialogGone() { return QTest::qWaitFor([this] { return rig_->App().Options() == nullptr; }, 5000); }

private slots:
    void cleanup() { rig_.reset(); }

    void opensWithTheStoredPlayersAndWritesTheRecord() {
        StartMachine();
        rig_->State().bank = 500;  // played since the record was written
        OptionsDialog* dialog = Open();
        QVERIFY(dialog);
        QCOMPARE(dialog->objectName(), QStringLiteral("frmkeno22options"));
        QCOMPARE(dialog->windowTitle(), QStringLiteral("Keno Options"));
        QVERIFY(dialog->isVisible());
        QVERIFY(!dialog->isModal());
        QVERIFY(dialog->testAttribute(Qt::WA_DeleteOnClose));
        QVERIFY(!rig_->K22()->isEnabled());
        QCOMPARE(rig_->Stored(1, "bank"), QStringLiteral("500"));

        const char* captions[] = {"ALICE", "BOB", "Vacant", "Vacant", "Vacant", "Vacant"};
        for (int slot = 1; slot <= 6; ++slot) {
            QCOMPARE(TextOf(dialog, QStringLiteral("machine_%1").arg(slot)), QString::fromLatin1(captions[slot - 1]));
        }
        QVERIFY(Checked(dialog, "machine_1"));
        QVERIFY(Checked(dialog, "setspeed_1"));
        QCOMPARE(Text(dialog, "speedlab"), QStringLiteral("Current Speed =   2"));
        QCOMPARE(Text(dialog, "lblcurrentplayer"), QStringLiteral("Current Player    ALICE"));
        QCOMPARE(Text(dialog, "lblgames"), QStringLiteral("Games Played            12"));
        QCOMPARE(Text(dialog, "lblwager"), QStringLiteral("Total Wagered           60"));
        QCOMPARE(Text(dialog, "lbltotalwon"), QStringLiteral("Total Won                   45"));
        QCOMPARE(Text(dialog, "lblwinlose"), QStringLiteral("Winning/Losing           400"));
        QCOMPARE(Text(dialog, "lblreturned"), QStringLiteral("Returned To Player     % 75"));
        QCOMPARE(Text(dialog, "lblinvested"), QStringLiteral("Total Invested             100"));
        QCOMPARE(Text(dialog, "lbllastbet"), QStringLiteral("Last Bet            3"));
        QCOMPARE(rig_->K22()->windowTitle(), QStringLiteral("Current Player       ALICE"));
    }

    void fixedCaptionsAndTooltips_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("tooltip");
        QTest::newRow("Framemain") << "Framemain" << "Keno Options" << "";
        QTest::newRow("lblplayername") << "lblplayername" << "Input Player Name                                  Then Enter" << "";
        QTest::newRow("Framespeed") << "Framespeed" << "Reel Speed" << "";
        QTest::newRow("setspeed_0") << "setspeed_0" << "1" << "";
        QTest::newRow("setspeed_1") << "setspeed_1" << "2" << "";
        QTest::newRow("setspeed_2") << "setspeed_2" << "3" << "";
        QTest::newRow("fastslow") << "fastslow" << "<<<Faster                       Slower>>>" << "";
        QTest::newRow("Btndeletedetails") << "Btndeletedetails" << "Delete Current Player"
                                          << "This Button Will Delete All Current Players Details.";
        QTest::newRow("btnokplayer") << "btnokplayer" << "O.K. Close and save changes" << "Close and Save Your Changes";
        QTest::newRow("Frame1") << "Frame1" << "Screen Size" << "";
        QTest::newRow("cmdlargescreen") << "cmdlargescreen" << "Large Size 800X600" << "Set Screen Size To LARGE";
        QTest::newRow("cmdorigonal") << "cmdorigonal" << "Origonal Screen Size" << "Set Screen Size To SMALL";
        QTest::newRow("Text1") << "Text1" << "Note :- Some machines \nmay not support this \noption." << "";
    }
    void fixedCaptionsAndTooltips() {
        QFETCH(QString, name);
        QFETCH(QString, text);
        QFETCH(QString, tooltip);
        StartMachine();
        OptionsDialog* dialog = Open();
        QVERIFY(dialog);
        QWidget* control = Find(dialog, name);
        QVERIFY2(control, qPrintable(name));
        QString shown = control->property("text").toString();
        if (auto* frame = qobject_cast<QGroupBox*>(control)) shown = frame->title();
        if (auto* box = qobject_cast<QPlainTextEdit*>(control)) {
            shown = box->toPlainText();
            QVERIFY(box->isReadOnly());
        }
        QCOMPARE(shown, text);
        QCOMPARE(control->toolTip(), tooltip);
        // Every text is shown whole: the control is at least as wide as its text needs.
        if (auto* label = qobject_cast<QLabel*>(control)) {
            QVERIFY(label->width() >= label->fontMetrics().horizontalAdvance(text));
        }
    }

    void slotChangeReloadsAndShowsOnTheGameWindow() {
        StartMachine();
        OptionsDialog* dialog = Open();
        QVERIFY(dialog);
        QVERIFY(Click(Find(dialog, "machine_2")));
        QCOMPARE(rig_->State().playerslot, std::string("2"));
        QCOMPARE(rig_->State().bank, 40);
        QVERIFY(Checked(dialog, "machine_2"));
        QVERIFY(Checked(dialog, "setspeed_2"));
        QCOMPARE(rig_->State().reelspeed, std::int16_t{20});
        QCOMPARE(Text(dialog, "speedlab"), QStringLiteral("Current Speed =   3"));
        QCOMPARE(Text(dialog, "lblcurrentplayer"), QStringLiteral("Current Player    BOB"));  // no games yet
        QCOMPARE(Text(dialog, "lblgames"), QStringLiteral("Games Played          "));
        QCOMPARE(Text(rig_->K22(), "panelbank"), QStringLiteral("40"));
        QCOMPARE(rig_->K22()->windowTitle(), QStringLiteral("Current Player       BOB"));

        QVERIFY(Click(Find(dialog, "machine_4")));  // a slot with no record
        QCOMPARE(rig_->State().playerslot, std::string("4"));
        QCOMPARE(rig_->State().bank, 0);
        QCOMPARE(rig_->State().reelspeed, std::int16_t{1});
        QVERIFY(Checked(dialog, "setspeed_0"));
        QCOMPARE(Text(dialog, "machine_4"), QStringLiteral("Vacant"));
        QCOMPARE(Text(rig_->K22(), "panelbank"), QStringLiteral("0"));

        QVERIFY(Click(Find(dialog, "setspeed_1")));
        QCOMPARE(rig_->State().reelspeed, std::int16_t{10});
        QCOMPARE(Text(dialog, "speedlab"), QStringLiteral("Current Speed =   2"));
        QVERIFY(ClickNamed(dialog, "btnokplayer"));
        QVERIFY(DialogGone());
        QCOMPARE(rig_->Stored(4, "reelspeed"), QStringLiteral("10"));
        QCOMPARE(rig_->Stored(1, "currentplayer"), QStringLiteral("alice"));  // left as it was
    }

    void nameEntry_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("refusal");
        QTest::newRow("lower case is kept as typed") << QStringLiteral("zoë smith") << QString();
        QTest::newRow("twelve characters") << QStringLiteral("abcdefghijkl") << QString();
        QTest::newRow("thirteen characters") << QStringLiteral("abcdefghijklm") << QStringLiteral("Name Too Long");
        QTest::newRow("nothing") << QString() << QStringLiteral("Nothing Entered");
    }
    void nameEntry() {
        QFETCH(QString, typed);
        QFETCH(QString, refusal);
        StartMachine();
        OptionsDialog* dialog = Open();
        QVERIFY(dialog);
        auto* box = Find<QLineEdit>(dialog, "player1");
        QVERIFY(box);
        box->setText(typed);
        if (!refusal.isEmpty()) boxes_.Arm(QMessageBox::Ok);
        QTest::keyClick(box, Qt::Key_Return);

        // Enter belongs to the name box: the dialog stays open whatever was typed.
        QVERIFY(rig_->App().Options() == dialog);
        QVERIFY(dialog->isVisible());
        QCOMPARE(box->text(), QString());
        const QString name = refusal.isEmpty() ? typed : QStringLiteral("alice");
        QCOMPARE(QString::fromStdString(rig_->State().currentplayer), name);
        QCOMPARE(rig_->Stored(1, "currentplayer"), name);
        QCOMPARE(Text(dialog, "machine_1"), name.toUpper());
        QCOMPARE(Text(dialog, "lblcurrentplayer"), "Current Player  " + name.toUpper());
        QCOMPARE(rig_->K22()->windowTitle(), "Current Player       " + name.toUpper());
        if (refusal.isEmpty()) {
            QVERIFY(boxes_.Seen().empty());
        } else {
            QCOMPARE(boxes_.Seen().size(), std::size_t{1});
            QCOMPARE(boxes_.Seen()[0].text, refusal);
            QCOMPARE(boxes_.Seen()[0].title, QStringLiteral("Tarvell22"));
            QCOMPARE(boxes_.Seen()[0].icon, QMessageBox::Information);
        }
    }

    // Every way out writes the record of the slot in use and brings back the active game window.
    void waysOut_data() {
        QTest::addColumn<QString>("way");
        QTest::addColumn<QString>("activegame");
        for (const char* game : {"game1", "game2"}) {
            for (const char* way : {"ok", "close box", "escape", "delete no", "delete yes", "large", "original"}) {
                QTest::addRow("%s from %s", way, game) << QString::fromLatin1(way) << QString::fromLatin1(game);
            }
        }
    }
    void waysOut() {
        QFETCH(QString, way);
        QFETCH(QString, activegame);
        StartMachine();
        if (activegame == "game2") {
            rig_->App().SwitchTo20Ball();
            QVERIFY(rig_->K20());
        }
        OptionsDialog* dialog = Open();
        QVERIFY(dialog);
        QWidget* active = Window(activegame);
        QVERIFY(!active->isEnabled());
        QVERIFY(Click(Find(dialog, "setspeed_2")));
        rig_->State().bank = 777;  // as if changed while the dialog was open

        if (way == "ok") {
            QVERIFY(ClickNamed(dialog, "btnokplayer"));
        } else if (way == "close box") {
            dialog->close();
        } else if (way == "escape") {
            QTest::keyClick(dialog, Qt::Key_Escape);
        } else if (way.startsWith("delete")) {
            boxes_.Arm(way == "delete yes" ? QMessageBox::Yes : QMessageBox::No);
            QVERIFY(ClickNamed(dialog, "Btndeletedetails"));
            QCOMPARE(boxes_.Seen().size(), std::size_t{1});
            QCOMPARE(boxes_.Seen()[0].text, QStringLiteral("Are you sure you want to Delete Current Player's Details ?"));
            QCOMPARE(boxes_.Seen()[0].icon, QMessageBox::Critical);
        } else {
            QVERIFY(ClickNamed(dialog, way == "large" ? "cmdlargescreen" : "cmdorigonal"));
            QCOMPARE(displayCalls_, QStringList{way == "large" ? "change 800x600" : "restore"});
            QCOMPARE(rig_->K22()->pos(), QPoint(0, 0));
        }

        QVERIFY(DialogGone());
        const bool deleted = way == "delete yes";
        QCOMPARE(rig_->Stored(1, "bank"), deleted ? QStringLiteral("0") : QStringLiteral("777"));
        QCOMPARE(rig_->Stored(1, "reelspeed"), QStringLiteral("20"));
        QCOMPARE(rig_->Stored(1, "games"), deleted ? QStringLiteral("0") : QStringLiteral("12"));
        QCOMPARE(rig_->Stored(1, "wager"), QStringLiteral("60"));
        QCOMPARE(rig_->Stored(1, "currentplayer"), QStringLiteral("alice"));
        if (deleted) QCOMPARE(Text(active, activegame == "game2" ? "lblcredit" : "panelbank"), QStringLiteral("0"));
        QVERIFY(active->isEnabled());
        QVERIFY(active->isVisible());
        QWidget* other = Window(activegame == "game2" ? "game1" : "game2");
        if (other) QVERIFY(!other->isVisible());
    }

    void largeScreenOnAScreenAlready800x600_data() {
        QTest::addColumn<int>("width");
        QTest::addColumn<int>("height");
        QTest::newRow("800 x 600") << 800 << 600;
        QTest::newRow("800 wide") << 800 << 1024;
        QTest::newRow("600 high") << 1280 << 600;
    }
    void largeScreenOnAScreenAlready800x600() {
        QFETCH(int, width);
        QFETCH(int, height);
        StartMachine();
        display_->screen = {width, height};
        rig_->K22()->move(40, 30);
        OptionsDialog* dialog = Open();
        QVERIFY(dialog);
        boxes_.Arm(QMessageBox::Ok);
        QVERIFY(ClickNamed(dialog, "cmdlargescreen"));
        QCOMPARE(boxes_.Seen().size(), std::size_t{1});
        QCOMPARE(boxes_.Seen()[0].text, QStringLiteral("Already 800 X 600 resolution !!\n"));
        QCOMPARE(boxes_.Seen()[0].title, QStringLiteral("Tarvell22"));
        QCOMPARE(boxes_.Seen()[0].icon, QMessageBox::Information);
        QVERIFY(displayCalls_.isEmpty());
        QCOMPARE(rig_->K22()->pos(), QPoint(40, 30));
        QVERIFY(DialogGone());
        QVERIFY(rig_->K22()->isEnabled());
    }

    void saveFailureIsReportedWithFileAndReason() {
        // A regular file where the settings folder should be: nothing can be written below it.
        QTemporaryDir folder;
        QFile blocker(folder.filePath("blocked"));
        QVERIFY(blocker.open(QIODevice::WriteOnly));
        blocker.close();
        const QString file = folder.filePath("blocked/keno22.ini");
        rig_ = std::make_unique<AppRig>(nullptr, file);
        QVERIFY(rig_->Start());

        boxes_.Clear();
        boxes_.Arm(QMessageBox::Ok);
        QVERIFY(Open());  // opening writes the record
        QVERIFY(boxes_.Answered());
        QVERIFY2(boxes_.Seen()[0].text.contains(file), qPrintable(boxes_.Seen()[0].text));
        QVERIFY(boxes_.Seen()[0].text.contains(QStringLiteral("Reason:")));
        QCOMPARE(boxes_.Seen()[0].icon, QMessageBox::Warning);

        OptionsDialog* dialog = rig_->App().Options();
        QVERIFY(dialog);
        boxes_.Arm(QMessageBox::Ok);
        QVERIFY(ClickNamed(dialog, "btnokplayer"));  // and so does closing
        QCOMPARE(boxes_.Seen().size(), std::size_t{2});
        QVERIFY(DialogGone());
        QVERIFY(rig_->K22()->isEnabled());
    }

    // Not a check: KENO_SCREENSHOT=<file.png> saves a picture of the dialog as a player sees it.
    void screenshot() {
        const QString file = qEnvironmentVariable("KENO_SCREENSHOT");
        if (file.isEmpty()) QSKIP("set KENO_SCREENSHOT=<file.png> to take a picture");
        StartMachine();
        OptionsDialog* dialog = Open();
        QVERIFY(dialog);
        QVERIFY(QTest::qWaitForWindowExposed(dialog));
        QTest::qWait(200);
        QVERIFY(dialog->grab().save(file));
    }
};

}  // namespace keno::uitest

KENO_UI_TEST_MAIN(keno::uitest::OptionsDialogTest)
#include "OptionsDialogTest.moc"
