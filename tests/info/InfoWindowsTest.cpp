// The information screens as the machine opens them.
#include <QAbstractButton>
#include <QLabel>
#include <QPointer>

#include "info/AboutWindow.h"
#include "info/GameInformationText.h"
#include "info/PayoutsPictureWidget.h"
#include "info/PayoutsWindow.h"
#include "tests/support/UiTestSupport.h"

namespace keno::uitest {

class InfoWindowsTest : public QObject {
    Q_OBJECT

private slots:
    void gameInformationBox_data() {
        QTest::addColumn<int>("game");
        QTest::addColumn<int>("answer");
        QTest::newRow("keno22 OK") << int(GameKind::Keno22) << int(QMessageBox::Ok);
        QTest::newRow("keno20 Cancel") << int(GameKind::Keno20) << int(QMessageBox::Cancel);
    }
    void gameInformationBox() {
        QFETCH(int, game);
        QFETCH(int, answer);
        AppRig rig;
        QVERIFY(rig.Start());
        BoxAnswerer boxes;
        boxes.Arm(QMessageBox::StandardButton(answer));
        rig.App().ShowGameInformation(GameKind(game), rig.K22());  // returns once the box is answered
        QVERIFY(boxes.Answered());
        const SeenBox seen = boxes.Seen()[0];
        QCOMPARE(seen.title, QStringLiteral("Game Information"));
        QCOMPARE(seen.icon, QMessageBox::Information);
        QStringList lines;
        for (const std::string& line : GameInformationLines(InformationGame(game))) lines << QString::fromStdString(line);
        QCOMPARE(seen.text, lines.join(QLatin1Char('\n')));
        QVERIFY(QApplication::activeModalWidget() == nullptr);
    }

    void oneSchedulePictureAtATimeUntilReturnToGame() {
        AppRig rig;
        QVERIFY(rig.Start());
        rig.App().ShowPaySchedule();
        QPointer<PayoutsWindow> payouts = rig.App().Payouts();
        QVERIFY(payouts && QTest::qWaitForWindowExposed(payouts));
        rig.App().ShowPaySchedule();
        QCOMPARE(rig.App().Payouts(), payouts.data());
        int shown = 0;
        for (QWidget* window : QApplication::topLevelWidgets())
            shown += window->objectName() == QStringLiteral("payouts") && window->isVisible();
        QCOMPARE(shown, 1);
        QCOMPARE(payouts->windowTitle(), QStringLiteral("        K E N O 2 2        P A Y O U T      S C H E D U L E"));
        QVERIFY(Find<PayoutsPictureWidget>(payouts, "Picture1"));
        auto* back = Find<QAbstractButton>(payouts, "SSCommand1");
        QVERIFY(back && back->isVisible() && payouts->rect().contains(back->geometry()));
        QCOMPARE(back->text(), QStringLiteral("Return to Game"));
        QVERIFY(Click(back));
        QTRY_VERIFY(payouts.isNull());  // closed and unloaded
    }

    // Every amount keeps clear of its square's rules; "10000" in the last column clear of the
    // picture's right border too.
    void amountsStayClearOfTheirRules() {
        PayoutsPictureWidget widget;
        const PayoutsPicture& picture = widget.Picture();
        int amounts = 0;
        for (const PayoutCell& cell : picture.cells) {
            if (cell.text.empty()) continue;
            ++amounts;
            const QRectF ink = widget.AmountInk(cell);
            const QString where = QStringLiteral("%1 at %2/%3: %4..%5 in %6..%7")
                                      .arg(QString::fromStdString(cell.text)).arg(cell.spots).arg(cell.hits)
                                      .arg(ink.left()).arg(ink.right()).arg(cell.box.x).arg(cell.box.Right());
            QVERIFY2(ink.left() >= cell.box.x + 2.5 && ink.right() <= cell.box.Right() - 2.5, qPrintable(where));
            QVERIFY2(ink.top() >= cell.box.y && ink.bottom() <= cell.box.Bottom(), qPrintable(where));
        }
        QVERIFY(amounts > 30);
        QVERIFY(widget.AmountInk(*picture.CellAt(10, 10)).right() <= PayoutsPicture::kWidth - 6);
    }

    void aboutWindow_data() {
        QTest::addColumn<QString>("way");
        for (const char* way : {"OK", "close box", "Escape"}) QTest::newRow(way) << QString::fromLatin1(way);
    }
    void aboutWindow() {
        QFETCH(QString, way);
        AppRig rig;
        QVERIFY(rig.Start());
        rig.K22()->setEnabled(false);  // as the options dialog leaves it
        rig.App().ShowAbout();
        QPointer<AboutWindow> about = rig.App().About();
        QVERIFY(about && QTest::qWaitForWindowExposed(about));
        QCOMPARE(about->objectName(), QStringLiteral("aboutkeno22"));
        QCOMPARE(about->windowTitle(), QStringLiteral("About K E N O 22"));
        QCOMPARE(about->height(), 122);  // 1830 twips
        QVERIFY(!about->isModal());
        auto* icon = Find<QLabel>(about, "picIcon");
        QVERIFY(icon && !icon->pixmap().isNull());
        QVERIFY(TextOf(about, "lblTitle").contains(QStringLiteral("K E N O 22")));
        QCOMPARE(TextOf(about, "cmdOK"), QStringLiteral("OK"));
        QVERIFY(!rig.K22()->isEnabled());

        if (way == "OK") QVERIFY(ClickNamed(about, "cmdOK"));
        else if (way == "close box") about->close();
        else QTest::keyClick(about, Qt::Key_Escape);
        QTRY_VERIFY(about.isNull());
        QVERIFY(rig.K22()->isEnabled());
    }
};

}  // namespace keno::uitest

KENO_UI_TEST_MAIN(keno::uitest::InfoWindowsTest)
#include "InfoWindowsTest.moc"
