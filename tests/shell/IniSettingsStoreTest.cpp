#include "shell/IniSettingsStore.h"

#include <gtest/gtest.h>

#include <functional>

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QSettings>
#include <QTemporaryDir>
#include <QTimer>

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <thread>

#include "core/PlayerLedger.h"
#include "tests/support/FileWatch.h"

namespace {

using namespace keno;

// QSettings fixes the per-user folder the first time it is used, so the home is moved before main.
QTemporaryDir configHome, scratch;
const bool kHomeMoved = qputenv("XDG_CONFIG_HOME", configHome.path().toUtf8());
QString Path(const QString& name) { return scratch.filePath(name); }

void WriteFile(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(bytes) == bytes.size());
}

// Slots 4..6 carry the extremes of the 16- and 32-bit fields.
MachineState Sample(int slot, const std::string& name) {
    return {100 * slot, static_cast<std::int16_t>(slot % 5 + 1), slot, 7 * slot, slot == 6 ? INT32_MIN : 3 * slot,
            slot == 5 ? INT32_MAX : 20 * slot, static_cast<std::int16_t>(slot == 4 ? INT16_MIN : slot), name,
            std::to_string(slot), ""};
}

StoreStatus Save(IniSettingsStore& store, MachineState state) { return PlayerLedger(state, store).SaveRecord(); }

// What a fresh store reads from a copy of `path`: a copy no QSettings here has cached.
MachineState Reread(const QString& path, int slot) {
    static int copies = 0;
    const QString copy = path + QStringLiteral(".copy%1").arg(++copies);
    EXPECT_TRUE(QFile::copy(path, copy));
    IniSettingsStore store(copy);
    MachineState state;
    state.playerslot = std::to_string(slot);
    PlayerLedger(state, store).LoadRecord(slot);
    return state;
}

TEST(IniSettingsStore, AllSlotsRoundTripThroughThePerUserFile) {
    ASSERT_TRUE(kHomeMoved);
    const QString expected = configHome.filePath("plinx/keno22.ini");
    EXPECT_EQ(IniSettingsStore::UserFilePath("plinx"), expected);
    const std::string names[] = {"O'Brien, Jr.", "say \"hi\"; ok", "  blank edges  ", "Zoë Ångström",
                                 "two\nlines\\ and =", "@Variant(not really)"};
    IniSettingsStore store;
    for (int slot = 1; slot <= 6; ++slot) {
        const auto status = Save(store, Sample(slot, names[slot - 1]));
        EXPECT_TRUE(status.ok) << status.reason;
        EXPECT_EQ(status.location, expected.toStdString());
    }
    for (int slot = 1; slot <= 6; ++slot) EXPECT_EQ(Reread(expected, slot), Sample(slot, names[slot - 1]));
}

TEST(IniSettingsStore, HandEditedValuesReadAsWrittenOrNotAsNumbers) {
    WriteFile(Path("hand.ini"), "[player1]\ncurrentplayer=Zoë, Ångström\nbank=@Variant(garbage\ntotal=1,5\n"
                                "wager=@Variant(\\0\\0\\0\\x2\\0\\0\\0\\x5)\ngames = 12.5 \ncoinsbet=\" 3 \"\n"
                                "amountinvested=@ByteArray(40)\nreelspeed=@Rect(1 2 3 4)\n"
                                "[player2]\ncurrentplayer=@Variant(\\0\\0\\0\\x2\\0\\0\\0\\x5)\n");
    IniSettingsStore store(Path("hand.ini"));
    MachineState state{11, 0, 0, 22, 33, 0, 44, "", "", ""};
    PlayerLedger ledger(state, store);
    ledger.LoadRecord(1);
    // What is not a number (a serialised int neither) leaves the field alone; fractions are cut.
    EXPECT_EQ(state, (MachineState{11, 3, 12, 22, 33, 40, 44, "Zoë, Ångström", "", ""}));
    EXPECT_EQ(ledger.StoredName(2), "");
}

