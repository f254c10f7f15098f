// Damaged and hand-edited settings files: every file of the kept fuzz corpus, and cases written by hand.
#include <gtest/gtest.h>

#include <QDir>
#include <QTemporaryDir>

#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <random>
#include <string>

#include "tests/fuzz/SettingsFileProbe.h"

namespace keno::fuzz {
namespace {

// Loads the text as a settings file; every round-trip check must hold. Every probe syncs a dozen
// writes, so memory-backed storage keeps it from waiting on the disk.
ProbeResult Probe(std::string_view text) {
    static const QString base =
        QDir(QStringLiteral("/dev/shm")).exists() ? QStringLiteral("/dev/shm") : QDir::tempPath();
    static QTemporaryDir dir(base + QStringLiteral("/keno-settings-XXXXXX"));
    EXPECT_TRUE(dir.isValid());
    ProbeResult result = ProbeSettingsFile(text, dir.path().toStdString());
    for (const auto& problem : result.problems) ADD_FAILURE() << problem;
    return result;
}

// What a slot loads as: Before() with the name a file without one leaves (none), then `edit`.
MachineState Loaded(int slot, const std::function<void(MachineState&)>& edit = [](MachineState&) {}) {
    MachineState s = Before(slot);
    s.currentplayer.clear();
    edit(s);
    return s;
}

TEST(SettingsFile, EveryKeptCorpusFileLoadsAndRoundTrips) {
    int files = 0;
    for (const auto& entry : std::filesystem::directory_iterator(KENO_FUZZ_CORPUS)) {
        std::ifstream in(entry.path(), std::ios::binary);
        SCOPED_TRACE(entry.path().filename().string());
        Probe(std::string{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()});
        ++files;
    }
    EXPECT_GE(files, 4);
}

TEST(SettingsFile, TruncatedFileKeepsWhatItCutOff) {
    const std::string whole = "[player1]\ncoinsbet=3\nreelspeed=10\namountinvested=40\nwager=15\ntotal=8\nbank=33\n"
                              "games=5\ncurrentplayer=Ann\n[player2]\ncoinsbet=4\n";
    const auto cut = Probe(whole.substr(0, whole.find("total=8") + 4));  // ends "tota"
    EXPECT_EQ(cut.loaded[1], Loaded(1, [](MachineState& s) {
                  s.coinsbet = 3, s.reelspeed = 10, s.amountinvested = 40, s.wager = 15;
              }));
    EXPECT_EQ(cut.loaded[2], Loaded(2));
    EXPECT_EQ(Probe(whole.substr(0, whole.find("bank=33") + 6)).loaded[1].bank, 3);  // "bank=3"
    const auto midHeader = Probe(whole.substr(0, whole.find("[player2]") + 5));      // "[play"
    EXPECT_EQ(midHeader.loaded[1].currentplayer, "Ann");
    EXPECT_EQ(midHeader.loaded[2], Loaded(2));
}

TEST(SettingsFile, BinaryGarbageLoadsNothing) {
    std::mt19937 random(20240611);
    std::string garbage(8192, '\0');
    for (char& c : garbage) c = static_cast<char>(random() & 0xff);
    const auto result = Probe(garbage);
    for (int slot = 1; slot <= 6; ++slot) EXPECT_EQ(result.loaded[slot], Loaded(slot)) << "slot " << slot;
}

TEST(SettingsFile, ValuesOutOfTheirTypesRangeKeepTheOldValue) {
    const auto result = Probe(
        "[player1]\ncoinsbet=32768\nreelspeed=-32769\namountinvested=2147483648\nwager=-2147483649\n"
        "total=1e10\nbank=99999999999999999999999999\ngames=12abc\ncurrentplayer=Zed\n"
        "[player2]\ncoinsbet=32767\nreelspeed=-32768\namountinvested=2147483647\nwager=-2147483648\n"
        "total=2147483647.4\nbank=-2147483648.5\ngames=0x10\n");
    EXPECT_EQ(result.loaded[1], Loaded(1, [](MachineState& s) { s.currentplayer = "Zed"; }));
    EXPECT_EQ(result.loaded[2], Loaded(2, [](MachineState& s) {
                  s.coinsbet = 32767, s.reelspeed = -32768, s.amountinvested = 2147483647, s.wager = -2147483647 - 1;
                  s.total = 2147483647;
                  s.bank = -2147483647 - 1;  // -2147483648.5 rounds to the even neighbour
              }));
}

TEST(SettingsFile, SerialisedValuesReadAsNoNumberAndNoName) {
    const auto result = Probe(
        "[player1]\nbank=@Variant(\\0\\0\\0\\x2\\0\\0\\0\\x5)\ncoinsbet=@Variant(\ngames=@Variant(\\0\\0\\0\\n"
        "\\0\\0\\0\\0\\x6\\0\\x31\\0\\x32)\ncurrentplayer=@Variant(\\0\\0\\0\\x2\\0\\0\\0\\x5)\n"
        "[player2]\nbank=@Rect(1 2 3 4)\ncurrentplayer=@ByteArray(Eve)\nwager=@ByteArray(42)\n"
        "[player3]\ncurrentplayer=@Variant(\\0\\0\\0\\x7f\\0\\0\\0\\x10QFont\\0)\n");
    EXPECT_EQ(result.loaded[1], Loaded(1));
    EXPECT_EQ(result.loaded[2], Loaded(2, [](MachineState& s) { s.currentplayer = "Eve", s.wager = 42; }));
    EXPECT_EQ(result.loaded[3], Loaded(3));
}

TEST(SettingsFile, SectionsBeyondSixAreIgnored) {
    std::string text = "[player6]\nbank=60\ncurrentplayer=Six\n";
    for (int slot = 7; slot <= 9; ++slot)
        text += "[player" + std::to_string(slot) + "]\nbank=" + std::to_string(slot * 10) +
                "\ncoinsbet=5\ncurrentplayer=Seven plus\n";
    const auto result = Probe(text + "[player0]\nbank=1\n[player10]\nbank=100\n[player01]\nbank=2\n");
    for (int slot = 1; slot <= 5; ++slot) EXPECT_EQ(result.loaded[slot], Loaded(slot)) << "slot " << slot;
    EXPECT_EQ(result.loaded[6], Loaded(6, [](MachineState& s) { s.bank = 60, s.currentplayer = "Six"; }));
}

TEST(SettingsFile, TenThousandCharacterNameLoadsSavesAndRoundTrips) {
    std::string name, accented;
    for (int i = 0; name.size() < 10000; ++i) name += (i % 7 == 6) ? ' ' : static_cast<char>('A' + i % 26);
    for (int i = 0; i < 5000; ++i) accented += "\xc3\xa9";  // 5,000 two-byte letters
    EXPECT_EQ(Probe("[player4]\ncurrentplayer=" + name + "\nbank=5\n").loaded[4],
              Loaded(4, [&](MachineState& s) { s.currentplayer = name, s.bank = 5; }));
    EXPECT_EQ(Probe("[player5]\ncurrentplayer=" + accented + "\n").loaded[5].currentplayer, accented);
}

}  // namespace
}  // namespace keno::fuzz
