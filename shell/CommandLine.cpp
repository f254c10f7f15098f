#include "shell/CommandLine.h"

#include <QCommandLineParser>

#include <cstdio>

#include "info/ProgramInfo.h"

namespace keno {

namespace {

// The options QGuiApplication and QApplication take for themselves, with or without a value. They
// stay hidden from the help: they are Qt's, documented by Qt.
struct QtOption {
    const char* name;
    bool takesValue;
};
constexpr QtOption kQtOptions[] = {
    {"platform", true},   {"platformpluginpath", true}, {"platformtheme", true}, {"plugin", true},
    {"qwindowgeometry", true}, {"geometry", true},    {"qwindowtitle", true},  {"title", true},
    {"qwindowicon", true}, {"icon", true},             {"session", true},       {"display", true},
    {"name", true},        {"style", true},            {"stylesheet", true},    {"qmljsdebugger", true},
    {"reverse", false},    {"widgetcount", false},     {"nograb", false},       {"dograb", false},
    {"sync", false},       {"testability", false},
};

QString UsageError(const QString& what) {
    return QStringLiteral("keno22: %1\nTry 'keno22 --help' for more information.\n").arg(what);
}

}  // namespace

CommandLineOutcome ReadCommandLine(const QStringList& arguments) {
    QCommandLineParser parser;
    // Qt's options are single-dash words (-platform xcb), so ours read the same way: -h, -v, --help.
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    parser.setApplicationDescription(QStringLiteral(
        "%1, a desktop keno machine with a 22-ball and a 20-ball game.\n"
        "The six player records are kept in $XDG_CONFIG_HOME/plinx/keno22.ini\n"
        "(~/.config/plinx/keno22.ini); delete it to start afresh. The keys are in keno22(6).")
                                         .arg(QString::fromLatin1(kProgramTitle)));
    const QCommandLineOption help({QStringLiteral("h"), QStringLiteral("help")},
                                  QStringLiteral("Show this help and end."));
    const QCommandLineOption version({QStringLiteral("v"), QStringLiteral("version")},
                                     QStringLiteral("Show the program's version and end."));
    parser.addOption(help);
    parser.addOption(version);
    for (const QtOption& qt : kQtOptions) {
        QCommandLineOption option(QString::fromLatin1(qt.name), QString());
        if (qt.takesValue) option.setValueName(QStringLiteral("value"));
        option.setFlags(QCommandLineOption::HiddenFromHelp);
        parser.addOption(option);
    }

    CommandLineOutcome outcome;
    if (!parser.parse(arguments)) {
        outcome = {false, UsageError(parser.errorText()), true, kUsageErrorStatus};
    } else if (parser.isSet(help)) {
        // The usage line names the program as a player types it, whatever path started it (Qt
        // writes a placeholder there when no application object exists yet).
        QString text = parser.helpText();
        const QString usage = QStringLiteral("Usage: ");
        if (const qsizetype end = text.indexOf(QLatin1Char(' '), usage.size()); text.startsWith(usage) && end > 0) {
            text.replace(usage.size(), end - usage.size(), QStringLiteral("keno22"));
        }
        outcome = {false, text, false, 0};
    } else if (parser.isSet(version)) {
        outcome = {false, QStringLiteral("keno22 %1\n").arg(QString::fromLatin1(kProgramVersion)), false, 0};
    } else if (!parser.positionalArguments().isEmpty()) {
        outcome = {false, UsageError(QStringLiteral("unexpected argument '%1'").arg(parser.positionalArguments().first())),
                   true, kUsageErrorStatus};
    }
    return outcome;
}

std::optional<int> HandleCommandLine(int argc, char** argv) {
    if (argc <= 1) return std::nullopt;  // the usual start: nothing to read
    QStringList arguments;
    for (int i = 0; i < argc; ++i) arguments << QString::fromLocal8Bit(argv[i]);
    const CommandLineOutcome outcome = ReadCommandLine(arguments);
    if (outcome.startGame) return std::nullopt;
    std::fputs(outcome.text.toLocal8Bit().constData(), outcome.toStandardError ? stderr : stdout);
    return outcome.exitStatus;
}

}  // namespace keno
