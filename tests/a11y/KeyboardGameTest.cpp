// Whole games of both windows played with the keyboard only, on the real machine, and what
// assistive technology reads from the real windows.
#include <QAccessible>

#include "tests/keno22/Keno22WindowRig.h"
#include "widgets/Accessibility.h"
#include "widgets/KeyboardPlay.h"
#include "widgets/MeterLabel.h"

using namespace keno;
using namespace keno::uitest;

namespace {

const std::vector<int> kTicket{1, 2, 3, 4, 5, 6, 7, 8, 9, 10};

QAccessibleInterface* Face(QObject* object) {
    QAccessibleInterface* face = object ? QAccessible::queryAccessibleInterface(object) : nullptr;
    if (face == nullptr) qFatal("no accessible interface");
    return face;
}

}  // namespace

class KeyboardGameTest : public QObject {
    Q_OBJECT
private slots:
    void init() {
        rig_ = std::make_unique<Keno22Rig>();
        QVERIFY(rig_->Start());
        QVERIFY(QTest::qWaitForWindowActive(rig_->Window()));
    }
    void cleanup() { rig_.reset(); }

    void keyboardPlaysBothGames() {
        Keno22Window* k22 = rig_->Window();

        // No credit: the board refuses the marking key with the click's own message.
        Type(k22, Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), rig_->Square(1));
        QCOMPARE(RefusalFor(k22, Qt::Key_Space),
                 QStringLiteral("You Have No credit...Please Insert Some Coins Via The COINS Button"));
        Type(k22, Qt::Key_Escape);

        Type(k22, Qt::Key_C);
        Type(k22, Qt::Key_B);
        QCOMPARE(rig_->Text("panelbank"), QStringLiteral("20"));
        QCOMPARE(rig_->Text("betpan"), QStringLiteral("1"));
        rig_->NextDraw(kTicket);
        Type(k22, Qt::Key_A);
        QTRY_COMPARE(rig_->Text("spts"), QStringLiteral("10"));

        // Nine of ten: the offer opens; T takes the win.
        rig_->NextDraw(DrawOf({1, 2, 3, 4, 5, 6, 7, 8, 9}, kTicket, {10, 11}));
        Type(k22, Qt::Key_Space);
        QVERIFY(rig_->Rig().WaitSettled());
        QTRY_VERIFY(rig_->Enabled("takwin"));
        const int offered = rig_->Text("winnings").toInt();
        QVERIFY(offered > 0);
        Type(k22, Qt::Key_T);
        QVERIFY(rig_->Rig().WaitSettled());
        QTRY_VERIFY(rig_->Enabled("start"));
        QCOMPARE(rig_->Text("panelbank"), QString::number(19 + offered));

        // After the game a marking key gets the erase message, as a click does.
        Type(k22, Qt::Key_Tab);
        Type(k22, Qt::Key_Right);
        Type(k22, Qt::Key_Down);
        QCOMPARE(QApplication::focusWidget(), rig_->Square(12));
        QCOMPARE(RefusalFor(k22, Qt::Key_Space), QStringLiteral("Please Erase the OLD Numbers First "));

        // ERASE, then three numbers marked from the board and played with Enter.
        Type(k22, Qt::Key_E);
        QTRY_COMPARE(rig_->Square(1)->view().picture, SquarePicture::None);
        Type(k22, Qt::Key_Space);  // the ring is still on 12
        Type(k22, Qt::Key_Right);
        Type(k22, Qt::Key_Space);
        Type(k22, Qt::Key_Up);
        Type(k22, Qt::Key_Space);
        QCOMPARE(rig_->Text("spts"), QStringLiteral("3"));
        for (int n : {3, 12, 13}) QCOMPARE(rig_->Square(n)->view().picture, SquarePicture::Marked);
        const int credit = rig_->Text("panelbank").toInt();
        rig_->NextDraw(DrawOf({70}, {3, 12, 13}));
        Type(k22, Qt::Key_Return);
        QVERIFY(rig_->Rig().WaitSettled());
        QTRY_VERIFY(rig_->Enabled("start"));
        QCOMPARE(rig_->Text("panelbank"), QString::number(credit - 1));

