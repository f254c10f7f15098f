#include "shell/SingleInstance.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSocketNotifier>

#include <fcntl.h>
#include <poll.h>
#include <sys/file.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>

#include "shell/IniSettingsStore.h"

namespace keno {

namespace {

// A plain Unix socket in the temporary folder, named after the file: Qt's network module would
// cost eight more libraries at every start for this one use.
QString SocketPath(const QString& resolvedFile) {
    const QByteArray hash = QCryptographicHash::hash(resolvedFile.toUtf8(), QCryptographicHash::Sha1).toHex().left(16);
    return QDir::tempPath() + QStringLiteral("/keno22-") + QString::fromLatin1(hash);
}

// False when the path does not fit a socket address.
bool SocketAddress(const QString& path, sockaddr_un& address) {
    const QByteArray name = QFile::encodeName(path);
    address = {};
    address.sun_family = AF_UNIX;
    if (name.size() >= static_cast<qsizetype>(sizeof(address.sun_path))) return false;
    std::memcpy(address.sun_path, name.constData(), static_cast<size_t>(name.size()));
    return true;
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
    socketPath_ = SocketPath(resolved);
}

SingleInstance::~SingleInstance() {
    if (listenHandle_ >= 0) {
        ::close(listenHandle_);
        ::unlink(QFile::encodeName(socketPath_).constData());
    }
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
    sockaddr_un address;
    if (!SocketAddress(socketPath_, address)) return false;
    const int handle = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
    if (handle < 0) return false;
    bool connected = ::connect(handle, reinterpret_cast<const sockaddr*>(&address), sizeof(address)) == 0;
    if (!connected && errno == EAGAIN) {  // a full backlog: give the running copy a second
        pollfd ready{handle, POLLOUT, 0};
        int error = 0;
        socklen_t length = sizeof(error);
        connected = ::poll(&ready, 1, 1000) == 1 &&
                    ::getsockopt(handle, SOL_SOCKET, SO_ERROR, &error, &length) == 0 && error == 0;
    }
    if (connected) {
        static constexpr char kRaise[] = "raise\n";
        raised_ = ::send(handle, kRaise, sizeof(kRaise) - 1, MSG_NOSIGNAL) == static_cast<ssize_t>(sizeof(kRaise) - 1);
    }
    ::close(handle);
    return connected;
}

void SingleInstance::Listen() {
    // Without a socket the lock still holds; only raising the running window is lost.
    sockaddr_un address;
    if (!SocketAddress(socketPath_, address)) return;
    const int handle = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
    if (handle < 0) return;
    ::unlink(address.sun_path);  // left by a copy that was killed: nobody answered on it
    if (::bind(handle, reinterpret_cast<const sockaddr*>(&address), sizeof(address)) != 0 ||
        ::chmod(address.sun_path, 0600) != 0 || ::listen(handle, 4) != 0) {
        ::close(handle);
        return;
    }
    listenHandle_ = handle;
    listening_ = new QSocketNotifier(static_cast<qintptr>(handle), QSocketNotifier::Read, this);
    connect(listening_, &QSocketNotifier::activated, this, &SingleInstance::OnConnection);
}

void SingleInstance::OnConnection() {
    // A connection is the whole request; what it says is not waited for.
    while (true) {
        const int peer = ::accept4(listenHandle_, nullptr, nullptr, SOCK_CLOEXEC);
        if (peer < 0) break;
        ::close(peer);
        emit activationRequested();
    }
}

}  // namespace keno
