#pragma once
#include <QLockFile>
#include <QObject>
#include <QString>

#include <memory>

class QLocalServer;

namespace keno {

// One running copy per settings file: a second copy would overwrite the first one's records with
// its own stale figures at exit. The first copy holds a lock beside the settings file and listens
// on a local socket; a second copy asks it to come to the front and ends.
class SingleInstance : public QObject {
    Q_OBJECT
public:
    // key: the path of the settings file the records live in.
    explicit SingleInstance(const QString& key, QObject* parent = nullptr);
    ~SingleInstance() override;

    // True for the first copy (which then listens); false when another copy runs and has been
    // asked to come to the front.
    bool Claim();

signals:
    void activationRequested();

private:
    void OnConnection();

    QString serverName_;
    std::unique_ptr<QLockFile> lock_;
    QLocalServer* server_ = nullptr;
};

}  // namespace keno
