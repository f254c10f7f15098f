#include "shell/IniSettingsStore.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSettings>
#include <QStringList>

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

QString FailureReason(const QString& path, QSettings::Status status) {
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
    if (status == QSettings::FormatError) {
        return QStringLiteral("the file holds damaged settings and could not be replaced");
    }
    return QStringLiteral("the file could not be written");
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

QString IniSettingsStore::FilePath(const std::string& app) const {
    return fixedPath_ ? *fixedPath_ : UserFilePath(app);
}

IniSettingsStore::File& IniSettingsStore::FileFor(const std::string& app) {
    const QString path = FilePath(app);
    File& file = files_[path];
    if (!file.settings) file.settings = std::make_unique<QSettings>(path, QSettings::IniFormat);
    return file;
}

std::string IniSettingsStore::Get(const std::string& app, const std::string& section, const std::string& key) {
    File& file = FileFor(app);
    const QVariant value = file.settings->value(KeyPath(section, key));
    switch (value.typeId()) {
    case QMetaType::QString:
        return value.toString().toStdString();
    case QMetaType::QByteArray:
        return value.toByteArray().toStdString();
    case QMetaType::QStringList:
        return ListAsWritten(value.toStringList(), file.settings->fileName(), QString::fromStdString(section),
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
    file.settings->setValue(KeyPath(section, key), text);
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

// QSettings keeps the first error it ever met, so each Sync asks a fresh object: its status speaks
// of this write only. Objects on one file share their values, so the pending ones are there anyway;
// setting them again keeps this independent of that.
StoreStatus IniSettingsStore::SyncFile(const QString& path, File& file) {
    QSettings::Status status = QSettings::NoError;
    {
        QSettings writer(path, QSettings::IniFormat);
        for (auto it = file.pending.cbegin(); it != file.pending.cend(); ++it) writer.setValue(it.key(), it.value());
        writer.sync();
        status = writer.status();
    }
    if (status == QSettings::FormatError) {
        // A damaged file was read first; that error would hide a failed write. A file that was
        // really replaced reads cleanly now.
        QSettings check(path, QSettings::IniFormat);
        check.sync();
        if (check.status() == QSettings::NoError) status = QSettings::NoError;
    }
    if (status == QSettings::NoError) {
        file.pending.clear();
        return {true, path.toStdString(), {}};
    }
    return {false, path.toStdString(), FailureReason(path, status).toStdString()};
}

}  // namespace keno
