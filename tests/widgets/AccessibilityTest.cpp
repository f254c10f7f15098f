// Play without a mouse: what assistive technology reads from the painted controls and what its Press
// does, and the keys on a small face with the game windows' control names.
#include "widgets/Accessibility.h"
#include "widgets/BallWidget.h"
#include "widgets/BoardSquare.h"
#include "widgets/ImageButton.h"
#include "widgets/KeyboardPlay.h"

#include <QAccessible>
#include <QApplication>
#include <QDialog>
#include <QHelpEvent>
#include <QMap>
#include <QSignalSpy>
#include <QTest>
#include <QToolTip>

using namespace keno;

namespace {

QAccessibleInterface* Reader(QObject* object) { return QAccessible::queryAccessibleInterface(object); }

void Act(QObject* object, const QString& action) {
    const QStringList names = Reader(object)->actionInterface()->actionNames();
    QVERIFY2(names.contains(action), qPrintable(names.join(',')));
    Reader(object)->actionInterface()->doAction(action);
}

const QString kPress = QAccessibleActionInterface::pressAction();
using Clicks = QMap<QString, int>;

// The controls of a game face without the game behind them; every click is counted.
class GameFace : public QWidget {
public:
    explicit GameFace(const QStringList& buttonNames) {
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
        button("coinsin")->setToolTip(QStringLiteral("Insert Coins"));
        KeyboardPlay::Install(*this);
        show();
        active = QTest::qWaitForWindowActive(this);
    }
    ImageButton* button(const char* name) const { return findChild<ImageButton*>(QString::fromLatin1(name)); }
    BoardSquare* square(int number) const { return findChild<BoardSquare*>(QStringLiteral("a_%1").arg(number)); }
    void type(std::initializer_list<Qt::Key> keys) {
        for (Qt::Key key : keys) QTest::keyClick(windowHandle(), key);
    }

    Clicks clicks;
    bool active = false;
};

const QStringList kButtons22{"coinsin", "makbet", "rubber", "btnautoselect", "start", "btn20ball",
                             "mnuoptions", "mnupayouts", "flash", "xtraballs", "takwin"};
const QStringList kButtons20{"coinsin", "makbet", "rubber", "btnautoselect", "start", "btkeno22", "mnuoptions"};

}  // namespace

class AccessibilityTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { InstallKenoAccessibility(); }

    // A button reads as its caption of the moment (role, tooltip and key are read on the real window
    // in tests/a11y); a disabled one offers no action.
    void buttonReadsItsCaptionAndStateNow() {
        ImageButton button(QStringLiteral("AUTO SELECT"));
        QAccessibleInterface* reader = Reader(&button);
        button.setText(QStringLiteral("PLAY"));
        QCOMPARE(reader->text(QAccessible::Name), QStringLiteral("PLAY"));
        QCOMPARE(reader->actionInterface()->actionNames().value(0), kPress);
        button.setEnabled(false);
        QVERIFY(reader->state().disabled && reader->actionInterface()->actionNames().isEmpty());
    }

    // Press is queued (the caller on the bus gets its answer first), then acts like a click, unless
    // the button was disabled meanwhile or a modal box holds its window.
    void pressIsQueuedAndActsLikeAClick() {
        QWidget window;
        auto* button = new ImageButton(QStringLiteral("COINS"), QColor(20, 200, 60), &window);
        window.show();
        QSignalSpy clicked(button, &ImageButton::clicked);
        Act(button, kPress);
        QCOMPARE(clicked.count(), 0);
        QTRY_COMPARE(clicked.count(), 1);
        Act(button, kPress);
        button->setEnabled(false);
        QTest::qWait(20);
        button->setEnabled(true);
        QDialog box;
        box.setModal(true);
        box.show();
        QTRY_VERIFY(QApplication::activeModalWidget() == &box);
        Act(button, kPress);
        QTest::qWait(20);
        QCOMPARE(clicked.count(), 1);
        box.close();
        QTRY_VERIFY(QApplication::activeModalWidget() == nullptr);
        Act(button, kPress);
        QTRY_COMPARE(clicked.count(), 2);
    }

    // A square is a check box, checked when marked or hit; between two flashes of the hit picture a
    // hit shows its drawn ink on the dark ground. A toggle clicks it later.
    void squareReadsAsACheckBox() {
        using P = SquarePicture;
        using B = SquareBackground;
        using T = SquareText;
        const struct { SquareView view; bool checked; const char* description; } kCases[] = {
            {{P::None, B::Black, T::Blue}, false, ""},          {{P::None, B::NearBlack, T::Blue}, false, ""},
            {{P::Marked, B::Black, T::Blue}, true, ""},         {{P::None, B::White, T::OrangeRed}, false, "drawn"},
            {{P::None, B::LightGrey, T::Red}, false, "drawn"},  {{P::Hit, B::White, T::OrangeRed}, true, "hit"},
            {{P::Hit, B::LightGrey, T::Red}, true, "hit"},      {{P::None, B::Black, T::OrangeRed}, true, "hit"},
            {{P::None, B::Black, T::Red}, true, "hit"}};
        BoardSquare square(17);
        for (const auto& c : kCases) {
            square.setView(c.view);
            QVERIFY(Reader(&square)->state().checkable);
            QCOMPARE(bool(Reader(&square)->state().checked), c.checked);
            QCOMPARE(Reader(&square)->text(QAccessible::Description), QString::fromLatin1(c.description));
        }
        QSignalSpy clicked(&square, &BoardSquare::clicked);
        Act(&square, QAccessibleActionInterface::toggleAction());
        QCOMPARE(clicked.count(), 0);
        QTRY_COMPARE(clicked.count(), 1);
    }

    // A ball is a label named by its number, nameless when empty (meters are read in tests/a11y).
    void ballIsALabelNamedByItsNumber() {
        BallWidget ball(0);
        QCOMPARE(Reader(&ball)->role(), QAccessible::StaticText);
        QCOMPARE(Reader(&ball)->text(QAccessible::Name), QString());
        ball.setNumber(63);
        QCOMPARE(Reader(&ball)->text(QAccessible::Name), QStringLiteral("63"));
    }

    // Each key clicks its button once (a key whose button the 20-ball face lacks does nothing); a
    // disabled button ignores it; X presses the extra-ball picture that shows.
    void eachKeyClicksItsButtonOnce() {
        for (const bool k22 : {true, false}) {
            GameFace face(k22 ? kButtons22 : kButtons20);
            QVERIFY(face.active);
            const std::pair<Qt::Key, const char*> kKeys[] = {
                {Qt::Key_C, "coinsin"}, {Qt::Key_B, "makbet"}, {Qt::Key_E, "rubber"}, {Qt::Key_A, "btnautoselect"},
                {Qt::Key_Space, "start"}, {Qt::Key_Return, "start"}, {Qt::Key_Enter, "start"},
                {Qt::Key_X, k22 ? "xtraballs" : ""}, {Qt::Key_T, k22 ? "takwin" : ""}, {Qt::Key_O, "mnuoptions"},
                {Qt::Key_P, k22 ? "mnupayouts" : ""}, {Qt::Key_G, k22 ? "btn20ball" : "btkeno22"}};
            for (const auto& [key, button] : kKeys) {
                face.clicks.clear();
                face.type({key});
                QCOMPARE(face.clicks, (*button ? Clicks{{button, 1}} : Clicks{}));
            }
        }
        GameFace face(kButtons22);
        QVERIFY(face.active);
        face.button("start")->setEnabled(false);
        face.button("xtraballs")->hide();
        face.type({Qt::Key_Space, Qt::Key_Return, Qt::Key_X});
        QCOMPARE(face.clicks, (Clicks{{"flash", 1}}));
    }

    // The shown tooltips name the keys, the window's own texts stay, and a second install adds nothing.
    void tooltipsNameTheKeys() {
        GameFace face(kButtons22);
        QVERIFY(face.active);
        QCOMPARE(KeyboardPlay::Install(face), KeyboardPlay::Install(face));
        ImageButton* coins = face.button("coinsin");
        const std::pair<QWidget*, const char*> kShown[] = {
            {coins, "Insert Coins (C)"}, {face.button("makbet"), "(B)"}, {face.button("start"), "(Space or Enter)"},
            {face.square(9), "Click to select this number (arrow keys, Space)"}};
        for (const auto& [control, shown] : kShown) QCOMPARE(KeyboardPlay::ShownToolTip(*control), QString(shown));
        QCOMPARE(coins->toolTip(), QStringLiteral("Insert Coins"));
        QHelpEvent help(QEvent::ToolTip, QPoint(5, 5), coins->mapToGlobal(QPoint(5, 5)));
        QApplication::sendEvent(coins, &help);
        QTRY_COMPARE(QToolTip::text(), QStringLiteral("Insert Coins (C)"));
        QToolTip::hideText();
    }

    void eachFaceHelpsWithItsOwnKeys() {
        GameFace face(kButtons20);
        QVERIFY(GameKeysHelp(&face).startsWith(QStringLiteral(
            "Keys: C coins, B make bet, E erase, A auto select, Space or Enter play, O options, G switch game.")));
        QVERIFY(GameKeysHelp(nullptr).contains(QStringLiteral("X extra balls, T take win")));
    }
};

QTEST_MAIN(AccessibilityTest)
#include "AccessibilityTest.moc"
