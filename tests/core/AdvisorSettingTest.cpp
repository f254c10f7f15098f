#include <gtest/gtest.h>

#include "core/AdvisorSetting.h"
#include "core/MemorySettingsStore.h"

namespace keno {
namespace {

// What a stored text means; a file without the key (or the section) means on.
TEST(AdvisorSetting, OnlyAPlainOffTurnsTheAdviceOff) {
    struct Case {
        const char* stored;  // null: no key
        bool shown;
    };
    const Case cases[] = {{nullptr, true}, {"on", true},   {"", true},      {"1", true},   {"maybe", true},
                          {"off", false},  {" OFF ", false}, {"Off", false}, {"0", false}, {"false", false},
                          {"no", false},   {"offf", true}};
    for (const Case& c : cases) {
        MemorySettingsStore store;
        if (c.stored) store.Put("plinx", "advisor", "slot3", c.stored);
        EXPECT_EQ(AdvisorSetting(store).Shown(3), c.shown) << (c.stored ? c.stored : "<absent>");
    }
}

// One key per slot in the advisor's own section, never inside a player record; a slot outside
// 1..6 (none chosen) writes nothing and gets the advice.
TEST(AdvisorSetting, EachSlotHasItsOwnKeyInASectionOfItsOwn) {
    MemorySettingsStore store;
    AdvisorSetting advisor(store);
    advisor.Set(2, false);
    advisor.Set(5, true);
    advisor.Set(0, false);
    advisor.Set(7, false);
    EXPECT_EQ(store.SaveCalls(), (std::vector<MemorySettingsStore::SaveCall>{{"plinx", "advisor", "slot2", "off"},
                                                                           {"plinx", "advisor", "slot5", "on"}}));
    EXPECT_FALSE(advisor.Shown(2));
    EXPECT_TRUE(advisor.Shown(5));
    EXPECT_TRUE(advisor.Shown(1));
    EXPECT_TRUE(advisor.Shown(0));
    EXPECT_TRUE(advisor.Shown(7));
    advisor.Set(2, true);
    EXPECT_TRUE(advisor.Shown(2));
}

}  // namespace
}  // namespace keno
