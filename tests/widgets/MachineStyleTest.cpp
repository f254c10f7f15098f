// The application style: a menu bar made under it reads no picture files, so no image-format
// plugin is loaded before the first frame; its overflow arrows are still there.
#include "widgets/MachineStyle.h"

#include <QApplication>
#include <QFile>
#include <QMainWindow>
#include <QMenuBar>
#include <QTest>
#include <QTransform>

using namespace keno;

namespace {

bool ImagePluginLoaded() {
    QFile maps(QStringLiteral("/proc/self/maps"));
    if (!maps.open(QIODevice::ReadOnly)) return false;
    return maps.readAll().contains("/imageformats/");
}

}  // namespace

class MachineStyleTest : public QObject {
    Q_OBJECT
private slots:
    void menuBarLoadsNoImagePlugin() {
        if (!QFile::exists(QStringLiteral("/proc/self/maps"))) QSKIP("needs /proc");
        MachineStyle::Install();
        QMainWindow window;
        window.menuBar()->addAction(QStringLiteral("Exit"));
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QVERIFY(!ImagePluginLoaded());
    }

    void overflowArrowsArePainted_data() {
        QTest::addColumn<int>("which");
        QTest::newRow("horizontal") << static_cast<int>(QStyle::SP_ToolBarHorizontalExtensionButton);
        QTest::newRow("vertical") << static_cast<int>(QStyle::SP_ToolBarVerticalExtensionButton);
    }
    void overflowArrowsArePainted() {
        QFETCH(int, which);
        MachineStyle style;
        const QIcon icon = style.standardIcon(static_cast<QStyle::StandardPixmap>(which));
        const QImage arrow = icon.pixmap(16, 16).toImage();
        QCOMPARE(arrow.size(), QSize(16, 16));
        int inked = 0;
        for (int y = 0; y < 16; ++y)
            for (int x = 0; x < 16; ++x) inked += qAlpha(arrow.pixel(x, y)) > 128;
        QVERIFY(inked > 10);
    }

    // The arrows point along the bar: the vertical one is the horizontal one turned a quarter,
    // and a right-to-left bar's points the other way.
    void overflowArrowsPointAlongTheBar() {
        MachineStyle style;
        const auto arrow = [&](QStyle::StandardPixmap which, const QWidget* widget = nullptr) {
            return style.standardIcon(which, nullptr, widget).pixmap(16, 16).toImage();
        };
        // Antialiasing is not quite the same in every direction: alike is within a few levels.
        const auto alike = [](const QImage& a, const QImage& b) {
            int worst = 0;
            for (int y = 0; y < 16; ++y)
                for (int x = 0; x < 16; ++x) worst = std::max(worst, std::abs(qAlpha(a.pixel(x, y)) - qAlpha(b.pixel(x, y))));
            return worst <= 48;
        };
        const QImage across = arrow(QStyle::SP_ToolBarHorizontalExtensionButton);
        const QImage down = arrow(QStyle::SP_ToolBarVerticalExtensionButton);
        QVERIFY(alike(down, across.transformed(QTransform().rotate(90))));
        QVERIFY(!alike(down, across.transformed(QTransform().rotate(-90))));
        QWidget rightToLeft;
        rightToLeft.setLayoutDirection(Qt::RightToLeft);
        QVERIFY(alike(arrow(QStyle::SP_ToolBarHorizontalExtensionButton, &rightToLeft), across.mirrored(true, false)));
        QVERIFY(!alike(across, across.mirrored(true, false)));
    }
};

QTEST_MAIN(MachineStyleTest)
#include "MachineStyleTest.moc"
