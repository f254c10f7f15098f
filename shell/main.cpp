#include <QApplication>

#include "info/KenoIcon.h"
#include "keno22/Keno22Window.h"
#include "shell/DisplayCheck.h"
#include "shell/IniSettingsStore.h"
#include "shell/KenoApp.h"
#include "shell/KenoAppFirstFrame.h"
#include "shell/SingleInstance.h"

int main(int argc, char** argv) {
    const std::unique_ptr<QApplication> application = keno::OpenApplicationOrExplain(argc, argv);
    if (!application) return 1;
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
    return QApplication::exec();
}
