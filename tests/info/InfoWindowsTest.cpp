#include <QAbstractButton>
#include <QApplication>
#include <QLabel>
#include <QMainWindow>
#include <QMessageBox>
#include <QPainter>
#include <QPointer>
#include <QScreen>
#include <QTest>
#include <QTimer>

#include <functional>

#include "info/AboutWindow.h"
#include "info/GameInformation.h"
#include "info/GameInformationText.h"
#include "info/KenoIcon.h"
#include "info/PayoutsPicture.h"
#include "info/PayoutsPictureWidget.h"
#include "info/PayoutsWindow.h"
#include "tests/support/UiTestSupport.h"

using namespace keno;

namespace {

// What the game information box looked like when it came up.
struct SeenInfoBox {
    bool seen = false;
    QString text;
    QString title;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    QMessageBox::StandardButtons buttons;
    bool modal = false;
};

// Arms a zero-time timer that inspects the modal box once it is up and answers with `answer`.
void InspectNextBox(SeenInfoBox& seen, QMessageBox::StandardButton answer, int triesLeft = 500) {
    QTimer::singleShot(triesLeft == 500 ? 0 : 10, qApp, [&seen, answer, triesLeft] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box || !box->isVisible()) {
            if (triesLeft > 0) InspectNextBox(seen, answer, triesLeft - 1);
            return;
        }
        seen = {true, box->text(), box->windowTitle(), box->icon(), box->standardButtons(), box->isModal()};
        if (QAbstractButton* button = box->button(answer)) {
            button->click();
        } else {
            box->done(QMessageBox::Ok);
        }
    });
}

QString ExpectedShownText(InformationGame game) {
    QStringList lines;
    for (const std::string& line : GameInformationLines(game)) lines << QString::fromStdString(line);
    return lines.join(QLatin1Char('\n'));
}

}  // namespace

class InfoWindowsTest : public QObject {
    Q_OBJECT
private slots:
    void gameInformationBox_data();
    void gameInformationBox();
    void payoutsWindowShowsThePictureAndReturnsToTheGame();
    void payoutsPictureScalesKeepingItsShape();
    void payoutsPicturePaintsTheOfferEntriesInRed();
    void aboutWindow_data();
    void aboutWindow();
    void iconIsDrawnAtEverySize();
    void screensOpenedByTheMachine();
};

void InfoWindowsTest::gameInformationBox_data() {
    QTest::addColumn<int>("game");
    QTest::addColumn<int>("answer");
    QTest::addColumn<int>("lines");
    QTest::newRow("keno22 OK") << int(GameKind::Keno22) << int(QMessageBox::Ok) << 12;
    QTest::newRow("keno22 Cancel") << int(GameKind::Keno22) << int(QMessageBox::Cancel) << 12;
    QTest::newRow("keno20 OK") << int(GameKind::Keno20) << int(QMessageBox::Ok) << 11;
}

void InfoWindowsTest::gameInformationBox() {
    QFETCH(int, game);
    QFETCH(int, answer);
    QFETCH(int, lines);
    const auto kind = static_cast<GameKind>(game);
    QMainWindow window;
    window.show();
    SeenInfoBox seen;
    InspectNextBox(seen, static_cast<QMessageBox::StandardButton>(answer));
    ShowGameInformationBox(kind, &window);  // returns once the box is answered

    QVERIFY(seen.seen);
    QVERIFY(seen.modal);
    QCOMPARE(seen.title, QStringLiteral("Game Information"));
    QCOMPARE(seen.icon, QMessageBox::Information);
    QCOMPARE(seen.buttons, QMessageBox::Ok | QMessageBox::Cancel);
    const InformationGame textGame = kind == GameKind::Keno22 ? InformationGame::Keno22 : InformationGame::Keno20;
    QCOMPARE(seen.text, ExpectedShownText(textGame));
    QCOMPARE(seen.text.split(QLatin1Char('\n')).size(), lines);
    QVERIFY(!seen.text.contains(QLatin1Char('\r')));
    QVERIFY(QApplication::activeModalWidget() == nullptr);
}

