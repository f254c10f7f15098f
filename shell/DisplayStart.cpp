#include "shell/DisplayStart.h"

#include <QCoreApplication>
#include <QString>
#include <QStringList>

#include <cstdio>
#include <cstdlib>

namespace keno {

namespace {

QtMessageHandler previousHandler = nullptr;

// What the toolkit says while its platform starts: the reasons, when the start fails.
QStringList& StartMessages() {
    static QStringList messages;
    return messages;
}

void WhileStarting(QtMsgType type, const QMessageLogContext& context, const QString& message) {
    if (type != QtFatalMsg) {
        StartMessages() << qFormatLogMessage(type, context, message);
        return;
    }
    // A fatal message ends in an abort once this returns: end here instead. What the platforms
    // said on the way is the reason; the toolkit's last words only when there is nothing else
    // (they suggest reinstalling, which is seldom the cure).
    if (StartMessages().isEmpty()) StartMessages() << message.section(u'\n', 0, 0);
    std::fputs("keno22: there is no display to open the game window on (check DISPLAY or WAYLAND_DISPLAY, or "
               "choose a platform with QT_QPA_PLATFORM).\n",
               stderr);
    for (const QString& line : StartMessages()) std::fprintf(stderr, "keno22: (%s)\n", line.toLocal8Bit().constData());
    std::fflush(stderr);
    std::_Exit(1);
}

// Run by the application object once its platform is up.
void PlatformStarted() {
    qInstallMessageHandler(previousHandler);
    for (const QString& line : StartMessages()) std::fprintf(stderr, "%s\n", line.toLocal8Bit().constData());
    StartMessages().clear();
}

}  // namespace

void GuardPlatformStart() {
    previousHandler = qInstallMessageHandler(&WhileStarting);
    qAddPreRoutine(&PlatformStarted);
}

}  // namespace keno
