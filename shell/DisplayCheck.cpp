#include "shell/DisplayCheck.h"

#include <QStringList>

#include <cstdio>
#include <cstdlib>

#include "shell/DisplayModes.h"

namespace keno {

namespace {

constexpr const char* kNoDisplay =
    "keno22: there is no display to open the game window on (check DISPLAY or WAYLAND_DISPLAY, or choose a "
    "platform with QT_QPA_PLATFORM).\n";

// Without an X display Qt's X11 platform aborts the program; an X display that does not answer is
// cheap to tell beforehand.
bool NoXDisplayToOpen() {
    const QByteArray platform = qgetenv("QT_QPA_PLATFORM");
    if (!platform.isEmpty() && !platform.startsWith("xcb")) return false;
    if (!qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY") && platform.isEmpty()) return false;
    return !MODchangeRes::CurrentScreenSize().has_value();
}

// What the toolkit says while its platform starts; shown only when the start fails.
QStringList& StartMessages() {
    static QStringList messages;
    return messages;
}

void WhileStarting(QtMsgType type, const QMessageLogContext& context, const QString& message) {
    if (type != QtFatalMsg) {
        StartMessages() << qFormatLogMessage(type, context, message);
        return;
    }
    // A fatal message ends in an abort once this returns: end here instead.
    // What the platforms said on the way is the reason; the toolkit's last words only when there is
    // nothing else (they suggest reinstalling, which is seldom the cure).
    if (StartMessages().isEmpty()) StartMessages() << message.section(u'\n', 0, 0);
    std::fputs(kNoDisplay, stderr);
    for (const QString& line : StartMessages()) std::fprintf(stderr, "keno22: (%s)\n", line.toLocal8Bit().constData());
    std::fflush(stderr);
    std::_Exit(1);
}

}  // namespace

std::unique_ptr<QApplication> OpenApplicationOrExplain(int& argc, char** argv) {
    if (NoXDisplayToOpen()) {
        std::fputs(kNoDisplay, stderr);
        return nullptr;
    }
    const QtMessageHandler previous = qInstallMessageHandler(&WhileStarting);
    auto application = std::make_unique<QApplication>(argc, argv);
    qInstallMessageHandler(previous);
    // It started: what was said on the way is said now, as it would have been.
    for (const QString& line : StartMessages()) std::fprintf(stderr, "%s\n", line.toLocal8Bit().constData());
    StartMessages().clear();
    return application;
}

}  // namespace keno