TEST(IniSettingsStore, DamagedFilesLoadAndAreReplacedOnSave) {
    const QByteArray files[] = {"[player1]\nbank=12\n\x93\xff[\x01=\x80\n=\n[]\n\\", "[play",
                                "[player1]\nbank=12\ncurrentplayer=\"unterminated",
                                QByteArray("\0\0\0[player1]\0bank=\xff\xfe", 20)};
    for (const QByteArray& bytes : files) {
        SCOPED_TRACE(bytes.left(40).toStdString());
        const QString path = Path(QStringLiteral("damaged%1.ini").arg(bytes.size()));
        WriteFile(path, bytes);
        IniSettingsStore store(path);
        MachineState state;
        state.bank = 5;
        PlayerLedger(state, store).LoadRecord(1);
        EXPECT_TRUE(state.bank == 5 || state.bank == 12);
        WriteFile(path, bytes + "\n\xff[\x01");  // damaged again behind the program's back
        const auto status = Save(store, Sample(2, "Kim"));
        EXPECT_TRUE(status.ok) << status.reason;
        EXPECT_EQ(Reread(path, 2), Sample(2, "Kim"));
    }
}

TEST(IniSettingsStore, AnUnwritableFolderIsReportedWithThePathThenRecovers) {
    // Root is not stopped by permissions, but by a regular file in place of the folder.
    WriteFile(Path("blocked"), "not a folder");
    const QString path = Path("blocked/plinx/keno22.ini");
    IniSettingsStore store(path);
    const auto failed = Save(store, Sample(3, "Lee"));
    EXPECT_FALSE(failed.ok);
    EXPECT_EQ(failed.location, path.toStdString());
    EXPECT_NE(failed.reason.find("cannot be created"), std::string::npos) << failed.reason;
    EXPECT_NE(failed.reason.find(Path("blocked").toStdString()), std::string::npos) << failed.reason;
    EXPECT_FALSE(store.Sync().ok);  // still pending, still refused
    // Once the way is clear the same store writes what was pending.
    ASSERT_TRUE(QFile::remove(Path("blocked")) && QDir().mkpath(Path("blocked/plinx")));
    const auto recovered = store.Sync();
    EXPECT_TRUE(recovered.ok) << recovered.reason;
    EXPECT_EQ(Reread(path, 3), Sample(3, "Lee"));
}

TEST(IniSettingsStore, ASaveReplacesTheFileOnceAndReadingNever) {
    using Counts = test::FileWatch::Counts;
    const QString path = IniSettingsStore::UserFilePath("plinx");  // as the game uses it
    WriteFile(path, "; a hand-written file\n[player1]\nbank=7\ncurrentplayer=Ann, \"A\"\n[player3]\nbank=x\n");
    IniSettingsStore store;
    MachineState state = Sample(1, "Ann"), loaded;
    PlayerLedger ledger(state, store), reader(loaded, store);
    test::FileWatch watch(path);
    ASSERT_TRUE(watch.Watching());
    const struct {
        const char* what;
        std::function<void()> action;
        Counts expected;
    } steps[] = {
        {"loading every slot and the slot list", [&] { for (int slot = 1; slot <= 6; ++slot) reader.LoadRecord(slot), reader.StoredName(slot); }, {0, 0}},
        {"saving the record", [&] { EXPECT_TRUE(ledger.SaveRecord().ok); }, {1, 0}},
        {"saving it unchanged", [&] { EXPECT_TRUE(ledger.SaveRecord().ok); }, {1, 0}},
        {"saving a slot with no section yet", [&] { state.playerslot = "6"; EXPECT_TRUE(ledger.SaveRecord().ok); }, {1, 0}},
        {"reading it back", [&] { reader.LoadRecord(6); }, {0, 0}},
    };
    for (const auto& step : steps) {
        step.action();
        EXPECT_EQ(watch.Take(), step.expected) << step.what;
    }
    EXPECT_EQ(loaded.bank, 100);
    EXPECT_EQ(Reread(path, 6), state);
}

