#pragma once
#include <QMap>
#include <QString>
#include <map>
#include <memory>
#include <optional>

#include "core/SettingsStore.h"

class QSettings;

namespace keno {

// The settings store as a per-user INI file: application "plinx" lives in
// $XDG_CONFIG_HOME/plinx/keno22.ini (~/.config/plinx/keno22.ini by default); sections are INI groups,
// keys are kept as given. Values written here read back exactly (commas, quotes, blanks, new lines,
// any UTF-8); see Get for hand-edited values.
//
// Reading never writes the file. Sync replaces the file once, with a complete new version (written
// beside it, flushed to the disk, then renamed over it), so a crash or a kill at any moment leaves
// either the old file or the new one. Only the lines of the keys saved change; the rest of the file
// is copied as it stands, so a large file costs a copy, not a parse.
class IniSettingsStore final : public SettingsStore {
public:
    // One per-user file per application, in the folder named after the application.
    IniSettingsStore();
    // Every application in this one file (tests, or a file chosen by hand).
    explicit IniSettingsStore(const QString& filePath);
    ~IniSettingsStore() override;
    IniSettingsStore(const IniSettingsStore&) = delete;
    IniSettingsStore& operator=(const IniSettingsStore&) = delete;

    // A hand-edited value that is not plain text reads as the user wrote it where that can be told
    // (an unquoted "a, b" comes back as "a, b", not as a list), otherwise as empty text.
    std::string Get(const std::string& app, const std::string& section, const std::string& key) override;
    void Save(const std::string& app, const std::string& section, const std::string& key,
              const std::string& value) override;
    // Writes every file with pending values, each in one replacement, and checks it reached the disk.
    StoreStatus Sync() override;

    QString FilePath(const std::string& app) const;
    // Where the per-user file of an application lives. The folder comes from XDG_CONFIG_HOME as it
    // was when the program first used settings.
    static QString UserFilePath(const std::string& app);
    // The file a path really names once symbolic links (of the file or of any folder on the way)
    // are followed; for a file that does not exist yet, its resolved folder and its name. Every
    // path to one file gives the same answer. Saves go there, so a link stays a link.
    static QString ResolvedFilePath(const QString& path);

private:
    struct File {
        std::unique_ptr<QSettings> reader;  // only ever read: a QSettings with changes writes the file
        QMap<QString, QString> saved;       // saved here (written or pending); read back from here
        QMap<QString, QString> pending;     // saved since the last Sync that reached the disk
    };
    File& FileFor(const std::string& app);
    StoreStatus SyncFile(const QString& path, File& file);

    std::optional<QString> fixedPath_;
    mutable std::map<std::string, QString> userPaths_;
    std::map<QString, File> files_;
};

}  // namespace keno
