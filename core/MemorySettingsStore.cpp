#include "core/MemorySettingsStore.h"

namespace keno {

std::string MemorySettingsStore::Get(const std::string& app, const std::string& section,
                                     const std::string& key) {
    const auto it = values_.find({app, section, key});
    return it == values_.end() ? std::string() : it->second;
}

void MemorySettingsStore::Save(const std::string& app, const std::string& section, const std::string& key,
                               const std::string& value) {
    saves_.push_back({app, section, key, value});
    values_[{app, section, key}] = value;
}

StoreStatus MemorySettingsStore::Sync() {
    ++syncs_;
    if (refusal_) return {false, location_, *refusal_};
    stored_ = values_;
    return {true, location_, {}};
}

void MemorySettingsStore::Put(const std::string& app, const std::string& section, const std::string& key,
                              const std::string& value) {
    values_[{app, section, key}] = value;
    stored_[{app, section, key}] = value;
}

bool MemorySettingsStore::Contains(const std::string& app, const std::string& section,
                                   const std::string& key) const {
    return values_.contains({app, section, key});
}

std::optional<std::string> MemorySettingsStore::Stored(const std::string& app, const std::string& section,
                                                       const std::string& key) const {
    const auto it = stored_.find({app, section, key});
    if (it == stored_.end()) return std::nullopt;
    return it->second;
}

}  // namespace keno