void InfoWindowsTest::payoutsWindowShowsThePictureAndReturnsToTheGame() {
    QPointer<PayoutsWindow> window = new PayoutsWindow;
    QCOMPARE(window->objectName(), QStringLiteral("payouts"));
    QVERIFY(window->testAttribute(Qt::WA_DeleteOnClose));
    QCOMPARE(window->windowModality(), Qt::NonModal);
    QCOMPARE(window->windowTitle(),
             QStringLiteral("        K E N O 2 2        P A Y O U T      S C H E D U L E"));
    QCOMPARE(window->pos(), window->screen()->availableGeometry().topLeft());

    window->show();
    QVERIFY(QTest::qWaitForWindowExposed(window));
    auto* picture = window->findChild<PayoutsPictureWidget*>(QStringLiteral("Picture1"));
    QVERIFY(picture);
    QVERIFY(picture->width() >= 408 && picture->height() >= 250);
    auto* back = window->findChild<QAbstractButton*>(QStringLiteral("SSCommand1"));
    QVERIFY(back);
    QCOMPARE(back->text(), QStringLiteral("Return to Game"));
    QVERIFY(back->isVisible());
    QVERIFY(window->rect().contains(back->geometry()));  // not cut off

    QVERIFY(uitest::Click(back));
    QTRY_VERIFY(window.isNull());  // closed and unloaded
}

void InfoWindowsTest::payoutsPictureScalesKeepingItsShape() {
    PayoutsWindow* window = new PayoutsWindow;
    window->show();
    window->resize(1000, 900);
    QVERIFY(QTest::qWaitForWindowExposed(window));
    QTRY_VERIFY(window->Picture()->width() > 408);
    const QRectF shown = window->Picture()->PictureRect();
    QVERIFY(window->Picture()->rect().toRectF().contains(shown));
    QVERIFY(qAbs(shown.width() / shown.height() - 408.0 / 250.0) < 1e-6);
    QVERIFY(shown.width() > 408);
    window->close();
}

