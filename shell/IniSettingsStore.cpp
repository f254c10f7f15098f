#include "shell/IniSettingsStore.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QSettings>
#include <QStringList>
#include <QTemporaryFile>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdint>
#include <cstring>

#include "shell/IniText.h"

namespace keno {
namespace {

QString KeyPath(const std::string& section, const std::string& key) {
    return QString::fromStdString(section) + u'/' + QString::fromStdString(key);
}

// The text after "key=" in the last matching line of the section, as it stands in the file.
std::optional<QString> RawLine(const QString& path, const QString& section, const QString& key) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return std::nullopt;
    std::optional<QString> found;
    QString current;
    for (const QString& rawLine : QString::fromUtf8(file.readAll()).split(u'\n')) {
        const QString line = rawLine.trimmed();
        if (line.startsWith(u'[')) {
            current = line.mid(1, line.indexOf(u']') - 1);
            continue;
        }
        const auto equals = line.indexOf(u'=');
        if (current == section && equals > 0 && line.left(equals).trimmed() == key) {
            found = line.mid(equals + 1).trimmed();
        }
    }
    return found;
}

// QSettings splits an unquoted value at its commas. When the line holds no quotes or escapes, the
// list is exactly that line cut at its commas, so the line itself is what the user wrote.
QString ListAsWritten(const QStringList& list, const QString& path, const QString& section,
                      const QString& key) {
    const auto raw = RawLine(path, section, key);
    if (raw && !raw->contains(u'"') && !raw->contains(u'\\')) {
        QStringList parts = raw->split(u',');
        for (QString& part : parts) part = part.trimmed();
        if (parts == list) return *raw;
    }
    return list.join(QStringLiteral(", "));
}

// Why a file could not be replaced, in words: what stands in the way on the path, else what the
// system said.
QString FailureReason(const QString& path, const QString& systemReason) {
    const QFileInfo file(path);
    const QString folder = file.absolutePath();
    if (!QFileInfo(folder).isDir()) {
        QString existing = folder;
        while (!QFileInfo::exists(existing) && QFileInfo(existing).absolutePath() != existing) {
            existing = QFileInfo(existing).absolutePath();
        }
        if (QFileInfo(existing).exists() && !QFileInfo(existing).isDir()) {
            return QStringLiteral("the folder %1 cannot be created because %2 is a file").arg(folder, existing);
        }
        return QStringLiteral("the folder %1 cannot be created").arg(folder);
    }
    if (file.isDir()) return QStringLiteral("a folder stands where the file should be");
    if (file.exists() && !file.isWritable()) return QStringLiteral("the file is not writable");
    if (!QFileInfo(folder).isWritable()) return QStringLiteral("the folder %1 is not writable").arg(folder);
    if (systemReason.isEmpty()) return QStringLiteral("the file could not be written");
    return QStringLiteral("the file could not be written: %1").arg(systemReason);
}

QString SystemError() { return QString::fromLocal8Bit(std::strerror(errno)); }

// Readers that tell versions of a file apart by size and time to the millisecond (QSettings does)
// must not take a new version of the same size for the old one.
void MakeTimeNewerThan(int handle, const struct stat& old) {
    struct stat now {};
    if (::fstat(handle, &now) != 0) return;
    const auto ms = [](const timespec& t) { return std::int64_t(t.tv_sec) * 1000 + t.tv_nsec / 1000000; };
    if (ms(now.st_mtim) > ms(old.st_mtim)) return;
    const std::int64_t later = ms(old.st_mtim) + 1;
    const timespec times[2] = {{0, UTIME_OMIT}, {later / 1000, (later % 1000) * 1000000}};
    ::futimens(handle, times);
}

// One replacement of the file at path by bytes: a complete copy is written beside it, flushed to
// the disk and renamed over it.
bool ReplaceFile(const QString& path, const QByteArray& bytes, QString& problem) {
    struct stat old {};
    const bool existed = ::stat(QFile::encodeName(path).constData(), &old) == 0;
    QSaveFile out(path);
    if (!out.open(QIODevice::WriteOnly)) {
        problem = out.errorString();
        return false;
    }
    if (out.write(bytes) != bytes.size() || !out.flush()) {
        problem = out.errorString();
        out.cancelWriting();
        return false;
    }
    if (::fsync(out.handle()) != 0) {
        problem = SystemError();
        out.cancelWriting();
        return false;
    }
    if (existed) MakeTimeNewerThan(out.handle(), old);
    if (!out.commit()) {
        problem = out.errorString();
        return false;
    }
    // The rename itself reaches the disk with the folder.
    if (const int folder = ::open(QFile::encodeName(QFileInfo(path).absolutePath()).constData(), O_RDONLY | O_DIRECTORY);
        folder >= 0) {
        ::fsync(folder);
        ::close(folder);
    }
    return true;
}

// The whole file as QSettings writes it with the pending values set: for what cannot be edited
// in place. QSettings works on a private copy beside the file; the file itself is not touched.
std::optional<QByteArray> RenderedByQSettings(const QString& path, const QByteArray& bytes,
                                              const QMap<QString, QString>& pending, QString& problem) {
    const QFileInfo target(path);
    QTemporaryFile copy(target.absolutePath() + QStringLiteral("/.") + target.fileName() + QStringLiteral(".XXXXXX"));
    if (!copy.open() || copy.write(bytes) != bytes.size() || !copy.flush()) {
        problem = copy.errorString();
        return std::nullopt;
    }
    {
        QSettings settings(copy.fileName(), QSettings::IniFormat);
        for (auto it = pending.cbegin(); it != pending.cend(); ++it) settings.setValue(it.key(), it.value());
        settings.sync();
        // A damaged file reads with a FormatError and is written all the same.
        if (settings.status() == QSettings::AccessError) {
            problem = QStringLiteral("a copy of the file could not be written");
            return std::nullopt;
        }
    }
    QFile rendered(copy.fileName());
    if (!rendered.open(QIODevice::ReadOnly)) {
        problem = rendered.errorString();
        return std::nullopt;
    }
    QByteArray result = rendered.readAll();
    if (result == bytes) {
        problem = QStringLiteral("a copy of the file could not be written");
        return std::nullopt;
    }
    return result;
}

}  // namespace

