// Keyboard play on a small face with the game windows' control names.
#include "widgets/Accessibility.h"
#include "widgets/BoardSquare.h"
#include "widgets/ImageButton.h"
#include "widgets/KeyboardPlay.h"

#include <QAccessible>
#include <QApplication>
#include <QMap>
#include <QHelpEvent>
#include <QTest>
#include <QToolTip>
#include <memory>

using namespace keno;

namespace {

// The controls of the 22-ball face, without the game behind them: every click is counted.
class Face : public QWidget {
public:
    explicit Face(const QStringList& buttonNames) {
        resize(700, 500);
        for (int number = 1; number <= 80; ++number) {
            auto* square = new BoardSquare(number, this);
            square->setObjectName(QStringLiteral("a_%1").arg(number));
            square->setToolTip(QStringLiteral("Click to select this number"));
            square->setGeometry(((number - 1) % 10) * 50, ((number - 1) / 10) * 44, 48, 42);
            QObject::connect(square, &BoardSquare::clicked, this, [this, number] { ++clicks[QString::number(number)]; });
        }
        int left = 0;
        for (const QString& name : buttonNames) {
            auto* button = new ImageButton(name.toUpper(), QColor(255, 186, 0), this);
            button->setObjectName(name);
            button->setGeometry(left, 380, 60, 40);
            left += 62;
            QObject::connect(button, &ImageButton::clicked, this, [this, name] { ++clicks[name]; });
        }
    }

    ImageButton* button(const QString& name) const { return findChild<ImageButton*>(name); }
    BoardSquare* square(int number) const { return findChild<BoardSquare*>(QStringLiteral("a_%1").arg(number)); }

    QMap<QString, int> clicks;
};

const QStringList kButtons22{"coinsin", "makbet", "rubber", "btnautoselect", "start", "btn20ball",
                             "mnuoptions", "mnupayouts", "flash", "xtraballs", "takwin"};
const QStringList kButtons20{"coinsin", "makbet", "rubber", "btnautoselect", "start", "btkeno22", "mnuoptions"};

}  // namespace

class KeyboardPlayTest : public QObject {
    Q_OBJECT
private slots:
    void init() {
        face_ = std::make_unique<Face>(kButtons22);
        face_->button(QStringLiteral("makbet"))->setToolTip(QString());
        face_->button(QStringLiteral("coinsin"))->setToolTip(QStringLiteral("Insert Coins"));
        play_ = KeyboardPlay::Install(*face_);
        face_->show();
        QVERIFY(QTest::qWaitForWindowActive(face_.get()));
    }
    void cleanup() { face_.reset(); }

    void eachKeyClicksItsButtonOnce_data() {
        QTest::addColumn<int>("key");
        QTest::addColumn<QString>("button");
        QTest::newRow("C") << int(Qt::Key_C) << "coinsin";
        QTest::newRow("B") << int(Qt::Key_B) << "makbet";
        QTest::newRow("E") << int(Qt::Key_E) << "rubber";
        QTest::newRow("A") << int(Qt::Key_A) << "btnautoselect";
        QTest::newRow("Space") << int(Qt::Key_Space) << "start";
        QTest::newRow("Enter") << int(Qt::Key_Return) << "start";
        QTest::newRow("keypad Enter") << int(Qt::Key_Enter) << "start";
        QTest::newRow("X") << int(Qt::Key_X) << "xtraballs";
        QTest::newRow("T") << int(Qt::Key_T) << "takwin";
        QTest::newRow("O") << int(Qt::Key_O) << "mnuoptions";
        QTest::newRow("P") << int(Qt::Key_P) << "mnupayouts";
        QTest::newRow("G") << int(Qt::Key_G) << "btn20ball";
    }
    void eachKeyClicksItsButtonOnce() {
        QFETCH(int, key);
        QFETCH(QString, button);
        Type(Qt::Key(key));
        QCOMPARE(face_->clicks, (QMap<QString, int>{{button, 1}}));
    }

    void disabledButtonIgnoresItsKey() {
        face_->button(QStringLiteral("start"))->setEnabled(false);
        Type(Qt::Key_Space);
        Type(Qt::Key_Return);
        QVERIFY(face_->clicks.isEmpty());
    }

    void extraBallKeyPressesThePictureThatShows() {
        face_->button(QStringLiteral("xtraballs"))->hide();
        Type(Qt::Key_X);
        QCOMPARE(face_->clicks, (QMap<QString, int>{{QStringLiteral("flash"), 1}}));
    }

