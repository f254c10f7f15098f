#include <QApplication>

#include "keno22/Keno22Window.h"
#include "shell/KenoApp.h"
#include "shell/KenoAppFirstFrame.h"

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    // Named here once so nothing else picks another settings path; the ledger's file is chosen by
    // IniSettingsStore alone.
    QCoreApplication::setOrganizationName(QStringLiteral("plinx"));
    QCoreApplication::setApplicationName(QStringLiteral("keno22"));
    // The program ends only through the machine's Quit (record saved, display restored): hiding a
    // game window to switch games must never end it.
    QApplication::setQuitOnLastWindowClosed(false);

    keno::KenoApp machine;
    machine.Start();
    if (qEnvironmentVariableIsSet("KENO_BENCH_FIRST_FRAME")) keno::ReportFirstFrame(machine.Keno22());
    return application.exec();
}
