// The options dialog driven like a player over a machine with a private settings file.
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QTimer>

#include <functional>

#include "options/OptionsDialog.h"
#include "options/OptionsHost.h"
#include "tests/support/UiTestSupport.h"

namespace keno::uitest {
namespace {

struct FakeDisplay final : DisplayModeSwitch {
    std::pair<int, int> screen{1024, 768};
    QStringList calls;
    void ChangeDisplayMode(int w, int h) override { calls << QStringLiteral("change %1x%2").arg(w).arg(h); }
    void RestoreDisplayMode() override { calls << QStringLiteral("restore"); }
    std::pair<int, int> ScreenSizePixels() override { return screen; }
};

bool Checked(QObject* root, const QString& name) {
    auto* button = Find<QRadioButton>(root, name);
    return button && button->isChecked();
}

}  // namespace

class OptionsDialogTest : public QObject {
    Q_OBJECT

    std::unique_ptr<AppRig> rig_;
    FakeDisplay* display_ = nullptr;
    BoxAnswerer boxes_;

    QWidget* Window(const QString& game) const {
        return game == "game2" ? static_cast<QWidget*>(rig_->K20()) : rig_->K22();
    }

    // alice in slot 1 and Bob in slot 2, the credit changed since the record was written; the
    // dialog opened with the options button of the active game.
    OptionsDialog* Open(const QString& game = "game1", const QString& file = {}) {
        rig_ = std::make_unique<AppRig>(nullptr, file);
        auto display = std::make_unique<FakeDisplay>();
        display_ = display.get();
        rig_->App().SetDisplayModeSwitch(std::move(display));
        rig_->PutRecord(1, {{"coinsbet", "3"}, {"reelspeed", "10"}, {"amountinvested", "100"}, {"wager", "60"},
                            {"total", "45"}, {"bank", "80"}, {"games", "12"}, {"currentplayer", "alice"}});
        rig_->PutRecord(2, {{"coinsbet", "2"}, {"reelspeed", "20"}, {"amountinvested", "40"}, {"wager", "0"},
                            {"total", "0"}, {"bank", "40"}, {"games", "0"}, {"currentplayer", "Bob"}});
        if (!rig_->Start()) return nullptr;
        if (game == "game2") rig_->App().SwitchTo20Ball();
        rig_->State().bank = 500;
        // keno22 shows its button pressed for a moment before the dialog comes up.
        if (!ClickNamed(Window(game), "mnuoptions")) return nullptr;
        (void)QTest::qWaitFor([this] { return rig_->App().Options() != nullptr; }, 5000);
        return rig_->App().Options();
    }

    bool DialogGone() { return QTest::qWaitFor([this] { return rig_->App().Options() == nullptr; }, 5000); }

private slots:
    void init() { boxes_.Clear(); }
    void cleanup() { rig_.reset(); }

    void captionsAndTooltips() {
        OptionsDialog* dialog = Open();
        QVERIFY(dialog);
        const char* rows[][3] = {
            {"frmkeno22options", "Keno Options", ""}, {"Framemain", "Keno Options", ""},
            {"lblplayername", "Input Player Name                                  Then Enter", ""},
            {"Framespeed", "Reel Speed", ""}, {"setspeed_0", "1", ""}, {"setspeed_1", "2", ""}, {"setspeed_2", "3", ""},
            {"fastslow", "<<<Faster                       Slower>>>", ""},
            {"Btndeletedetails", "Delete Current Player", "This Button Will Delete All Current Players Details."},
            {"btnokplayer", "O.K. Close and save changes", "Close and Save Your Changes"},
            {"Frame1", "Screen Size", ""}, {"cmdlargescreen", "Large Size 800X600", "Set Screen Size To LARGE"},
            {"cmdorigonal", "Origonal Screen Size", "Set Screen Size To SMALL"},
            {"Text1", "Note :- Some machines \nmay not support this \noption.", ""}};
        for (const auto& [name, text, tooltip] : rows) {
            QWidget* control = dialog->objectName() == name ? dialog : Find(dialog, name);
            QVERIFY2(control, name);
            QString shown = control == dialog ? dialog->windowTitle() : control->property("text").toString();
            if (auto* frame = qobject_cast<QGroupBox*>(control)) shown = frame->title();
            if (auto* box = qobject_cast<QPlainTextEdit*>(control)) shown = box->isReadOnly() ? box->toPlainText() : "";
            QCOMPARE(shown, QString::fromUtf8(text));
            QCOMPARE(control->toolTip(), QString::fromUtf8(tooltip));
            if (auto* label = qobject_cast<QLabel*>(control))  // shown whole
                QVERIFY2(label->width() >= label->fontMetrics().horizontalAdvance(shown), name);
        }
    }

