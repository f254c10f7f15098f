#include "shell/IniSettingsStore.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "core/PlayerLedger.h"

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
    const QString copy = path + QStringLiteral(".copy%1").arg(slot);
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

}  // namespace
