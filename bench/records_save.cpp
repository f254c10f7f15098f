// One save of a player record, and the first read of one, over a given settings file (a large one
// shows what the store costs per save). Each run works on a fresh copy, so nothing is cached.
// Usage: records_save FILE [RUNS]
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <vector>

#include "core/PlayerLedger.h"
#include "shell/IniSettingsStore.h"

namespace {

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication application(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: %s FILE [RUNS]\n", argv[0]);
        return 2;
    }
    const int runs = argc > 2 ? std::max(1, std::atoi(argv[2])) : 3;
    QTemporaryDir folder;
    std::vector<double> loads, saves;
    for (int run = 0; run < runs; ++run) {
        const QString path = folder.filePath(QStringLiteral("copy%1.ini").arg(run));
        if (!QFile::copy(QString::fromLocal8Bit(argv[1]), path)) {
            std::fprintf(stderr, "cannot copy %s\n", argv[1]);
            return 1;
        }
        keno::IniSettingsStore store(path);
        keno::MachineState state;
        state.playerslot = "1";
        keno::PlayerLedger ledger(state, store);
        QElapsedTimer clock;
        clock.start();
        ledger.LoadRecord(1);
        loads.push_back(static_cast<double>(clock.nsecsElapsed()) / 1e6);
        state.bank += 20;
        state.amountinvested += 20;
        state.games += 1;
        clock.restart();
        const keno::StoreStatus status = ledger.SaveRecord();
        saves.push_back(static_cast<double>(clock.nsecsElapsed()) / 1e6);
        if (!status.ok) {
            std::fprintf(stderr, "save failed: %s\n", status.reason.c_str());
            return 1;
        }
        QFile::remove(path);
    }
    std::printf("%-40s %10.1f\n", "first read of slot 1 (ms, median)", Median(loads));
    std::printf("%-40s %10.1f\n", "one save of slot 1 (ms, median)", Median(saves));
    return 0;
}
