#include "shell/IniSettingsStore.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "core/PlayerLedger.h"

namespace {

using keno::IniSettingsStore;
using keno::MachineState;
using keno::PlayerLedger;

// QSettings fixes the per-user folder the first time it is used, so the home is moved before main.
QTemporaryDir& ConfigHome() {
    static QTemporaryDir home;
    return home;
}
const bool kHomeMoved = [] {
    qputenv("XDG_CONFIG_HOME", ConfigHome().path().toUtf8());
    return true;
}();

void WriteFile(const QString& path, const QByteArray& bytes) {
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(bytes);
}

MachineState Sample(int slot, const std::string& name) {
    MachineState s;
    s.bank = 100 * slot;
    s.coinsbet = static_cast<std::int16_t>(slot % 5 + 1);
    s.games = slot;
    s.wager = 7 * slot;
    s.total = slot == 6 ? INT32_MIN : 3 * slot;
    s.amountinvested = slot == 5 ? INT32_MAX : 20 * slot;
    s.reelspeed = static_cast<std::int16_t>(slot == 4 ? INT16_MIN : slot);
    s.currentplayer = name;
    s.playerslot = std::to_string(slot);
    return s;
}

class IniSettingsStoreTest : public ::testing::Test {
protected:
    QTemporaryDir dir;
    QString Path(const QString& name) const { return dir.filePath(name); }
};

TEST_F(IniSettingsStoreTest, PerUserFileFollowsXdgConfigHome) {
    ASSERT_TRUE(kHomeMoved);
    const QString expected = ConfigHome().filePath("plinx/keno22.ini");
    EXPECT_EQ(IniSettingsStore::UserFilePath("plinx"), expected);
    IniSettingsStore store;
    MachineState state = Sample(1, "Ann");
    PlayerLedger ledger(state, store);
    const auto status = ledger.SaveRecord();
    EXPECT_TRUE(status.ok) << status.reason;
    EXPECT_EQ(status.location, expected.toStdString());
    EXPECT_TRUE(QFile::exists(expected));
}

TEST_F(IniSettingsStoreTest, AllSlotsRoundTripThroughTheFile) {
    const std::string names[] = {"O'Brien, Jr.", "say \"hi\"; ok", "  blank edges  ", "Zoë Ångström",
                                 "two\nlines\\ and =", "@Variant(not really)"};
    {
        IniSettingsStore store(Path("a/keno22.ini"));
        for (int slot = 1; slot <= 6; ++slot) {
            MachineState state = Sample(slot, names[slot - 1]);
            ASSERT_TRUE(PlayerLedger(state, store).SaveRecord().ok);
        }
    }
    // A copy is a file no QSettings in this process has cached: what it holds came from the disk.
    ASSERT_TRUE(QFile::copy(Path("a/keno22.ini"), Path("copy.ini")));
    IniSettingsStore store(Path("copy.ini"));
    for (int slot = 1; slot <= 6; ++slot) {
        SCOPED_TRACE(slot);
        MachineState state;
        state.playerslot = "3";
        PlayerLedger ledger(state, store);
        ledger.LoadRecord(slot);
        MachineState expected = Sample(slot, names[slot - 1]);
        expected.playerslot = "3";
        EXPECT_EQ(state, expected);
        EXPECT_EQ(ledger.StoredName(slot), names[slot - 1]);
    }
}

TEST_F(IniSettingsStoreTest, HandEditedValuesReadAsWrittenOrNotAsNumbers) {
    WriteFile(Path("hand.ini"),
              "[player1]\n"
              "currentplayer=Zoë, Ångström\n"
              "bank=@Variant(garbage\n"
              "wager=@Variant(\\0\\0\\0\\x2\\0\\0\\0\\x5)\n"
              "total=1,5\n"
              "games = 12.5 \n"
              "coinsbet=\" 3 \"\n"
              "amountinvested=@ByteArray(40)\n"
              "reelspeed=@Rect(1 2 3 4)\n"
              "[player2]\ncurrentplayer=@Variant(\\0\\0\\0\\x2\\0\\0\\0\\x5)\n"
              "[player3]\ncurrentplayer=a,b ,  c\n"
              "[player4]\ncurrentplayer=x,\"y,z\"\n");
    IniSettingsStore store(Path("hand.ini"));
    MachineState state;
    state.bank = 11;
    state.wager = 22;
    state.total = 33;
    state.reelspeed = 44;
    PlayerLedger ledger(state, store);
    ledger.LoadRecord(1);
    EXPECT_EQ(state.currentplayer, "Zoë, Ångström");
    EXPECT_EQ(state.bank, 11);
    EXPECT_EQ(state.wager, 22);  // a serialised int is still not a number as text
    EXPECT_EQ(state.total, 33);
    EXPECT_EQ(state.games, 12);
    EXPECT_EQ(state.coinsbet, 3);
    EXPECT_EQ(state.amountinvested, 40);
    EXPECT_EQ(state.reelspeed, 44);
    EXPECT_EQ(ledger.StoredName(2), "");
    EXPECT_EQ(ledger.StoredName(3), "a,b ,  c");
    EXPECT_EQ(ledger.StoredName(4), "x, y,z");  // quoted parts cannot be given back verbatim
}

TEST_F(IniSettingsStoreTest, DamagedFilesLoadAndAreReplacedOnSave) {
    QByteArray garbage("[player1]\nbank=12\n");
    for (int i = 0; i < 4096; ++i) garbage.append(static_cast<char>((i * 7919 + 13) % 256));
    static const char kNulls[] = "\0\0\0[player1]\0bank=\xff\xfe";
    const QByteArray files[] = {garbage, "[player1]\nbank=12\ncurrentplayer=\"unterminated", "[play",
                                QByteArray(kNulls, sizeof kNulls - 1)};
    for (const QByteArray& bytes : files) {
        SCOPED_TRACE(bytes.left(40).toStdString());
        const QString path = Path(QStringLiteral("damaged%1.ini").arg(bytes.size()));
        WriteFile(path, bytes);
        IniSettingsStore store(path);
        MachineState state;
        state.bank = 5;
        PlayerLedger ledger(state, store);
        ledger.LoadRecord(1);
        EXPECT_TRUE(state.bank == 5 || state.bank == 12);
        // Damaged again behind the program's back: the save reads it afresh before writing.
        WriteFile(path, bytes + "\n\xff[\x01");
        state = Sample(2, "Kim");
        const auto status = ledger.SaveRecord();
        EXPECT_TRUE(status.ok) << status.reason;

        ASSERT_TRUE(QFile::copy(path, path + ".copy"));
        IniSettingsStore reread(path + ".copy");
        MachineState back;
        PlayerLedger(back, reread).LoadRecord(2);
        EXPECT_EQ(back.bank, 200);
        EXPECT_EQ(back.currentplayer, "Kim");
    }
}

TEST_F(IniSettingsStoreTest, UnwritableFileIsReportedWithItsPathThenRecovers) {
    // Runs as root in CI, where permissions do not stop a write: a regular file in place of the
    // folder does.
    WriteFile(Path("blocked"), "not a folder");
    const QString path = Path("blocked/plinx/keno22.ini");
    IniSettingsStore store(path);
    MachineState state = Sample(3, "Lee");
    PlayerLedger ledger(state, store);
    const auto failed = ledger.SaveRecord();
    EXPECT_FALSE(failed.ok);
    EXPECT_EQ(failed.location, path.toStdString());
    EXPECT_NE(failed.reason.find("cannot be created"), std::string::npos) << failed.reason;
    EXPECT_NE(failed.reason.find(Path("blocked").toStdString()), std::string::npos) << failed.reason;
    EXPECT_FALSE(store.Sync().ok);  // still pending, still refused

    // Once the way is clear the same store writes what was pending.
    ASSERT_TRUE(QFile::remove(Path("blocked")));
    ASSERT_TRUE(QDir().mkpath(Path("blocked/plinx")));
    const auto recovered = store.Sync();
    EXPECT_TRUE(recovered.ok) << recovered.reason;
    ASSERT_TRUE(QFile::copy(path, Path("recovered.ini")));
    IniSettingsStore reread(Path("recovered.ini"));
    MachineState back;
    PlayerLedger(back, reread).LoadRecord(3);
    EXPECT_EQ(back.currentplayer, "Lee");
    EXPECT_EQ(back.bank, 300);
}

TEST_F(IniSettingsStoreTest, FolderInPlaceOfTheFileIsReported) {
    ASSERT_TRUE(QDir().mkpath(Path("keno22.ini")));
    IniSettingsStore store(Path("keno22.ini"));
    MachineState state = Sample(1, "Max");
    const auto status = PlayerLedger(state, store).SaveRecord();
    EXPECT_FALSE(status.ok);
    EXPECT_EQ(status.location, Path("keno22.ini").toStdString());
    EXPECT_FALSE(status.reason.empty());
}

}  // namespace
