// What assistive technology reads from the painted controls, and what its Press does.
#include "widgets/Accessibility.h"
#include "widgets/BallWidget.h"
#include "widgets/BoardSquare.h"
#include "widgets/ImageButton.h"
#include "widgets/MeterLabel.h"

#include <QAccessible>
#include <QDialog>
#include <QSignalSpy>
#include <QTest>

using namespace keno;

Q_DECLARE_METATYPE(keno::SquareView)

namespace {

QAccessibleInterface* Face(QObject* object) {
    QAccessibleInterface* face = QAccessible::queryAccessibleInterface(object);
    if (face == nullptr) qFatal("no accessible interface");
    return face;
}

void Act(QObject* object, const QString& action) {
    QAccessibleActionInterface* actions = Face(object)->actionInterface();
    QVERIFY(actions != nullptr);
    QVERIFY2(actions->actionNames().contains(action), qPrintable(actions->actionNames().join(',')));
    actions->doAction(action);
}

SquareView View(SquarePicture picture, SquareBackground background, SquareText text) {
    return SquareView{picture, background, text};
}

}  // namespace

class AccessibilityTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { InstallKenoAccessibility(); }

    void buttonIsAPushButtonNamedByItsCaption() {
        ImageButton button(QStringLiteral("AUTO SELECT"));
        button.setToolTip(QStringLiteral("Select number automatically"));
        QAccessibleInterface* face = Face(&button);
        QCOMPARE(face->role(), QAccessible::Button);
        QCOMPARE(face->text(QAccessible::Name), QStringLiteral("AUTO SELECT"));
        QCOMPARE(face->text(QAccessible::Description), QStringLiteral("Select number automatically"));
        QCOMPARE(face->actionInterface()->actionNames().value(0), QAccessibleActionInterface::pressAction());
        QVERIFY(!face->state().disabled);
        button.setEnabled(false);
        QVERIFY(face->state().disabled);
        button.setText(QStringLiteral("PLAY"));
        QCOMPARE(face->text(QAccessible::Name), QStringLiteral("PLAY"));
    }

    void pressIsQueuedAndActsLikeAClick() {
        ImageButton button(QStringLiteral("COINS"));
        QSignalSpy pressed(&button, &ImageButton::pressed);
        QSignalSpy released(&button, &ImageButton::released);
        QSignalSpy clicked(&button, &ImageButton::clicked);
        Act(&button, QAccessibleActionInterface::pressAction());
        QCOMPARE(clicked.count(), 0);  // the caller on the bus gets its answer first
        QTRY_COMPARE(clicked.count(), 1);
        QCOMPARE(pressed.count(), 1);
        QCOMPARE(released.count(), 1);
    }

    void buttonDisabledBeforeItsQueuedPressIgnoresIt() {
        ImageButton button(QStringLiteral("PLAY"));
        QSignalSpy clicked(&button, &ImageButton::clicked);
        Act(&button, QAccessibleActionInterface::pressAction());
        button.setEnabled(false);
        QVERIFY(Face(&button)->actionInterface()->actionNames().isEmpty());
        QTest::qWait(20);
        QCOMPARE(clicked.count(), 0);
    }

    void pressDoesNotReachAWindowUnderAModalBox() {
        QWidget window;
        auto* button = new ImageButton(QStringLiteral("PLAY"), QColor(20, 200, 60), &window);
        window.show();
        QSignalSpy clicked(button, &ImageButton::clicked);
        QDialog box;
        box.setModal(true);
        box.show();
        QTRY_VERIFY(QApplication::activeModalWidget() == &box);
        Act(button, QAccessibleActionInterface::pressAction());
        QTest::qWait(20);
        QCOMPARE(clicked.count(), 0);
        box.close();
        QTRY_VERIFY(QApplication::activeModalWidget() == nullptr);
        Act(button, QAccessibleActionInterface::pressAction());
        QTRY_COMPARE(clicked.count(), 1);
    }

    void keyIsOfferedAsTheBindingOfPress() {
        ImageButton button(QStringLiteral("COINS"));
        button.setProperty(kKeyProperty, QStringLiteral("C"));
        QCOMPARE(Face(&button)->actionInterface()->keyBindingsForAction(QAccessibleActionInterface::pressAction()),
                 QStringList{QStringLiteral("C")});
    }

    void squareReadsAsACheckBox_data() {
        QTest::addColumn<SquareView>("view");
        QTest::addColumn<bool>("checked");
        QTest::addColumn<QString>("description");
        using P = SquarePicture;
        using B = SquareBackground;
        using T = SquareText;
        QTest::newRow("plain") << View(P::None, B::Black, T::Blue) << false << QString();
        QTest::newRow("erased") << View(P::None, B::NearBlack, T::Blue) << false << QString();
        QTest::newRow("marked") << View(P::Marked, B::Black, T::Blue) << true << QString();
        QTest::newRow("22 drawn") << View(P::None, B::White, T::OrangeRed) << false << QStringLiteral("drawn");
        QTest::newRow("20 drawn") << View(P::None, B::LightGrey, T::Red) << false << QStringLiteral("drawn");
        QTest::newRow("22 hit") << View(P::Hit, B::White, T::OrangeRed) << true << QStringLiteral("hit");
        QTest::newRow("20 hit") << View(P::Hit, B::LightGrey, T::Red) << true << QStringLiteral("hit");
        // Between two flashes of the hit picture a hit shows its drawn ink on the dark ground.
        QTest::newRow("22 hit blinking") << View(P::None, B::Black, T::OrangeRed) << true << QStringLiteral("hit");
        QTest::newRow("20 hit blinking") << View(P::None, B::Black, T::Red) << true << QStringLiteral("hit");
    }

    void squareReadsAsACheckBox() {
        QFETCH(SquareView, view);
        QFETCH(bool, checked);
        QFETCH(QString, description);
        BoardSquare square(17);
        square.setView(view);
        QAccessibleInterface* face = Face(&square);
        QCOMPARE(face->role(), QAccessible::CheckBox);
        QCOMPARE(face->text(QAccessible::Name), QStringLiteral("17"));
        QVERIFY(face->state().checkable);
        QCOMPARE(bool(face->state().checked), checked);
        QCOMPARE(face->text(QAccessible::Description), description);
    }

    void squareToggleClicksItLater() {
        BoardSquare square(40);
        QSignalSpy clicked(&square, &BoardSquare::clicked);
        Act(&square, QAccessibleActionInterface::toggleAction());
        QCOMPARE(clicked.count(), 0);
        QTRY_COMPARE(clicked.count(), 1);
    }

    void meterIsALabelNamedByItsReading() {
        MeterLabel meter(QStringLiteral("CREDIT"));
        meter.setText(QStringLiteral("120"));
        QAccessibleInterface* face = Face(&meter);
        QCOMPARE(face->role(), QAccessible::StaticText);
        QCOMPARE(face->text(QAccessible::Name), QStringLiteral("120"));
        QCOMPARE(face->text(QAccessible::Description), QStringLiteral("CREDIT"));
        meter.setText(QString());
        QCOMPARE(face->text(QAccessible::Name), QString());
        meter.setCaption(QStringLiteral("WIN"));
        QCOMPARE(face->text(QAccessible::Description), QStringLiteral("WIN"));
    }

    void ballIsALabelNamedByItsNumber() {
        BallWidget ball(0);
        QAccessibleInterface* face = Face(&ball);
        QCOMPARE(face->role(), QAccessible::StaticText);
        QCOMPARE(face->text(QAccessible::Name), QString());
        ball.setNumber(63);
        QCOMPARE(face->text(QAccessible::Name), QStringLiteral("63"));
    }
};

QTEST_MAIN(AccessibilityTest)
#include "AccessibilityTest.moc"
