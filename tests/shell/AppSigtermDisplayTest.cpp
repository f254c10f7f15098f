// A SIGTERM after the screen was switched to 800 x 600 leaves it as it was before: on Xorg's dummy
// driver, whose RandR can really change the size.
#include <csignal>
#include <unistd.h>

#include "DisplayDummyServer.h"
#include "shell/DisplayModes.h"
#include "shell/MODchangeResSwitch.h"
#include "tests/support/UiTestSupport.h"

using namespace keno;
using namespace keno::uitest;

class AppSigtermDisplayTest : public QObject {
    Q_OBJECT

private slots:
    void signalRestoresTheScreenSize() {
        DisplayDummyServer server({"1024x768", "800x600"});
        if (!server.Running()) {
            // Where Xorg can run (as root, CI) it must; elsewhere its absence is a reason to skip.
            if (!DisplayDummyServer::FindXorg().empty() && geteuid() == 0) QFAIL(server.Problem().c_str());
            QSKIP(qPrintable(QStringLiteral("no dummy Xorg: ") + QString::fromStdString(server.Problem())));
        }
        ::setenv("DISPLAY", server.DisplayName().c_str(), 1);

        AppRig rig;
        QVERIFY(rig.Start());
        DisplayModeSwitch& display = rig.App().DisplayModes();
        QCOMPARE(display.ScreenSizePixels(), std::make_pair(1024, 768));
        display.ChangeDisplayMode(800, 600);
        QCOMPARE(display.ScreenSizePixels(), std::make_pair(800, 600));

        QCOMPARE(::raise(SIGTERM), 0);
        QTRY_VERIFY_WITH_TIMEOUT(rig.Exited(), 20000);
        QVERIFY(!MODchangeRes::IsDisplayModeChanged());
        QCOMPARE(MODchangeRes::CurrentScreenSize(), std::optional<ScreenSize>(ScreenSize{1024, 768}));
        QVERIFY(rig.HasRecord(1));
    }

    void withoutXTheToolkitTellsTheSize() {
        ::unsetenv("DISPLAY");
        MODchangeResSwitch display;
        const auto [width, height] = display.ScreenSizePixels();
        // The offscreen platform has a screen of its own; X has none to report here.
        QVERIFY(width > 0 && height > 0);
    }
};

KENO_UI_TEST_MAIN(AppSigtermDisplayTest)
#include "AppSigtermDisplayTest.moc"
