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
    // Writes every file with pending values and checks each really reached the disk.
    StoreStatus Sync() override;

    QString FilePath(const std::string& app) const;
    // Where the per-user file of an application lives. The folder comes from XDG_CONFIG_HOME as it
    // was when the program first used settings.
    static QString UserFilePath(const std::string& app);

private:
    struct File {
        std::unique_ptr<QSettings> settings;
        QMap<QString, QString> pending;  // saved since the last Sync that reached the disk
    };
    File& FileFor(const std::string& app);
    StoreStatus SyncFile(const QString& path, File& file);

    std::optional<QString> fixedPath_;
    std::map<QString, File> files_;
};

}  // namespace keno
