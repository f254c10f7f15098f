#pragma once
// Counts what happens to one file name (inotify on its folder): replacements by another file moved
// or linked onto the name, and writes into the file where it stands.
#include <QByteArray>
#include <QFile>
#include <QFileInfo>
#include <QString>

#include <ostream>

#include <fcntl.h>
#include <sys/inotify.h>
#include <unistd.h>

namespace keno::test {

class FileWatch {
public:
    struct Counts {
        int replaced = 0;        // a complete file renamed or linked onto the name
        int writtenInPlace = 0;  // the file under the name opened for writing and changed
        bool operator==(const Counts&) const = default;
        friend void PrintTo(const Counts& counts, std::ostream* out) {
            *out << counts.replaced << " replaced, " << counts.writtenInPlace << " written in place";
        }
    };

    explicit FileWatch(const QString& path)
        : name_(QFile::encodeName(QFileInfo(path).fileName())), fd_(inotify_init1(IN_NONBLOCK | IN_CLOEXEC)) {
        if (fd_ >= 0) {
            inotify_add_watch(fd_, QFile::encodeName(QFileInfo(path).absolutePath()).constData(),
                              IN_MOVED_TO | IN_CREATE | IN_MODIFY | IN_CLOSE_WRITE);
        }
    }
    ~FileWatch() {
        if (fd_ >= 0) close(fd_);
    }
    FileWatch(const FileWatch&) = delete;
    FileWatch& operator=(const FileWatch&) = delete;

    bool Watching() const { return fd_ >= 0; }

    // What happened since the last call (the kernel queues the events before the call that caused
    // them returns).
    Counts Take() {
        Counts counts;
        alignas(inotify_event) char buffer[16384];
        ssize_t length = 0;
        while ((length = read(fd_, buffer, sizeof buffer)) > 0) {
            for (ssize_t at = 0; at < length;) {
                const auto* event = reinterpret_cast<const inotify_event*>(buffer + at);
                at += static_cast<ssize_t>(sizeof(inotify_event) + event->len);
                if (event->len == 0 || name_ != event->name) continue;
                if (event->mask & (IN_MOVED_TO | IN_CREATE)) ++counts.replaced;
                if (event->mask & IN_MODIFY) ++counts.writtenInPlace;
            }
        }
        return counts;
    }

private:
    QByteArray name_;
    int fd_;
};

}  // namespace keno::test
