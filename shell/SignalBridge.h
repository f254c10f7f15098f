#pragma once
#include <QObject>

class QSocketNotifier;

namespace keno {

// Turns SIGTERM, SIGINT and SIGHUP into a Qt signal on the UI thread, so a service manager or a
// logout ends the game through its normal close path (record saved, display restored).
class SignalBridge : public QObject {
    Q_OBJECT
public:
    explicit SignalBridge(QObject* parent = nullptr);
    ~SignalBridge() override;
    bool Installed() const { return notifier_ != nullptr; }

signals:
    void terminateRequested(int signal);

private:
    void OnReadable();
    QSocketNotifier* notifier_ = nullptr;
};

}  // namespace keno
