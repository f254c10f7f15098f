// Keyboard play on a small face with the game windows' control names.
#include "widgets/Accessibility.h"
#include "widgets/BoardSquare.h"
#include "widgets/ImageButton.h"
#include "widgets/KeyboardPlay.h"

#include <QApplication>
#include <QHelpEvent>
#include <QMap>
#include <QTest>
#include <QToolTip>
#include <memory>

using namespace keno;

namespace {

using Clicks = QMap<QString, int>;

// The controls of a game face, without the game behind them: every click is counted.
class Face : public QWidget {
public:
    explicit Face(const QStringList& buttonNames) {
        resize(700, 500);
        for (int number = 1; number <= 80; ++number) {
            auto* square = new BoardSquare(number, this);
            square->setObjectName(QStringLiteral("a_%1").arg(number));
            square->setToolTip(QStringLiteral("Click to select this number"));
            square->setGeometry(((number - 1) % 10) * 50, ((number - 1) / 10) * 44, 48, 42);
            connect(square, &BoardSquare::clicked, this, [this, number] { ++clicks[QString::number(number)]; });
        }
        for (int i = 0; i < buttonNames.size(); ++i) {
            auto* button = new ImageButton(buttonNames[i].toUpper(), QColor(255, 186, 0), this);
            button->setObjectName(buttonNames[i]);
            button->setGeometry(i * 62, 380, 60, 40);
            connect(button, &ImageButton::clicked, this, [this, name = buttonNames[i]] { ++clicks[name]; });
        }
        KeyboardPlay::Install(*this);
        show();
    }
    ImageButton* button(const char* name) const { return findChild<ImageButton*>(QString::fromLatin1(name)); }
    BoardSquare* square(int number) const { return findChild<BoardSquare*>(QStringLiteral("a_%1").arg(number)); }
    void type(std::initializer_list<Qt::Key> keys) {
        for (Qt::Key key : keys) QTest::keyClick(windowHandle(), key);
    }

    Clicks clicks;
};

const QStringList kButtons22{"coinsin", "makbet", "rubber", "btnautoselect", "start", "btn20ball",
                             "mnuoptions", "mnupayouts", "flash", "xtraballs", "takwin"};

}  // namespace

class KeyboardPlayTest : public QObject {
    Q_OBJECT
private slots:
    void init() {
        face_ = std::make_unique<Face>(kButtons22);
        face_->button("coinsin")->setToolTip(QStringLiteral("Insert Coins"));
        QVERIFY(QTest::qWaitForWindowActive(face_.get()));
    }
    void cleanup() { face_.reset(); }

    // Each key clicks its button once; a disabled button ignores it; X presses the extra-ball picture
    // that shows.
    void eachKeyClicksItsButtonOnce() {
        const std::pair<Qt::Key, const char*> kKeys[] = {
            {Qt::Key_C, "coinsin"}, {Qt::Key_B, "makbet"}, {Qt::Key_E, "rubber"}, {Qt::Key_A, "btnautoselect"},
            {Qt::Key_Space, "start"}, {Qt::Key_Return, "start"}, {Qt::Key_Enter, "start"}, {Qt::Key_X, "xtraballs"},
            {Qt::Key_T, "takwin"}, {Qt::Key_O, "mnuoptions"}, {Qt::Key_P, "mnupayouts"}, {Qt::Key_G, "btn20ball"}};
        for (const auto& [key, button] : kKeys) {
            face_->clicks.clear();
            face_->type({key});
            QCOMPARE(face_->clicks, (Clicks{{button, 1}}));
        }
        face_->clicks.clear();
        face_->button("start")->setEnabled(false);
        face_->button("xtraballs")->hide();
        face_->type({Qt::Key_Space, Qt::Key_Return, Qt::Key_X});
        QCOMPARE(face_->clicks, (Clicks{{"flash", 1}}));
    }

