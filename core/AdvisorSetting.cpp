#include "core/AdvisorSetting.h"

#include <algorithm>
#include <cctype>
#include <string>

namespace keno {
namespace {

constexpr const char* kApplication = "plinx";

bool IsSlot(int slot) { return slot >= 1 && slot <= 6; }

std::string KeyOf(int slot) { return "slot" + std::to_string(slot); }

// "off" in any case, blanks around it allowed; "0", "false" and "no" as a hand-editor might write it.
bool SaysOff(std::string text) {
    const auto blank = [](unsigned char c) { return std::isspace(c) != 0; };
    text.erase(text.begin(), std::find_if_not(text.begin(), text.end(), blank));
    text.erase(std::find_if_not(text.rbegin(), text.rend(), blank).base(), text.end());
    std::transform(text.begin(), text.end(), text.begin(), [](unsigned char c) { return std::tolower(c); });
    return text == "off" || text == "0" || text == "false" || text == "no";
}

}  // namespace

bool AdvisorSetting::Shown(int slot) {
    if (!IsSlot(slot)) return true;
    return !SaysOff(store_.Get(kApplication, kSection, KeyOf(slot)));
}

void AdvisorSetting::Set(int slot, bool shown) {
    if (!IsSlot(slot)) return;
    store_.Save(kApplication, kSection, KeyOf(slot), shown ? "on" : "off");
}

}  // namespace keno
