#include "shell/SingleInstance.h"

#include <QCryptographicHash>
#include <QDir>
#include <QLocalServer>
#include <QLocalSocket>
#include <QStandardPaths>

namespace keno {

namespace {

QString KeyHash(const QString& key) {
    return QString::fromLatin1(QCryptographicHash::hash(key.toUtf8(), QCryptographicHash::Sha1).toHex().left(16));
}

QString LockPath(const QString& hash) {
    QString folder = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (folder.isEmpty() || !QDir().mkpath(folder)) folder = QDir::tempPath();
    return folder + QStringLiteral("/keno22-") + hash + QStringLiteral(".lock");
}

}  // namespace

SingleInstance::SingleInstance(const QString& key, QObject* parent)
    : QObject(parent), serverName_(QStringLiteral("keno22-") + KeyHash(key)) {
    lock_ = std::make_unique<QLockFile>(LockPath(KeyHash(key)));
    lock_->setStaleLockTime(0);  // stale only when its process is gone, never by age
}

SingleInstance::~SingleInstance() = default;

bool SingleInstance::Claim() {
    if (!lock_->tryLock(200)) {
        // Another copy holds the lock: ask it to come to the front.
        QLocalSocket socket;
        socket.connectToServer(serverName_);
        if (socket.waitForConnected(1000)) {
            socket.write("raise\n");
            socket.waitForBytesWritten(1000);
            socket.disconnectFromServer();
        }
        return false;
    }
    QLocalServer::removeServer(serverName_);  // left by a copy that was killed
    server_ = new QLocalServer(this);
    server_->setSocketOptions(QLocalServer::UserAccessOption);
    connect(server_, &QLocalServer::newConnection, this, &SingleInstance::OnConnection);
    server_->listen(serverName_);  // without it the guard still holds; only raising is lost
    return true;
}

void SingleInstance::OnConnection() {
    while (QLocalSocket* socket = server_->nextPendingConnection()) {
        connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        emit activationRequested();
    }
}

}  // namespace keno