        // G: the 20-ball game, played by keys alone, then back.
        Type(k22, Qt::Key_G);
        QTRY_VERIFY(rig_->Rig().K20() != nullptr && rig_->Rig().K20()->isVisible());
        Keno20Window* k20 = rig_->Rig().K20();
        QVERIFY(QTest::qWaitForWindowActive(k20));
        Type(k20, Qt::Key_C);
        QTRY_COMPARE(TextOf(k20, QStringLiteral("lblcredit")), QString::number(credit - 1 + 20));
        rig_->NextDraw({21, 22, 23, 24, 25, 26, 27, 28, 29, 30});
        Type(k20, Qt::Key_A);
        QTRY_COMPARE(TextOf(k20, QStringLiteral("spts")), QStringLiteral("10"));
        Type(k20, Qt::Key_Space);
        QVERIFY(rig_->Rig().WaitSettled());
        QTRY_VERIFY(EnabledNamed(k20, QStringLiteral("start")));
        const int win = TextOf(k20, QStringLiteral("winnings")).toInt();
        QCOMPARE(TextOf(k20, QStringLiteral("lblcredit")), QString::number(credit - 1 + 20 - 1 + win));
        Type(k20, Qt::Key_G);
        QTRY_VERIFY(k22->isVisible() && !k20->isVisible());
    }

    void screenReaderReadsTheRealWindow() {
        Keno22Window* k22 = rig_->Window();
        QAccessibleInterface* credit = Face(Find<MeterLabel>(k22, QStringLiteral("panelbank")));
        QCOMPARE(credit->role(), QAccessible::StaticText);
        QCOMPARE(credit->text(QAccessible::Name), QStringLiteral("0"));
        QCOMPARE(credit->text(QAccessible::Description), QStringLiteral("CREDIT"));
        QAccessibleInterface* coins = Face(rig_->Button("coinsin"));
        QCOMPARE(coins->role(), QAccessible::Button);
        QCOMPARE(coins->text(QAccessible::Name), QStringLiteral("COINS"));
        QCOMPARE(coins->text(QAccessible::Description), QStringLiteral("Insert Coins"));
        QCOMPARE(coins->actionInterface()->keyBindingsForAction(QAccessibleActionInterface::pressAction()),
                 QStringList{QStringLiteral("C")});
        QVERIFY(Face(rig_->Button("start"))->state().disabled);
        QCOMPARE(Face(rig_->Square(17))->role(), QAccessible::CheckBox);
        QCOMPARE(Face(rig_->Square(17))->text(QAccessible::Name), QStringLiteral("17"));

        // A press from the bus works the machine as a click does.
        coins->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
        QTRY_COMPARE(credit->text(QAccessible::Name), QStringLiteral("20"));
    }

private:
    static void Type(QWidget* window, Qt::Key key) { QTest::keyClick(window->windowHandle(), key); }

    // The text of the box the key raises, answered with OK.
    QString RefusalFor(QWidget* window, Qt::Key key) {
        boxes_.Clear();
        boxes_.Arm();
        Type(window, key);
        if (!QTest::qWaitFor([this] { return boxes_.Answered(); }, 5000)) return QStringLiteral("<no box>");
        // The offscreen platform hands activation back to nobody when a box closes; a window
        // manager gives it back to the window.
        window->activateWindow();
        if (!QTest::qWaitForWindowActive(window)) return QStringLiteral("<window not active again>");
        return boxes_.Seen().front().text;
    }

    std::unique_ptr<Keno22Rig> rig_;
    BoxAnswerer boxes_;
};

KENO_UI_TEST_MAIN(KeyboardGameTest)
#include "KeyboardGameTest.moc"