    void arrowsMoveTheRingAndSpaceMarks() {
        face_->type({Qt::Key_Tab, Qt::Key_Left, Qt::Key_Up});  // the edge stops the ring
        QCOMPARE(QApplication::focusWidget(), face_->square(1));
        face_->type({Qt::Key_Right, Qt::Key_Down, Qt::Key_Down, Qt::Key_Space});
        QCOMPARE(QApplication::focusWidget(), face_->square(22));
        face_->type({Qt::Key_Return});  // Enter still plays from the board
        QCOMPARE(face_->clicks, (Clicks{{"22", 1}, {"start", 1}}));
        for (int i = 0; i < 12; ++i) face_->type({Qt::Key_Down});
        QCOMPARE(QApplication::focusWidget(), face_->square(72));
        face_->type({Qt::Key_Up, Qt::Key_Tab});  // the board is one tab stop before the buttons
        QCOMPARE(QApplication::focusWidget(), face_->button("coinsin"));
        face_->type({Qt::Key_Space});  // a focused button takes Space for itself
        QCOMPARE(face_->clicks.value("coinsin"), 1);
        face_->type({Qt::Key_Backtab});
        QCOMPARE(QApplication::focusWidget(), face_->square(62));  // the ring kept its place
        face_->type({Qt::Key_Escape, Qt::Key_Space});  // out of the controls Space plays
        QCOMPARE(face_->clicks.value("start"), 2);
    }

    // The shown tooltips name the keys, the window's own texts stay, and a second install adds nothing.
    void tooltipsNameTheKeys() {
        QCOMPARE(KeyboardPlay::Install(*face_), KeyboardPlay::Install(*face_));
        QCOMPARE(KeyboardPlay::ShownToolTip(*face_->button("coinsin")), QStringLiteral("Insert Coins (C)"));
        QCOMPARE(KeyboardPlay::ShownToolTip(*face_->button("makbet")), QStringLiteral("(B)"));
        QCOMPARE(KeyboardPlay::ShownToolTip(*face_->button("start")), QStringLiteral("(Space or Enter)"));
        QCOMPARE(KeyboardPlay::ShownToolTip(*face_->square(9)),
                 QStringLiteral("Click to select this number (arrow keys, Space)"));
        QCOMPARE(face_->button("coinsin")->property(kKeyProperty).toString(), QStringLiteral("C"));
        QCOMPARE(face_->button("coinsin")->toolTip(), QStringLiteral("Insert Coins"));
        ImageButton* coins = face_->button("coinsin");
        QHelpEvent help(QEvent::ToolTip, QPoint(5, 5), coins->mapToGlobal(QPoint(5, 5)));
        QApplication::sendEvent(coins, &help);
        QTRY_COMPARE(QToolTip::text(), QStringLiteral("Insert Coins (C)"));
        QToolTip::hideText();
        face_->type({Qt::Key_C});
        QCOMPARE(face_->clicks.value("coinsin"), 1);
    }

    void theTwentyBallFaceHasItsOwnKeys() {
        Face face({"coinsin", "makbet", "rubber", "btnautoselect", "start", "btkeno22", "mnuoptions"});
        QVERIFY(QTest::qWaitForWindowActive(&face));
        face.type({Qt::Key_T, Qt::Key_X, Qt::Key_P, Qt::Key_G});
        QCOMPARE(face.clicks, (Clicks{{"btkeno22", 1}}));
        const QString help = GameKeysHelp(&face);
        QVERIFY2(help.startsWith(QStringLiteral("Keys: C coins, B make bet, E erase, A auto select, "
                                                "Space or Enter play, O options, G switch game.")),
                 qPrintable(help));
        QVERIFY(GameKeysHelp(nullptr).contains(QStringLiteral("X extra balls, T take win")));
        QWidget other;
        QCOMPARE(GameKeysHelp(&other), GameKeysHelp(nullptr));
    }

private:
    std::unique_ptr<Face> face_;
};

QTEST_MAIN(KeyboardPlayTest)
#include "KeyboardPlayTest.moc"
