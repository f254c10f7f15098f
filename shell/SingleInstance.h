#pragma once
#include <QObject>
#include <QString>

class QSocketNotifier;

namespace keno {

// One running copy per settings file: a second copy would overwrite the first one's records with
// its own stale figures at exit. The guard is a lock on a hidden file beside the settings file
// itself (".keno22.ini.guard"), found through every symbolic link, so every path to one file (a
// linked folder, another XDG_RUNTIME_DIR, another working folder) meets the same guard. The first
// copy also listens on a local socket named after that file; a second copy asks it to come to the
// front and ends.
class SingleInstance : public QObject {
    Q_OBJECT
public:
    enum class Outcome {
        First,           // the guard is ours; we listen for later starts
        AlreadyRunning,  // another copy runs on this file (asked to come to the front)
        Unguarded,       // the lock could not be taken at all (Problem() says why); nobody answered
    };

    // settingsFile: the file the records live in.
    explicit SingleInstance(const QString& settingsFile, QObject* parent = nullptr);
    ~SingleInstance() override;

    Outcome Claim();
    // Claim, with a plain line on standard error for anything but First. False only when another
    // copy runs and this one must end. Without the lock the game starts anyway: a folder that
    // cannot hold the lock file cannot take the records either, so no second copy can write
    // over them through it, and one that answers the socket is still found.
    bool ClaimOrExplain();

    // Why the lock could not be taken, after Claim answered Unguarded.
    const QString& Problem() const { return problem_; }
    // After AlreadyRunning: whether the running copy answered and was asked to come to the front.
    bool Raised() const { return raised_; }
    QString LockPath() const { return lockPath_; }

signals:
    void activationRequested();

private:
    bool AskRunningCopyToComeForward();
    void Listen();
    void OnConnection();

    QString settingsFile_;
    QString lockPath_;
    QString socketPath_;  // where the first copy listens
    QString problem_;
    bool raised_ = false;
    int lockHandle_ = -1;
    int listenHandle_ = -1;
    QSocketNotifier* listening_ = nullptr;
};

}  // namespace keno