void InfoWindowsTest::payoutsPicturePaintsTheOfferEntriesInRed() {
    PayoutsPictureWidget picture;
    picture.resize(408, 250);
    // Twice the pixels, as on a high-density screen.
    QImage image(816, 500, QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(2.0);
    image.fill(Qt::black);
    picture.render(&image);
    const auto hasInk = [&](const PictureBox& box, const QColor& ink) {
        for (int y = box.y * 2; y < box.Bottom() * 2; ++y) {
            for (int x = box.x * 2; x < box.Right() * 2; ++x) {
                const QColor pixel = image.pixelColor(x, y);
                if (qAbs(pixel.red() - ink.red()) < 24 && qAbs(pixel.green() - ink.green()) < 24 &&
                    qAbs(pixel.blue() - ink.blue()) < 24)
                    return true;
            }
        }
        return false;
    };
    const QColor red = PayoutsPictureWidget::InkColour(Ink::Red);
    const QColor white = PayoutsPictureWidget::InkColour(Ink::White);
    const PayoutCell* offer = picture.Picture().CellAt(9, 8);  // (100)
    const PayoutCell* plain = picture.Picture().CellAt(9, 9);  // 2500
    QVERIFY(offer && plain);
    QVERIFY(hasInk(offer->box, red));
    QVERIFY(!hasInk(offer->box, white));
    QVERIFY(hasInk(plain->box, white));
    QVERIFY(!hasInk(plain->box, red));
    QVERIFY(hasInk(picture.Picture().note.front().box, PayoutsPictureWidget::InkColour(Ink::Green)));
}

void InfoWindowsTest::aboutWindow_data() {
    QTest::addColumn<QString>("way");
    QTest::newRow("OK") << QStringLiteral("cmdOK");
    QTest::newRow("close box") << QStringLiteral("close");
    QTest::newRow("Escape") << QStringLiteral("escape");
}

void InfoWindowsTest::aboutWindow() {
    QFETCH(QString, way);
    QMainWindow game;  // stands in for keno22, disabled as the options dialog leaves it
    game.setObjectName(QStringLiteral("keno22"));
    game.show();
    game.setEnabled(false);

    QPointer<AboutWindow> about = new AboutWindow([&game]() -> QWidget* { return &game; });
    about->ShowPlaced();
    QVERIFY(QTest::qWaitForWindowExposed(about));
    QCOMPARE(about->objectName(), QStringLiteral("aboutkeno22"));
    QCOMPARE(about->windowTitle(), QStringLiteral("About K E N O 22"));
    QVERIFY(!about->isModal());
    QVERIFY(about->testAttribute(Qt::WA_DeleteOnClose));
    QCOMPARE(about->height(), 122);  // 1830 twips
    QCOMPARE(about->pos(), about->screen()->availableGeometry().topLeft());
    auto* icon = about->findChild<QLabel*>(QStringLiteral("picIcon"));
    QVERIFY(icon && !icon->pixmap().isNull());
    const QString title = uitest::TextOf(about, QStringLiteral("lblTitle"));
    QVERIFY2(title.contains(QStringLiteral("K E N O 22")) && title.contains(QStringLiteral("5.0")), qPrintable(title));
    auto* ok = about->findChild<QAbstractButton*>(QStringLiteral("cmdOK"));
    QVERIFY(ok);
    QCOMPARE(ok->text(), QStringLiteral("OK"));
    for (QWidget* child : about->findChildren<QWidget*>()) {
        if (child->isVisible()) QVERIFY2(about->rect().contains(child->geometry()), qPrintable(child->objectName()));
    }
    QVERIFY(!game.isEnabled());

    if (way == QStringLiteral("cmdOK")) {
        QVERIFY(uitest::Click(ok));
    } else if (way == QStringLiteral("close")) {
        about->close();
    } else {
        QTest::keyClick(about, Qt::Key_Escape);
    }
    QTRY_VERIFY(about.isNull());
    QVERIFY(game.isEnabled());
}

void InfoWindowsTest::iconIsDrawnAtEverySize() {
    const QIcon icon = KenoIcon();
    QVERIFY(!icon.isNull());
    for (int size : {16, 32, 48, 256}) {
        const QImage image = icon.pixmap(size, size).toImage();
        QCOMPARE(image.size(), QSize(size, size));
        QCOMPARE(qAlpha(image.pixel(0, 0)), 0);                 // round: the corners stay clear
        QCOMPARE(qAlpha(image.pixel(size / 2, size / 2)), 255);  // the disc is opaque
    }
    const QPixmap sharp = KenoIconPixmap(64, 2.0);
    QCOMPARE(sharp.size(), QSize(128, 128));
    QCOMPARE(sharp.devicePixelRatio(), 2.0);
}

// The same screens as the machine opens them: the about window finds keno22 through the app.
void InfoWindowsTest::screensOpenedByTheMachine() {
    uitest::AppRig rig;
    QVERIFY(rig.Start());
    KenoApp& app = rig.App();

    app.ShowPaySchedule();
    QPointer<PayoutsWindow> payouts = app.Payouts();
    QVERIFY(payouts);
    app.ShowPaySchedule();
    QCOMPARE(app.Payouts(), payouts.data());
    int shown = 0;
    for (QWidget* window : QApplication::topLevelWidgets()) {
        if (window->objectName() == QStringLiteral("payouts") && window->isVisible()) ++shown;
    }
    QCOMPARE(shown, 1);
    QVERIFY(uitest::ClickNamed(payouts, QStringLiteral("SSCommand1")));
    QTRY_VERIFY(payouts.isNull());

    rig.K22()->setEnabled(false);  // as the options dialog leaves it
    app.ShowAbout();
    QPointer<AboutWindow> about = app.About();
    QVERIFY(about);
    QVERIFY(QTest::qWaitForWindowExposed(about));
    QCOMPARE(about->height(), 122);
    QVERIFY(uitest::ClickNamed(about, QStringLiteral("cmdOK")));
    QTRY_VERIFY(about.isNull());
    QVERIFY(rig.K22()->isEnabled());

    SeenInfoBox seen;
    InspectNextBox(seen, QMessageBox::Ok);
    app.ShowGameInformation(GameKind::Keno22, rig.K22());
    QVERIFY(seen.seen);
    QCOMPARE(seen.text, ExpectedShownText(InformationGame::Keno22));
}

KENO_UI_TEST_MAIN(InfoWindowsTest)
#include "InfoWindowsTest.moc"
