// The application style: a menu bar made under it reads no picture files, so no image-format
// plugin is loaded before the first frame; its overflow arrows are still there.
#include "widgets/MachineStyle.h"

#include <QApplication>
#include <QFile>
#include <QMainWindow>
#include <QMenuBar>
#include <QTest>

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
};

QTEST_MAIN(MachineStyleTest)
#include "MachineStyleTest.moc"
