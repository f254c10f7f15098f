#include "shell/CommandLine.h"

#include <gtest/gtest.h>

#include <cctype>

namespace {

using keno::ReadCommandLine;

struct Row {
    const char* what;
    QStringList arguments;  // after the program's name
    bool startGame;
    int exitStatus;
    bool toStandardError;
    const char* textHas;  // a piece the printed text must hold ("" for none)
};

class CommandLine : public ::testing::TestWithParam<Row> {};

TEST_P(CommandLine, DecidesWhatToDo) {
    const Row& row = GetParam();
    const auto outcome = ReadCommandLine(QStringList{QStringLiteral("/usr/games/keno22")} + row.arguments);
    EXPECT_EQ(outcome.startGame, row.startGame);
    if (row.startGame) {
        EXPECT_TRUE(outcome.text.isEmpty()) << outcome.text.toStdString();
        return;
    }
    EXPECT_EQ(outcome.exitStatus, row.exitStatus);
    EXPECT_EQ(outcome.toStandardError, row.toStandardError);
    EXPECT_TRUE(outcome.text.contains(QString::fromUtf8(row.textHas))) << outcome.text.toStdString();
    EXPECT_TRUE(outcome.text.endsWith(QLatin1Char('\n')));
}

const Row kRows[] = {
    {"nothing", {}, true, 0, false, ""},
    // Qt's own options reach the application object untouched, in both spellings, with or without '='.
    {"qt platform", {"-platform", "offscreen"}, true, 0, false, ""},
    {"qt style equals", {"--style=fusion"}, true, 0, false, ""},
    {"qt flag", {"-reverse"}, true, 0, false, ""},
    {"help long", {"--help"}, false, 0, false, "--version"},
    {"help short", {"-h"}, false, 0, false, "Usage: keno22 [options]"},
    {"help names the settings file", {"--help"}, false, 0, false, "plinx/keno22.ini"},
    {"help wins over the game", {"-platform", "xcb", "--help"}, false, 0, false, "--help"},
    {"version long", {"--version"}, false, 0, false, "keno22 "},
    {"version short", {"-v"}, false, 0, false, "keno22 "},
    {"unknown option", {"--bogus"}, false, 2, true, "Unknown option 'bogus'"},
    {"unknown short", {"-x"}, false, 2, true, "Try 'keno22 --help'"},
    {"qt option missing its value", {"-platform"}, false, 2, true, "platform"},
    {"stray argument", {"saved.ini"}, false, 2, true, "unexpected argument 'saved.ini'"},
};

INSTANTIATE_TEST_SUITE_P(Rows, CommandLine, ::testing::ValuesIn(kRows), [](const auto& info) {
    std::string name = info.param.what;
    for (char& c : name) {
        if (!std::isalnum(static_cast<unsigned char>(c))) c = '_';
    }
    return name;
});

// Qt's hidden options must not crowd the help.
TEST(CommandLineHelp, ShowsOnlyTheProgramsOptions) {
    const auto outcome = ReadCommandLine({QStringLiteral("keno22"), QStringLiteral("--help")});
    EXPECT_FALSE(outcome.text.contains(QStringLiteral("platform")));
    EXPECT_FALSE(outcome.text.contains(QStringLiteral("stylesheet")));
}

}  // namespace
