// Damaged and hand-edited settings files: every file of the kept fuzz corpus (truncations, garbage,
// out-of-range values, extra sections, long names), and serialised values checked field by field.
#include <gtest/gtest.h>

#include <QDir>
#include <QTemporaryDir>

#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
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

}  // namespace
}  // namespace keno::fuzz