    // The controls reach the controller and its view is drawn back: a slot click loads that player
    // into the game window and checks the speed button; Enter in the name box names the player and
    // leaves the dialog open (the texts and refusals are the controller's, tested there).
    void controlsReachTheControllerAndAreRedrawn() {
        OptionsDialog* dialog = Open();
        QVERIFY(dialog);
        QVERIFY(Checked(dialog, "machine_1") && Checked(dialog, "setspeed_1"));
        QCOMPARE(TextOf(dialog, "machine_2"), QStringLiteral("BOB"));
        QVERIFY(Click(Find(dialog, "machine_2")));
        QVERIFY(Checked(dialog, "setspeed_2"));
        QCOMPARE(TextOf(dialog, "lblgames"), QStringLiteral("Games Played          "));
        QCOMPARE(TextOf(rig_->K22(), "panelbank"), QStringLiteral("40"));
        QVERIFY(Click(Find(dialog, "setspeed_1")));
        QCOMPARE(TextOf(dialog, "speedlab"), QStringLiteral("Current Speed =   2"));
        auto* box = Find<QLineEdit>(dialog, "player1");
        QVERIFY(box);
        box->setText(QStringLiteral("zoë"));
        QTest::keyClick(box, Qt::Key_Return);
        QVERIFY(rig_->App().Options() == dialog && dialog->isVisible());
        QCOMPARE(box->text(), QString());
        QCOMPARE(TextOf(dialog, "machine_2"), QStringLiteral("ZOË"));
        QCOMPARE(rig_->K22()->windowTitle(), QStringLiteral("Current Player       ZOË"));
        QCOMPARE(rig_->Stored(2, "currentplayer"), QStringLiteral("zoë"));
    }

    // Every way out, from either game, writes the record of the slot in use and brings the game back.
    void waysOut_data() {
        QTest::addColumn<QString>("game");
        QTest::addColumn<QStringList>("way");  // control clicked (or "close" / "escape"), width, box, display
        QTest::addColumn<int>("answer");       // to the box, if one comes
        const QString sure = "Are you sure you want to Delete Current Player's Details ?";
        const struct { const char* name; QStringList way; int answer; } kWays[] = {
            {"ok", {"btnokplayer", "1024", "", ""}, 0},
            {"close box", {"close", "1024", "", ""}, 0},
            {"escape", {"escape", "1024", "", ""}, 0},
            {"delete no", {"Btndeletedetails", "1024", sure, ""}, QMessageBox::No},
            {"delete yes", {"Btndeletedetails", "1024", sure, ""}, QMessageBox::Yes},
            {"large", {"cmdlargescreen", "1024", "", "change 800x600"}, 0},
            {"large on 800 wide", {"cmdlargescreen", "800", "Already 800 X 600 resolution !!\n", ""}, QMessageBox::Ok},
            {"original", {"cmdorigonal", "1024", "", "restore"}, 0}};
        for (const char* game : {"game1", "game2"})
            for (const auto& w : kWays) QTest::newRow(QByteArray(w.name).append(" from ").append(game).constData()) << game << w.way << w.answer;
    }
    void waysOut() {
        QFETCH(QString, game);
        QFETCH(QStringList, way);
        QFETCH(int, answer);
        const QString control = way[0], box = way[2], display = way[3];
        OptionsDialog* dialog = Open(game);
        QVERIFY(dialog && dialog->isVisible() && !dialog->isModal());
        QWidget* active = Window(game);
        QVERIFY(!active->isEnabled());
        QVERIFY(Click(Find(dialog, "setspeed_2")));
        rig_->State().bank = 777;
        display_->screen = {way[1].toInt(), 768};
        rig_->K22()->move(40, 30);

        if (answer) boxes_.Arm(QMessageBox::StandardButton(answer));
        if (control == "close") dialog->close();
        else if (control == "escape") QTest::keyClick(dialog, Qt::Key_Escape);
        else QVERIFY(ClickNamed(dialog, control));
        QVERIFY(DialogGone());
        QCOMPARE(boxes_.Seen().size(), std::size_t(answer ? 1 : 0));
        if (answer) {  // the texts are the controller's; here they must reach a box with title and icon
            QCOMPARE(boxes_.Seen()[0].text + boxes_.Seen()[0].title, box + "Tarvell22");
            QCOMPARE(boxes_.Seen()[0].icon, box.startsWith("Are you sure") ? QMessageBox::Critical : QMessageBox::Information);
        }
        QCOMPARE(display_->calls, display.isEmpty() ? QStringList() : QStringList{display});
        QCOMPARE(rig_->K22()->pos(), display.isEmpty() ? QPoint(40, 30) : QPoint(0, 0));
        const bool deleted = answer == QMessageBox::Yes;
        QCOMPARE(rig_->Stored(1, "bank") + " " + rig_->Stored(1, "reelspeed"), deleted ? "0 20" : "777 20");
        if (deleted) QCOMPARE(TextOf(active, game == "game2" ? "lblcredit" : "panelbank"), QStringLiteral("0"));
        QVERIFY(active->isEnabled() && active->isVisible());
        if (QWidget* other = Window(game == "game2" ? "game1" : "game2")) QVERIFY(!other->isVisible());
    }

