#pragma once
#include <string>

namespace keno {

// Outcome of pushing saved values to permanent storage.
struct StoreStatus {
    bool ok = true;
    std::string location;  // where the values live (a file path for the INI store)
    std::string reason;    // why they could not be written, when !ok
};

// Per-user text values by application, section and key. Absent values read as empty text.
class SettingsStore {
public:
    virtual ~SettingsStore() = default;
    virtual std::string Get(const std::string& app, const std::string& section, const std::string& key) = 0;
    virtual void Save(const std::string& app, const std::string& section, const std::string& key,
                      const std::string& value) = 0;
    // Writes pending values out and reports whether they reached storage.
    virtual StoreStatus Sync() = 0;
};

}  // namespace keno
