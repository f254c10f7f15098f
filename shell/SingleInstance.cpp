#include "shell/SingleInstance.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLocalServer>
#include <QLocalSocket>

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>

#include "shell/IniSettingsStore.h"

namespace keno {

namespace {

QString ServerName(const QString& resolvedFile) {
    const QByteArray hash = QCryptographicHash::hash(resolvedFile.toUtf8(), QCryptographicHash::Sha1).toHex().left(16);
    return QStringLiteral("keno22-") + QString::fromLatin1(hash);
}

void Say(const QString& text) {
    std::fprintf(stderr, "keno22: %s\n", text.toLocal8Bit().constData());
}

}  // namespace

SingleInstance::SingleInstance(const QString& settingsFile, QObject* parent)
    : QObject(parent), settingsFile_(settingsFile) {
    const QString resolved = IniSettingsStore::ResolvedFilePath(settingsFile);
    // Hidden, and never removed: the lock is on the file, the file itself means nothing.
    const QFileInfo file(resolved);
    lockPath_ = file.absolutePath() + QStringLiteral("/.") + file.fileName() + QStringLiteral(".guard");
    serverName_ = ServerName(resolved);
}

SingleInstance::~SingleInstance() {
    if (lockHandle_ >= 0) ::close(lockHandle_);  // the kernel drops the lock with it, also on a crash
}

SingleInstance::Outcome SingleInstance::Claim() {
    // A copy that answers runs on this file, whatever became of its lock.
    if (AskRunningCopyToComeForward()) return Outcome::AlreadyRunning;
    const QString folder = QFileInfo(lockPath_).absolutePath();
    if (!QDir().mkpath(folder)) {
        problem_ = QStringLiteral("the folder %1 cannot be created").arg(folder);
    } else if (const int handle = ::open(QFile::encodeName(lockPath_).constData(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
               handle < 0) {
        problem_ = QStringLiteral("the lock file %1 cannot be created (%2)").arg(lockPath_, QString::fromLocal8Bit(std::strerror(errno)));
    } else if (::flock(handle, LOCK_EX | LOCK_NB) != 0) {
        const int error = errno;
        ::close(handle);
        if (error == EWOULDBLOCK) return Outcome::AlreadyRunning;  // started but not listening (yet)
        problem_ = QStringLiteral("the lock file %1 cannot be locked (%2)").arg(lockPath_, QString::fromLocal8Bit(std::strerror(error)));
    } else {
        lockHandle_ = handle;
    }
    Listen();
    return lockHandle_ >= 0 ? Outcome::First : Outcome::Unguarded;
}

bool SingleInstance::ClaimOrExplain() {
    switch (Claim()) {
        case Outcome::First:
            return true;
        case Outcome::AlreadyRunning:
            Say(raised_ ? QStringLiteral("the game is already running; its window has been brought to the front.")
                        : QStringLiteral("the game is already running on %1; switch to its window.").arg(settingsFile_));
            return false;
        case Outcome::Unguarded:
            Say(QStringLiteral("cannot make sure that only one copy of the game uses %1: %2. The game starts "
                               "anyway; do not start a second copy while this one runs. To fix this, make sure "
                               "the folder %3 exists and can be written to.")
                    .arg(settingsFile_, problem_, QFileInfo(lockPath_).absolutePath()));
            return true;
    }
    return true;
}

bool SingleInstance::AskRunningCopyToComeForward() {
    QLocalSocket socket;
    socket.connectToServer(serverName_);
    if (!socket.waitForConnected(1000)) return false;
    socket.write("raise\n");
    raised_ = socket.waitForBytesWritten(1000);
    socket.disconnectFromServer();
    return true;
}

void SingleInstance::Listen() {
    QLocalServer::removeServer(serverName_);  // left by a copy that was killed: nobody answered on it
    server_ = new QLocalServer(this);
    server_->setSocketOptions(QLocalServer::UserAccessOption);
    connect(server_, &QLocalServer::newConnection, this, &SingleInstance::OnConnection);
    server_->listen(serverName_);  // without it the lock still holds; only raising is lost
}

void SingleInstance::OnConnection() {
    while (QLocalSocket* socket = server_->nextPendingConnection()) {
        connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        emit activationRequested();
    }
}

}  // namespace keno
