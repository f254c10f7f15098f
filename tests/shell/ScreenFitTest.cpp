// Both game windows on a small screen: run on an 800 x 600 Xvfb screen (the size the options
// dialog switches to), every control must be on the screen, the face's aspect kept.
#include <QScreen>

#include "gamewindow/GameWindowFit.h"
#include "tests/support/UiTestSupport.h"
#include "widgets/ImageButton.h"
#include "widgets/TwipFace.h"

using namespace keno;
using namespace keno::uitest;

class ScreenFitTest : public QObject {
    Q_OBJECT

private slots:
    // The design size where it fits, else the largest size of its aspect that does.
    void fittedSize_data() {
        QTest::addColumn<QSize>("available");
        QTest::addColumn<QSize>("frame");
        QTest::addColumn<QSize>("expected");
        QTest::newRow("roomy") << QSize(1280, 1024) << QSize(0, 0) << QSize(800, 625);
        QTest::newRow("exactly") << QSize(800, 625) << QSize(0, 0) << QSize(800, 625);
        QTest::newRow("800 x 600") << QSize(800, 600) << QSize(0, 0) << QSize(766, 600);
        QTest::newRow("with a frame") << QSize(800, 600) << QSize(10, 30) << QSize(726, 570);
        QTest::newRow("narrow") << QSize(640, 1024) << QSize(0, 0) << QSize(640, 505);
    }
    void fittedSize() {
        QFETCH(QSize, available);
        QFETCH(QSize, frame);
        QFETCH(QSize, expected);
        QCOMPARE(ScreenFit::FittedSize(QSize(800, 600), 25, available, frame), expected);
    }

    void bothWindowsFitTheScreen() {
        QScreen* screen = QGuiApplication::primaryScreen();
        QVERIFY(screen);
        const QRect available = screen->availableGeometry();
        if (available.width() > 800 || available.height() > 600)
            QSKIP("needs a screen of at most 800 x 600 (run on Xvfb -screen 0 800x600x24)");
        AppRig rig;
        QVERIFY(rig.Start());
        QVERIFY(ClickNamed(rig.K22(), "btn20ball") && QTest::qWaitForWindowExposed(rig.K20()));
        for (QWidget* window : {static_cast<QWidget*>(rig.K20()), static_cast<QWidget*>(rig.K22())}) {
            if (!window->isVisible()) QVERIFY(ClickNamed(rig.K20(), "btkeno22") && QTest::qWaitForWindowExposed(window));
            QTRY_VERIFY2(available.contains(window->frameGeometry()),
                         qPrintable(window->objectName() + QStringLiteral(" %1,%2 %3x%4").arg(window->frameGeometry().x()).arg(window->frameGeometry().y()).arg(window->frameGeometry().width()).arg(window->frameGeometry().height())));
            auto* face = Find<TwipFace>(window, "face");
            const QRect shown = face->faceRect();
            const QSize design = face->designSize();
            QVERIFY(qAbs(shown.width() * design.height() - shown.height() * design.width()) <= design.width() * 2);
            for (auto* control : window->findChildren<ImageButton*>()) {
                const QRect onScreen(control->mapToGlobal(QPoint(0, 0)), control->size());
                QVERIFY2(available.contains(onScreen), qPrintable(window->objectName() + '/' + control->objectName()));
            }
            const QString credit = window == rig.K22() ? "panelbank" : "lblcredit";
            auto* meter = Find(window, credit);
            QVERIFY(available.contains(QRect(meter->mapToGlobal(QPoint(0, 0)), meter->size())));
        }
    }
};

KENO_UI_TEST_MAIN(ScreenFitTest)
#include "ScreenFitTest.moc"
