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

namespace {

QAccessibleInterface* Face(QObject* object) { return QAccessible::queryAccessibleInterface(object); }

void Act(QObject* object, const QString& action) {
    const QStringList names = Face(object)->actionInterface()->actionNames();
    QVERIFY2(names.contains(action), qPrintable(names.join(',')));
    Face(object)->actionInterface()->doAction(action);
}

const QString kPress = QAccessibleActionInterface::pressAction();

}  // namespace

class AccessibilityTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { InstallKenoAccessibility(); }

    void buttonIsAPushButtonNamedByItsCaption() {
        ImageButton button(QStringLiteral("AUTO SELECT"));
        button.setToolTip(QStringLiteral("Select number automatically"));
        button.setProperty(kKeyProperty, QStringLiteral("A"));
        QAccessibleInterface* face = Face(&button);
        QCOMPARE(face->role(), QAccessible::Button);
        QCOMPARE(face->text(QAccessible::Name), QStringLiteral("AUTO SELECT"));
        QCOMPARE(face->text(QAccessible::Description), QStringLiteral("Select number automatically"));
        QCOMPARE(face->actionInterface()->actionNames().value(0), kPress);
        QCOMPARE(face->actionInterface()->keyBindingsForAction(kPress), QStringList{QStringLiteral("A")});
        button.setText(QStringLiteral("PLAY"));
        QCOMPARE(face->text(QAccessible::Name), QStringLiteral("PLAY"));
        QVERIFY(!face->state().disabled);
        button.setEnabled(false);
        QVERIFY(face->state().disabled);
        QVERIFY(face->actionInterface()->actionNames().isEmpty());
    }

    // Press is queued (the caller on the bus gets its answer first), then acts like a click, unless
    // the button was disabled meanwhile or a modal box holds its window.
    void pressIsQueuedAndActsLikeAClick() {
        QWidget window;
        auto* button = new ImageButton(QStringLiteral("COINS"), QColor(20, 200, 60), &window);
        window.show();
        QSignalSpy pressed(button, &ImageButton::pressed), released(button, &ImageButton::released),
            clicked(button, &ImageButton::clicked);
        Act(button, kPress);
        QCOMPARE(clicked.count(), 0);
        QTRY_COMPARE(clicked.count(), 1);
        QCOMPARE(pressed.count(), 1);
        QCOMPARE(released.count(), 1);
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

    // A square is a check box named by its number; a toggle clicks it later.
    void squareReadsAsACheckBox() {
        using P = SquarePicture;
        using B = SquareBackground;
        using T = SquareText;
        const struct { SquareView view; bool checked; const char* description; } kCases[] = {
            {{P::None, B::Black, T::Blue}, false, ""}, {{P::None, B::NearBlack, T::Blue}, false, ""},
            {{P::Marked, B::Black, T::Blue}, true, ""}, {{P::None, B::White, T::OrangeRed}, false, "drawn"},
            {{P::None, B::LightGrey, T::Red}, false, "drawn"}, {{P::Hit, B::White, T::OrangeRed}, true, "hit"},
            {{P::Hit, B::LightGrey, T::Red}, true, "hit"},
            // between two flashes of the hit picture a hit shows its drawn ink on the dark ground
            {{P::None, B::Black, T::OrangeRed}, true, "hit"}, {{P::None, B::Black, T::Red}, true, "hit"}};
        for (const auto& c : kCases) {
            BoardSquare square(17);
            square.setView(c.view);
            QAccessibleInterface* face = Face(&square);
            QCOMPARE(face->role(), QAccessible::CheckBox);
            QCOMPARE(face->text(QAccessible::Name), QStringLiteral("17"));
            QVERIFY(face->state().checkable);
            QCOMPARE(bool(face->state().checked), c.checked);
            QCOMPARE(face->text(QAccessible::Description), QString::fromLatin1(c.description));
        }
        BoardSquare square(40);
        QSignalSpy clicked(&square, &BoardSquare::clicked);
        Act(&square, QAccessibleActionInterface::toggleAction());
        QCOMPARE(clicked.count(), 0);
        QTRY_COMPARE(clicked.count(), 1);
    }

    void meterAndBallAreLabelsNamedByTheirReading() {
        MeterLabel meter(QStringLiteral("CREDIT"));
        meter.setText(QStringLiteral("120"));
        BallWidget ball(0);
        for (QObject* label : {static_cast<QObject*>(&meter), static_cast<QObject*>(&ball)})
            QCOMPARE(Face(label)->role(), QAccessible::StaticText);
        QCOMPARE(Face(&meter)->text(QAccessible::Name), QStringLiteral("120"));
        QCOMPARE(Face(&meter)->text(QAccessible::Description), QStringLiteral("CREDIT"));
        meter.setText(QString());
        meter.setCaption(QStringLiteral("WIN"));
        QCOMPARE(Face(&meter)->text(QAccessible::Name), QString());
        QCOMPARE(Face(&meter)->text(QAccessible::Description), QStringLiteral("WIN"));
        QCOMPARE(Face(&ball)->text(QAccessible::Name), QString());
        ball.setNumber(63);
        QCOMPARE(Face(&ball)->text(QAccessible::Name), QStringLiteral("63"));
    }
};

QTEST_MAIN(AccessibilityTest)
#include "AccessibilityTest.moc"
