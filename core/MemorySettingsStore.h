#pragma once
#include <map>
#include <optional>
#include <string>
#include <tuple>
#include <vector>

#include "core/SettingsStore.h"

namespace keno {

// A settings store held in memory, for tests: it remembers every Save in order, counts Syncs, keeps
// apart what was saved from what reached "storage", and can be told to refuse Syncs.
class MemorySettingsStore final : public SettingsStore {
public:
    struct SaveCall {
        std::string app, section, key, value;
        bool operator==(const SaveCall&) const = default;
    };

    std::string Get(const std::string& app, const std::string& section, const std::string& key) override;
    void Save(const std::string& app, const std::string& section, const std::string& key,
              const std::string& value) override;
    // Moves everything saved into storage, or, while refusing, reports failure and keeps it pending.
    StoreStatus Sync() override;

    // A value already in storage before the test starts; not recorded as a Save.
    void Put(const std::string& app, const std::string& section, const std::string& key,
             const std::string& value);
    bool Contains(const std::string& app, const std::string& section, const std::string& key) const;
    // What a Sync has written, or nothing if the key never reached storage.
    std::optional<std::string> Stored(const std::string& app, const std::string& section,
                                      const std::string& key) const;

    void RefuseSyncs(std::string reason = "the storage refused the write") { refusal_ = std::move(reason); }
    void AcceptSyncs() { refusal_.reset(); }

    const std::vector<SaveCall>& SaveCalls() const { return saves_; }
    void ClearSaveCalls() { saves_.clear(); }
    int SyncCount() const { return syncs_; }
    const std::string& Location() const { return location_; }

private:
    using Key = std::tuple<std::string, std::string, std::string>;
    std::map<Key, std::string> values_;  // what Get sees: storage plus pending saves
    std::map<Key, std::string> stored_;
    std::vector<SaveCall> saves_;
    std::optional<std::string> refusal_;
    int syncs_ = 0;
    std::string location_ = "memory";
};

}  // namespace keno
