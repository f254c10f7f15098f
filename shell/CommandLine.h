#pragma once
#include <QString>
#include <QStringList>

#include <optional>

namespace keno {

// What the command line asks for, decided before any window or display exists.
struct CommandLineOutcome {
    bool startGame = true;  // false: print `text` and end with `exitStatus`
    QString text;
    bool toStandardError = false;
    int exitStatus = 0;
};

// Status of a usage error (an unknown option, an unexpected argument).
inline constexpr int kUsageErrorStatus = 2;

// arguments[0] is the program. Qt's own start-up options (-platform, -style, ...) are let through
// for the application object to take.
CommandLineOutcome ReadCommandLine(const QStringList& arguments);

// Reads argv, prints help, version or a usage error; returns the exit status when the program
// should end there, nothing when the game should start.
std::optional<int> HandleCommandLine(int argc, char** argv);

}  // namespace keno
