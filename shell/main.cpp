#include <QApplication>

#include <cstdio>

#include "info/KenoIcon.h"
#include "keno22/Keno22Window.h"
#include "shell/DisplayModes.h"
#include "shell/DisplayStart.h"
#include "shell/IniSettingsStore.h"
#include "shell/KenoApp.h"
#include "shell/KenoAppFirstFrame.h"
#include "shell/SingleInstance.h"

namespace {

// Without a display Qt's X11 platform aborts the program; say plainly what is missing instead.
bool NoDisplayToOpen() {
    const QByteArray platform = qgetenv("QT_QPA_PLATFORM");
    if (!platform.isEmpty() && !platform.startsWith("xcb")) return false;
    if (!qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY") && platform.isEmpty()) return false;
    return !keno::MODchangeRes::CurrentScreenSize().has_value();
}

}  // namespace

int main(int argc, char** argv) {
    if (NoDisplayToOpen()) {
        std::fputs("keno22: there is no display to open the game window on (check DISPLAY).\n", stderr);
        return 1;
    }
    keno::GuardPlatformStart();  // and any other platform that cannot start
    QApplication application(argc, argv);
    // Named here once so nothing else picks another settings path; the ledger's file is chosen by
    // IniSettingsStore alone.
    QCoreApplication::setOrganizationName(QStringLiteral("plinx"));
    QCoreApplication::setApplicationName(QStringLiteral("keno22"));
    // The program ends only through the machine's Quit (record saved, display restored): hiding a
    // game window to switch games must never end it.
    QApplication::setQuitOnLastWindowClosed(false);

    QApplication::setWindowIcon(keno::KenoIcon());

    // A second copy would write its own stale figures over the first one's records at exit.
    keno::SingleInstance instance(keno::IniSettingsStore::UserFilePath("plinx"));
    if (!instance.ClaimOrExplain()) return 0;

    keno::KenoApp machine;
    QObject::connect(&instance, &keno::SingleInstance::activationRequested, &machine, &keno::KenoApp::BringToFront);
    machine.Start();
    if (qEnvironmentVariableIsSet("KENO_BENCH_FIRST_FRAME")) keno::ReportFirstFrame(machine.Keno22());
    return application.exec();
}
