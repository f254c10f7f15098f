// Damaged and hand-edited settings files: every file of the kept fuzz corpus (truncations, garbage,
// out-of-range values, extra sections, long names), and serialised values checked field by field.
#include <gtest/gtest.h>

#include <QDir>
#include <QTemporaryDir>

#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <climits>
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

// Hand-written bad files: what each slot must load as, not only that it survives.
TEST(SettingsFile, HandWrittenDamageLoadsSafely) {
    const std::string longName(10000, 'n');
    const std::string full = "[player1]\nbank=120\ncoinsbet=3\ncurrentplayer=Ann\n";
    struct Case {
        const char* what;
        std::string text;
        MachineState slot1;
    } cases[] = {
        {"truncated mid-value", full.substr(0, full.find("coinsbet=3") + 9), Loaded(1, [](MachineState& s) { s.bank = 120; })},
        {"binary garbage", std::string("\x00\xff[player1\x00]\nbank=\x01\x02\n\xfe\xfe", 19), Loaded(1)},
        {"out of range", "[player1]\ncoinsbet=40000\nbank=2147483648\nwager=-2147483648\n",
         Loaded(1, [](MachineState& s) { s.wager = INT32_MIN; })},
        {"seventh and later sections", full + "[player7]\nbank=9\n[player9]\nbank=9\n[player0]\nbank=9\n",
         Loaded(1, [](MachineState& s) { s.bank = 120, s.coinsbet = 3, s.currentplayer = "Ann"; })},
        {"name of 10,000 characters", "[player1]\ncurrentplayer=" + longName + "\n",
         Loaded(1, [&](MachineState& s) { s.currentplayer = longName; })},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(Probe(c.text).loaded[1], c.slot1);
    }
}

}  // namespace
}  // namespace keno::fuzz