    // The dialog closed while a box of its own is up, as the accessibility interface can do: the
    // box goes with it and nothing is freed twice.
    void closedUnderItsOwnBox_data() {
        QTest::addColumn<QString>("opener");  // control that raises the box ("enter": Enter in an empty name box)
        QTest::addColumn<QString>("closer");  // control pressed while it is up ("close": the close box)
        QTest::addColumn<QString>("display");
        QTest::newRow("O.K. under 'Already 800 X 600'") << "cmdlargescreen" << "btnokplayer" << "";
        QTest::newRow("Origonal under 'Already 800 X 600'") << "cmdlargescreen" << "cmdorigonal" << "restore";
        QTest::newRow("close box under 'Already 800 X 600'") << "cmdlargescreen" << "close" << "";
        QTest::newRow("Large again under 'Already 800 X 600'") << "cmdlargescreen" << "cmdlargescreen" << "";
        QTest::newRow("O.K. under the delete question") << "Btndeletedetails" << "btnokplayer" << "";
        QTest::newRow("O.K. under 'Nothing Entered'") << "enter" << "btnokplayer" << "";
    }
    void closedUnderItsOwnBox() {
        QFETCH(QString, opener);
        QFETCH(QString, closer);
        QFETCH(QString, display);
        QPointer<OptionsDialog> dialog = Open();
        QVERIFY(dialog);
        rig_->State().bank = 777;
        display_->screen = {800, 600};
        int presses = 0;
        std::function<void()> pressUnderBox = [&] {
            if (!qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
                QTimer::singleShot(10, pressUnderBox);
                return;
            }
            ++presses;
            if (closer == opener) boxes_.Arm(QMessageBox::Ok);  // the second press raises its own box
            if (closer == "close") dialog->close();
            else Find<QAbstractButton>(dialog, closer)->click();
        };
        QTimer::singleShot(0, pressUnderBox);
        if (opener == "enter") QTest::keyClick(Find(dialog, "player1"), Qt::Key_Return);
        else QVERIFY(ClickNamed(dialog, opener));
        QCOMPARE(presses, 1);
        QVERIFY(DialogGone());
        QVERIFY(!QApplication::activeModalWidget());
        QCOMPARE(display_->calls, display.isEmpty() ? QStringList() : QStringList{display});
        QCOMPARE(rig_->Stored(1, "bank"), QStringLiteral("777"));  // saved, and not deleted by a dismissed question
        QVERIFY(rig_->K22()->isEnabled() && rig_->K22()->isVisible());
    }

    void saveFailureIsReportedWithFileAndReason() {
        // A regular file where the settings folder should be: nothing can be written below it.
        QTemporaryDir folder;
        QVERIFY(QFile(folder.filePath("blocked")).open(QIODevice::WriteOnly));
        const QString file = folder.filePath("blocked/keno22.ini");
        boxes_.Arm(QMessageBox::Ok);
        OptionsDialog* dialog = Open("game1", file);  // opening writes the record
        QVERIFY(dialog && boxes_.Answered());
        QVERIFY2(boxes_.Seen()[0].text.contains(file), qPrintable(boxes_.Seen()[0].text));
        QVERIFY(boxes_.Seen()[0].text.contains(QStringLiteral("Reason:")));
        QCOMPARE(boxes_.Seen()[0].icon, QMessageBox::Warning);
        boxes_.Arm(QMessageBox::Ok);
        QVERIFY(ClickNamed(dialog, "btnokplayer"));  // and so does closing
        QCOMPARE(boxes_.Seen().size(), std::size_t{2});
        QVERIFY(DialogGone());
        QVERIFY(rig_->K22()->isEnabled());
    }
};

}  // namespace keno::uitest

KENO_UI_TEST_MAIN(keno::uitest::OptionsDialogTest)
#include "OptionsDialogTest.moc"
