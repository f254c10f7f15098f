#include <gtest/gtest.h>

#include "options/PlayerName.h"

namespace keno {
namespace {

TEST(PlayerName, LengthCountsCharactersNotBytes) {
    EXPECT_EQ(Utf8Length(""), 0u);
    EXPECT_EQ(Utf8Length("abc"), 3u);
    EXPECT_EQ(Utf8Length("zoë"), 3u);
    EXPECT_EQ(Utf8Length("日本"), 2u);
    EXPECT_EQ(Utf8Length("a😀b"), 3u);
    EXPECT_EQ(Utf8Length("\xFF\xFE"), 2u);  // stray bytes count one each
    EXPECT_EQ(Utf8Length("\xC3"), 1u);      // cut-off sequence
}

TEST(PlayerName, UpperCaseCoversCommonAlphabets) {
    const std::pair<const char*, const char*> cases[] = {
        {"alice 2", "ALICE 2"},   {"MiXeD", "MIXED"},     {"zoë", "ZOË"},       {"ÿ", "Ÿ"},
        {"çàéîõü", "ÇÀÉÎÕÜ"},     {"÷ß", "÷ß"},           {"łódź", "ŁÓDŹ"},     {"ıi", "II"},
        {"ňš", "ŇŠ"},             {"σοφός ήώ", "ΣΟΦΌΣ ΉΏ"},     {"пётр", "ПЁТР"},     {"日本", "日本"},
        {"a\xFF" "b", "A\xFF" "B"},
    };
    for (const auto& [name, upper] : cases) EXPECT_EQ(UpperCaseName(name), upper) << name;
}

}  // namespace
}  // namespace keno
