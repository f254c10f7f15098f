// Damaged and hand-edited settings files: every file of the kept fuzz corpus, and cases written by hand.
#include <gtest/gtest.h>

#include <QDir>
#include <QTemporaryDir>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string>

#include "tests/fuzz/SettingsFileProbe.h"

namespace keno::fuzz {
namespace {

// Every probe syncs a dozen writes; memory-backed storage keeps that from waiting on the disk.
QString ScratchTemplate() {
    const QString base = QDir(QStringLiteral("/dev/shm")).exists() ? QStringLiteral("/dev/shm") : QDir::tempPath();
    return base + QStringLiteral("/keno-settings-XXXXXX");
}

class SettingsFileTest : public ::testing::Test {
protected:
    QTemporaryDir dir{ScratchTemplate()};

    // Loads the text as a settings file; every round-trip check must hold.
    ProbeResult Probe(std::string_view text) {
        EXPECT_TRUE(dir.isValid());
        ProbeResult result = ProbeSettingsFile(text, dir.path().toStdString());
        for (const auto& problem : result.problems) ADD_FAILURE() << problem;
        return result;
    }
};

// Before() with only the name emptied: what a slot the file does not hold loads as.
MachineState Absent(int slot) {
    MachineState s = Before(slot);
    s.currentplayer.clear();
    return s;
}

TEST_F(SettingsFileTest, EveryKeptCorpusFileLoadsAndRoundTrips) {
    int files = 0;
    for (const auto& entry : std::filesystem::directory_iterator(KENO_FUZZ_CORPUS)) {
        if (!entry.is_regular_file()) continue;
        std::ifstream in(entry.path(), std::ios::binary);
        const std::string bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
        SCOPED_TRACE(entry.path().filename().string());
        Probe(bytes);
        ++files;
    }
    EXPECT_GE(files, 4);
}

TEST_F(SettingsFileTest, TruncatedFileKeepsWhatItCutOff) {
    const std::string whole =
        "[player1]\ncoinsbet=3\nreelspeed=10\namountinvested=40\nwager=15\ntotal=8\nbank=33\ngames=5\n"
        "currentplayer=Ann\n[player2]\ncoinsbet=4\n";
    const auto cut = Probe(whole.substr(0, whole.find("total=8") + 4));  // ends "tota"
    MachineState expected = Absent(1);
    expected.coinsbet = 3;
    expected.reelspeed = 10;
    expected.amountinvested = 40;
    expected.wager = 15;
    EXPECT_EQ(cut.loaded[1], expected);
    EXPECT_EQ(cut.loaded[2], Absent(2));

    const auto midValue = Probe(whole.substr(0, whole.find("bank=33") + 6));  // "bank=3"
    EXPECT_EQ(midValue.loaded[1].bank, 3);
    const auto midHeader = Probe(whole.substr(0, whole.find("[player2]") + 5));  // "[play"
    EXPECT_EQ(midHeader.loaded[1].currentplayer, "Ann");
    EXPECT_EQ(midHeader.loaded[2], Absent(2));
}

TEST_F(SettingsFileTest, BinaryGarbageLoadsNothing) {
    std::mt19937 random(20240611);
    std::string garbage(8192, '\0');
    for (char& c : garbage) c = static_cast<char>(random() & 0xff);
    const auto result = Probe(garbage);
    for (int slot = 1; slot <= 6; ++slot) EXPECT_EQ(result.loaded[slot], Absent(slot)) << "slot " << slot;
}

TEST_F(SettingsFileTest, ValuesOutOfTheirTypesRangeKeepTheOldValue) {
    const auto result = Probe(
        "[player1]\ncoinsbet=32768\nreelspeed=-32769\namountinvested=2147483648\nwager=-2147483649\n"
        "total=1e10\nbank=99999999999999999999999999\ngames=12abc\ncurrentplayer=Zed\n"
        "[player2]\ncoinsbet=32767\nreelspeed=-32768\namountinvested=2147483647\nwager=-2147483648\n"
        "total=2147483647.4\nbank=-2147483648.5\ngames=0x10\n");
    MachineState kept = Before(1);
    kept.currentplayer = "Zed";
    EXPECT_EQ(result.loaded[1], kept);
    const MachineState& edge = result.loaded[2];
    EXPECT_EQ(edge.coinsbet, 32767);
    EXPECT_EQ(edge.reelspeed, -32768);
    EXPECT_EQ(edge.amountinvested, 2147483647);
    EXPECT_EQ(edge.wager, -2147483647 - 1);
    EXPECT_EQ(edge.total, 2147483647);
    EXPECT_EQ(edge.bank, -2147483647 - 1);  // -2147483648.5 rounds to the even neighbour
    EXPECT_EQ(edge.games, Before(2).games);
}

TEST_F(SettingsFileTest, SerialisedValuesReadAsNoNumberAndNoName) {
    const auto result = Probe(
        "[player1]\nbank=@Variant(\\0\\0\\0\\x2\\0\\0\\0\\x5)\ncoinsbet=@Variant(\ngames=@Variant(\\0\\0\\0\\n"
        "\\0\\0\\0\\0\\x6\\0\\x31\\0\\x32)\ncurrentplayer=@Variant(\\0\\0\\0\\x2\\0\\0\\0\\x5)\n"
        "[player2]\nbank=@Rect(1 2 3 4)\ncurrentplayer=@ByteArray(Eve)\nwager=@ByteArray(42)\n"
        "[player3]\ncurrentplayer=@Variant(\\0\\0\\0\\x7f\\0\\0\\0\\x10QFont\\0)\n");
    EXPECT_EQ(result.loaded[1].bank, Before(1).bank);
    EXPECT_EQ(result.loaded[1].coinsbet, Before(1).coinsbet);
    EXPECT_EQ(result.loaded[1].currentplayer, "");
    EXPECT_EQ(result.loaded[2].bank, Before(2).bank);
    EXPECT_EQ(result.loaded[2].currentplayer, "Eve");
    EXPECT_EQ(result.loaded[2].wager, 42);
    EXPECT_EQ(result.loaded[3], Absent(3));
}

TEST_F(SettingsFileTest, SectionsBeyondSixAreIgnored) {
    std::string text = "[player6]\nbank=60\ncurrentplayer=Six\n";
    for (int slot = 7; slot <= 9; ++slot) {
        text += "[player" + std::to_string(slot) + "]\nbank=" + std::to_string(slot * 10) +
                "\ncoinsbet=5\ncurrentplayer=Seven plus\n";
    }
    text += "[player0]\nbank=1\n[player10]\nbank=100\n[player01]\nbank=2\n";
    const auto result = Probe(text);
    for (int slot = 1; slot <= 5; ++slot) EXPECT_EQ(result.loaded[slot], Absent(slot)) << "slot " << slot;
    MachineState six = Before(6);
    six.bank = 60;
    six.currentplayer = "Six";
    EXPECT_EQ(result.loaded[6], six);
}

TEST_F(SettingsFileTest, TenThousandCharacterNameLoadsSavesAndRoundTrips) {
    std::string name;
    for (int i = 0; name.size() < 10000; ++i) name += (i % 7 == 6) ? ' ' : static_cast<char>('A' + i % 26);
    name.resize(10000);
    const auto plain = Probe("[player4]\ncurrentplayer=" + name + "\nbank=5\n");
    EXPECT_EQ(plain.loaded[4].currentplayer, name);
    EXPECT_EQ(plain.loaded[4].bank, 5);

    std::string accented;
    for (int i = 0; i < 5000; ++i) accented += "\xc3\xa9";  // 5,000 two-byte letters
    const auto wide = Probe("[player5]\ncurrentplayer=" + accented + "\n");
    EXPECT_EQ(wide.loaded[5].currentplayer, accented);
}

}  // namespace
}  // namespace keno::fuzz
