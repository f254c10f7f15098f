#include <QApplication>

#include <cstdio>
#include <optional>

#include "keno22/Keno22Window.h"
#include "shell/CommandLine.h"
#include "shell/DisplayModes.h"
#include "shell/DisplayStart.h"
#include "shell/IniSettingsStore.h"
#include "shell/KenoApp.h"
#include "shell/KenoAppFirstFrame.h"
#include "shell/SingleInstance.h"

namespace {

// Whether Qt will open an X display (its X11 platform aborts the program when there is none).
bool UsesX11() {
    const QByteArray platform = qgetenv("QT_QPA_PLATFORM");
    if (!platform.isEmpty() && !platform.startsWith("xcb")) return false;
    return qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY") || !platform.isEmpty();
}

}  // namespace

int main(int argc, char** argv) {
    if (const auto status = keno::HandleCommandLine(argc, argv)) return *status;
    // Without a display say plainly what is missing. The checking connection stays open until
    // Qt has its own, so that an X server with no other client does not reset in between.
    std::optional<keno::MODchangeRes::DisplayHold> display;
    if (UsesX11() && !display.emplace().HasDisplay()) {
        std::fputs("keno22: there is no display to open the game window on (check DISPLAY).\n", stderr);
        return 1;
    }
    keno::GuardPlatformStart();  // and any other platform that cannot start
    QApplication application(argc, argv);
    display.reset();
    // Named here once so nothing else picks another settings path; the ledger's file is chosen by
    // IniSettingsStore alone.
    QCoreApplication::setOrganizationName(QStringLiteral("plinx"));
    QCoreApplication::setApplicationName(QStringLiteral("keno22"));
    // The program ends only through the machine's Quit (record saved, display restored): hiding a
    // game window to switch games must never end it.
    QApplication::setQuitOnLastWindowClosed(false);

    // A second copy would write its own stale figures over the first one's records at exit.
    keno::SingleInstance instance(keno::IniSettingsStore::UserFilePath("plinx"));
    if (!instance.ClaimOrExplain()) return 0;

    keno::KenoApp machine;
    QObject::connect(&instance, &keno::SingleInstance::activationRequested, &machine, &keno::KenoApp::BringToFront);
    machine.Start();
    if (qEnvironmentVariableIsSet("KENO_BENCH_FIRST_FRAME")) keno::ReportFirstFrame(machine.Keno22());
    return application.exec();
}
