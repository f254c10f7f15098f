// libFuzzer entry: any bytes as the settings file, read into the ledger for every slot.
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <string_view>

#include "tests/fuzz/SettingsFileProbe.h"

namespace {

// Kept for the whole run (never destroyed), so the exit handler that removes it can still name it.
const std::string& Folder() {
    static const std::string* folder = [] {
        auto* pattern = new std::string((std::filesystem::temp_directory_path() / "keno-fuzz-XXXXXX").string());
        if (!::mkdtemp(pattern->data())) std::abort();
        std::atexit([] { std::filesystem::remove_all(Folder()); });
        return pattern;
    }();
    return *folder;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const auto result = keno::fuzz::ProbeSettingsFile(bytes, Folder());
    if (!result.problems.empty()) {
        for (const auto& problem : result.problems) std::fprintf(stderr, "settings probe: %s\n", problem.c_str());
        std::abort();
    }
    return 0;
}