IniSettingsStore::IniSettingsStore() = default;

IniSettingsStore::IniSettingsStore(const QString& filePath) : fixedPath_(filePath) {}

IniSettingsStore::~IniSettingsStore() = default;

QString IniSettingsStore::UserFilePath(const std::string& app) {
    return QSettings(QSettings::IniFormat, QSettings::UserScope, QString::fromStdString(app),
                     QStringLiteral("keno22"))
        .fileName();
}

// Asked once per application: finding the path opens a QSettings on the file, and one that opens
// while the file has changed reads all of it again.
QString IniSettingsStore::FilePath(const std::string& app) const {
    if (fixedPath_) return *fixedPath_;
    auto [it, added] = userPaths_.try_emplace(app);
    if (added) it->second = UserFilePath(app);
    return it->second;
}

QString IniSettingsStore::ResolvedFilePath(const QString& path) {
    QFileInfo info(path);
    for (int hops = 0; hops < 40 && info.isSymLink(); ++hops) info = QFileInfo(info.symLinkTarget());
    if (const QString canonical = info.canonicalFilePath(); !canonical.isEmpty()) return canonical;
    const QString folder = QFileInfo(info.absolutePath()).canonicalFilePath();
    return folder.isEmpty() ? info.absoluteFilePath() : folder + u'/' + info.fileName();
}

IniSettingsStore::File& IniSettingsStore::FileFor(const std::string& app) {
    const QString path = FilePath(app);
    File& file = files_[path];
    if (!file.reader) file.reader = std::make_unique<QSettings>(path, QSettings::IniFormat);
    return file;
}

std::string IniSettingsStore::Get(const std::string& app, const std::string& section, const std::string& key) {
    File& file = FileFor(app);
    const QString keyPath = KeyPath(section, key);
    // What was saved here is what the file holds or is about to hold; the reader may have read
    // the file before it was written.
    if (const auto saved = file.saved.constFind(keyPath); saved != file.saved.cend()) return saved->toStdString();
    const QVariant value = file.reader->value(keyPath);
    switch (value.typeId()) {
    case QMetaType::QString:
        return value.toString().toStdString();
    case QMetaType::QByteArray:
        return value.toByteArray().toStdString();
    case QMetaType::QStringList:
        return ListAsWritten(value.toStringList(), file.reader->fileName(), QString::fromStdString(section),
                             QString::fromStdString(key))
            .toStdString();
    default:
        // Absent, or a serialised type ("@Variant(...)", "@Rect(...)") that is neither a number nor a name.
        return {};
    }
}

void IniSettingsStore::Save(const std::string& app, const std::string& section, const std::string& key,
                            const std::string& value) {
    File& file = FileFor(app);
    const QString text = QString::fromStdString(value);
    file.saved.insert(KeyPath(section, key), text);
    file.pending.insert(KeyPath(section, key), text);
}

StoreStatus IniSettingsStore::Sync() {
    StoreStatus result{true, fixedPath_ ? fixedPath_->toStdString() : std::string(), {}};
    for (auto& [path, file] : files_) {
        StoreStatus status = file.pending.isEmpty() ? StoreStatus{true, path.toStdString(), {}}
                                                    : SyncFile(path, file);
        if (result.ok) result = status;  // the first failure is the one reported
    }
    return result;
}

// The file is read as it is now (another program, or the player, may have changed it), the
// pending sections are edited into it and the result replaces it in one rename.
StoreStatus IniSettingsStore::SyncFile(const QString& path, File& file) {
    const auto failed = [&path](const QString& systemReason) {
        return StoreStatus{false, path.toStdString(), FailureReason(path, systemReason).toStdString()};
    };
    const QString target = ResolvedFilePath(path);
    if (!QDir().mkpath(QFileInfo(target).absolutePath())) return failed({});
    QByteArray bytes;
    if (QFile current(target); current.exists()) {
        if (!current.open(QIODevice::ReadOnly)) return failed(current.errorString());
        bytes = current.readAll();
    }
    std::map<QString, ini::Values> sections;
    for (auto it = file.pending.cbegin(); it != file.pending.cend(); ++it) {
        const qsizetype slash = it.key().indexOf(u'/');
        sections[it.key().left(slash)].emplace_back(it.key().mid(slash + 1), it.value());
    }
    std::optional<QByteArray> edited = bytes;
    for (auto it = sections.cbegin(); edited && it != sections.cend(); ++it) {
        edited = ini::WithSection(*edited, it->first, it->second);
    }
    QString problem;
    if (!edited) edited = RenderedByQSettings(target, bytes, file.pending, problem);
    if (!edited || !ReplaceFile(target, *edited, problem)) return failed(problem);
    file.pending.clear();
    return {true, path.toStdString(), {}};
}

}  // namespace keno