    void arrowsMoveTheRingAndSpaceMarks() {
        Type(Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), face_->square(1));
        Type(Qt::Key_Left);  // the edge stops the ring
        Type(Qt::Key_Up);
        QCOMPARE(QApplication::focusWidget(), face_->square(1));
        Type(Qt::Key_Right);
        Type(Qt::Key_Down);
        Type(Qt::Key_Down);
        QCOMPARE(QApplication::focusWidget(), face_->square(22));
        QCOMPARE(play_->currentSquare(), 22);
        Type(Qt::Key_Space);
        QCOMPARE(face_->clicks, (QMap<QString, int>{{QStringLiteral("22"), 1}}));
        Type(Qt::Key_Return);  // Enter still plays from the board
        QCOMPARE(face_->clicks.value(QStringLiteral("start")), 1);
        for (int i = 0; i < 12; ++i) Type(Qt::Key_Down);
        QCOMPARE(QApplication::focusWidget(), face_->square(72));
    }

    void boardIsOneTabStopBeforeTheButtons() {
        Type(Qt::Key_Tab);
        Type(Qt::Key_Right);
        Type(Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), face_->button(QStringLiteral("coinsin")));
        Type(Qt::Key_Space);  // a focused button takes Space for itself
        QCOMPARE(face_->clicks, (QMap<QString, int>{{QStringLiteral("coinsin"), 1}}));
        Type(Qt::Key_Backtab);
        QCOMPARE(QApplication::focusWidget(), face_->square(2));  // the ring kept its place
    }

    void escapeLeavesTheControlsSoSpacePlays() {
        Type(Qt::Key_Tab);
        Type(Qt::Key_Escape);
        Type(Qt::Key_Space);
        QCOMPARE(face_->clicks, (QMap<QString, int>{{QStringLiteral("start"), 1}}));
    }

    void tooltipsNameTheKeys() {
        QCOMPARE(KeyboardPlay::ShownToolTip(*face_->button(QStringLiteral("coinsin"))),
                 QStringLiteral("Insert Coins (C)"));
        QCOMPARE(KeyboardPlay::ShownToolTip(*face_->button(QStringLiteral("makbet"))), QStringLiteral("(B)"));
        QCOMPARE(KeyboardPlay::ShownToolTip(*face_->button(QStringLiteral("start"))), QStringLiteral("(Space or Enter)"));
        QCOMPARE(KeyboardPlay::ShownToolTip(*face_->square(9)),
                 QStringLiteral("Click to select this number (arrow keys, Space)"));
        QCOMPARE(face_->button(QStringLiteral("coinsin"))->property(kKeyProperty).toString(), QStringLiteral("C"));
        // The window's own tooltip text stays as it was set.
        QCOMPARE(face_->button(QStringLiteral("coinsin"))->toolTip(), QStringLiteral("Insert Coins"));
    }

    void hoveringShowsTheTooltipWithItsKey() {
        ImageButton* coins = face_->button(QStringLiteral("coinsin"));
        QHelpEvent help(QEvent::ToolTip, QPoint(5, 5), coins->mapToGlobal(QPoint(5, 5)));
        QApplication::sendEvent(coins, &help);
        QTRY_COMPARE(QToolTip::text(), QStringLiteral("Insert Coins (C)"));
        QToolTip::hideText();
    }

    void installingTwiceAddsNothing() {
        QCOMPARE(KeyboardPlay::Install(*face_), play_);
        QCOMPARE(KeyboardPlay::ShownToolTip(*face_->button(QStringLiteral("coinsin"))),
                 QStringLiteral("Insert Coins (C)"));
        Type(Qt::Key_C);
        QCOMPARE(face_->clicks.value(QStringLiteral("coinsin")), 1);
    }

    void theTwentyBallFaceHasItsOwnKeys() {
        Face face(kButtons20);
        KeyboardPlay::Install(face);
        face.show();
        QVERIFY(QTest::qWaitForWindowActive(&face));
        for (Qt::Key key : {Qt::Key_T, Qt::Key_X, Qt::Key_P, Qt::Key_G}) QTest::keyClick(face.windowHandle(), key);
        QCOMPARE(face.clicks, (QMap<QString, int>{{QStringLiteral("btkeno22"), 1}}));
        const QString help = GameKeysHelp(&face);
        QVERIFY2(help.startsWith(QStringLiteral("Keys: C coins, B make bet, E erase, A auto select, "
                                                "Space or Enter play, O options, G switch game.")),
                 qPrintable(help));
        QVERIFY(GameKeysHelp(nullptr).contains(QStringLiteral("X extra balls, T take win")));
        QWidget other;
        QCOMPARE(GameKeysHelp(&other), GameKeysHelp(nullptr));
    }

private:
    void Type(Qt::Key key) { QTest::keyClick(face_->windowHandle(), key); }

    std::unique_ptr<Face> face_;
    KeyboardPlay* play_ = nullptr;
};

QTEST_MAIN(KeyboardPlayTest)
#include "KeyboardPlayTest.moc"