TEST(IniSettingsStore, SymbolicLinksAreFollowedAndKept) {
    ASSERT_TRUE(QDir().mkpath(Path("real/plinx")));
    ASSERT_TRUE(QFile::link(Path("real"), Path("linked")));
    WriteFile(Path("real/plinx/keno22.ini"), "[player1]\nbank=1\n");
    ASSERT_TRUE(QFile::link(Path("real/plinx/keno22.ini"), Path("alias.ini")));
    const QString real = Path("real/plinx/keno22.ini");
    for (const QString& path : {Path("linked/plinx/keno22.ini"), Path("alias.ini"), Path("linked/plinx/../plinx/keno22.ini")}) {
        EXPECT_EQ(IniSettingsStore::ResolvedFilePath(path), real) << path.toStdString();
    }
    // A file that does not exist yet is named by its resolved folder.
    EXPECT_EQ(IniSettingsStore::ResolvedFilePath(Path("linked/plinx/new.ini")), Path("real/plinx/new.ini"));
    IniSettingsStore store(Path("alias.ini"));
    ASSERT_TRUE(Save(store, Sample(2, "Lin")).ok);
    EXPECT_TRUE(QFileInfo(Path("alias.ini")).isSymLink());
    EXPECT_EQ(Reread(real, 2), Sample(2, "Lin"));
}

// A save killed at any moment: the file holds the slot's complete old record or its complete new
// one, and everything else it held.
TEST(IniSettingsStore, AKillAtAnyMomentLeavesTheOldRecordOrTheNewOne) {
    // The per-user file, as the game uses it.
    const QString path = IniSettingsStore::UserFilePath("plinx");
    MachineState old = Sample(1, "Old"), fresh = Sample(3, "Brand New");
    fresh.playerslot = "1";
    {
        IniSettingsStore store;
        ASSERT_TRUE(Save(store, old).ok);
    }
    // Other sections make the file large enough for a save to take a while.
    QByteArray padding = "\n[notes]\n";
    for (int i = 0; i < 40000; ++i) padding += "note" + QByteArray::number(i) + "=some words the player keeps\n";
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::Append) && file.write(padding) == padding.size());
    file.close();
    QFile original(path);
    ASSERT_TRUE(original.open(QIODevice::ReadOnly));
    const QByteArray before = original.readAll();

    // Saves `fresh` in a child process and kills it `delay` after it starts saving (none: let it end).
    const auto saveAndKill = [&](std::optional<std::chrono::microseconds> delay) {
        WriteFile(path, before);
        int ready[2];
        if (pipe(ready) != 0) return std::chrono::microseconds(-1);
        const pid_t child = fork();
        if (child == 0) {
            // As in the game: the save runs from the event loop, which then goes on.
            close(ready[0]);
            int argc = 1;
            char name[] = "saver";
            char* argv[] = {name, nullptr};
            QCoreApplication application(argc, argv);
            IniSettingsStore store;
            MachineState state = fresh;
            PlayerLedger ledger(state, store);
            bool saved = false;
            QTimer::singleShot(0, [&] {
                saved = write(ready[1], "s", 1) == 1 && ledger.SaveRecord().ok;
                QTimer::singleShot(50, &application, &QCoreApplication::quit);
            });
            application.exec();
            _exit(saved ? 0 : 1);
        }
        close(ready[1]);
        char signal = 0;
        const bool started = read(ready[0], &signal, 1) == 1;
        close(ready[0]);
        QElapsedTimer clock;
        clock.start();
        if (started && delay) {
            std::this_thread::sleep_for(*delay);
            kill(child, SIGKILL);
        }
        waitpid(child, nullptr, 0);
        return std::chrono::microseconds(clock.nsecsElapsed() / 1000);
    };
    const auto saveTime = saveAndKill(std::nullopt);
    ASSERT_GT(saveTime.count(), 0);
    ASSERT_EQ(Reread(path, 1), fresh);

    int oldSeen = 0, newSeen = 0;
    constexpr int kTries = 30;
    for (int i = 0; i < kTries || (newSeen == 0 && i < 3 * kTries); ++i) {
        // From the start of the save to well after its usual end.
        const auto delay = saveTime * 3 * i / (2 * kTries);
        saveAndKill(delay);
        const MachineState read = Reread(path, 1);
        ASSERT_TRUE(read == old || read == fresh) << "killed " << delay.count() << " us into the save: bank " << read.bank
                                                 << ", games " << read.games << ", name " << read.currentplayer;
        (read == old ? oldSeen : newSeen) += 1;
        QFile current(path);
        ASSERT_TRUE(current.open(QIODevice::ReadOnly));
        ASSERT_TRUE(current.readAll().contains("\nnote39999=some words the player keeps\n"));
    }
    // The kills really fell before and after the new file took the old one's place.
    EXPECT_GT(oldSeen, 0);
    EXPECT_GT(newSeen, 0);
}

}  // namespace
