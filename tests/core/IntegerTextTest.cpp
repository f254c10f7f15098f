#include "core/IntegerText.h"

#include <gtest/gtest.h>

#include <optional>

namespace {

using keno::IntegerFromText;
using keno::TextFromInteger;

struct Row {
    const char* text;
    std::optional<std::int64_t> expected;
};

template <typename T>
void CheckRows(std::initializer_list<Row> rows) {
    for (const Row& row : rows) {
        SCOPED_TRACE(std::string("text \"") + row.text + "\"");
        const std::optional<T> got = IntegerFromText<T>(row.text);
        ASSERT_EQ(got.has_value(), row.expected.has_value());
        if (got) {
            EXPECT_EQ(static_cast<std::int64_t>(*got), *row.expected);
        }
    }
}

TEST(IntegerText, PlainFormsBlanksAndSigns) {
    CheckRows<std::int32_t>({
        {"0", 0}, {"42", 42}, {" 42 ", 42}, {"\t42\r\n", 42}, {"+7", 7}, {"-7", -7}, {"-0", 0},
        {"007", 7}, {"12.", 12}, {".5", 0}, {"0.0", 0},
    });
}

TEST(IntegerText, FractionsRoundToNearestAndHalvesToEven) {
    CheckRows<std::int32_t>({
        {"12.5", 12}, {"13.5", 14}, {"-2.5", -2}, {"-3.5", -4}, {"0.5", 0}, {"1.5", 2},
        {"12.4999999999999999999999", 12}, {"12.5000000000000000000001", 13},
        {"-12.51", -13}, {"2.49", 2}, {"0.05", 0}, {"99.9", 100},
    });
}

TEST(IntegerText, ExponentsAreExactDecimal) {
    CheckRows<std::int32_t>({
        {"1e3", 1000}, {"1E+3", 1000}, {"2.5e1", 25}, {"125e-1", 12}, {"135E-1", 14},
        {"1e-400", 0}, {"0e99999999999999", 0}, {"5e-1", 0}, {"1e10", std::nullopt},
        {"1e99999999999999", std::nullopt},
    });
}

TEST(IntegerText, RefusesWhatIsNotADecimalNumber) {
    CheckRows<std::int32_t>({
        {"", std::nullopt}, {"   ", std::nullopt}, {"abc", std::nullopt}, {"12abc", std::nullopt},
        {"0x10", std::nullopt}, {"&H10", std::nullopt}, {"1,5", std::nullopt}, {"1 000", std::nullopt},
        {"- 3", std::nullopt}, {"--3", std::nullopt}, {"+-3", std::nullopt}, {"+", std::nullopt},
        {".", std::nullopt}, {"1e", std::nullopt}, {"e3", std::nullopt}, {"1.2.3", std::nullopt},
        {"inf", std::nullopt}, {"nan", std::nullopt}, {"@Variant(\\0\\0\\0\\x2\\0\\0\\0\\x5)", std::nullopt},
        {"\xc2\xa0" "5", std::nullopt},
    });
}

TEST(IntegerText, SixteenBitLimits) {
    CheckRows<std::int16_t>({
        {"32767", 32767}, {"32768", std::nullopt}, {"-32768", -32768}, {"-32769", std::nullopt},
        {"32767.4", 32767}, {"32767.5", std::nullopt}, {"-32768.5", -32768}, {"-32768.6", std::nullopt},
        {"3.2767e4", 32767}, {"99999999999999999999999", std::nullopt},
    });
}

TEST(IntegerText, ThirtyTwoBitLimits) {
    CheckRows<std::int32_t>({
        {"2147483647", 2147483647}, {"2147483648", std::nullopt}, {"-2147483648", -2147483647 - 1},
        {"-2147483649", std::nullopt}, {"2147483646.5", 2147483646}, {"2147483647.5", std::nullopt},
        {"-2147483648.5", -2147483647 - 1}, {"0002147483647", 2147483647},
    });
}

TEST(IntegerText, WritesShortestDecimalAndReadsItBack) {
    for (const auto& [value, text] : {std::pair{std::int64_t{0}, "0"}, {20, "20"}, {-5, "-5"},
                                      {INT32_MIN, "-2147483648"}, {INT64_MAX, "9223372036854775807"}}) {
        EXPECT_EQ(TextFromInteger(value), text);
        EXPECT_EQ(IntegerFromText<std::int64_t>(text), value);
    }
}

}  // namespace
