#include "core/IntegerText.h"

#include <algorithm>

namespace keno {
namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\f' || c == '\v'; }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }

std::string_view Trimmed(std::string_view text) {
    while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
    while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
    return text;
}

// Far beyond any digit count we could hold; keeps "1e99999999999" from overflowing the exponent.
constexpr std::int64_t kExponentCap = 100000;

struct Decimal {
    bool negative = false;
    std::string digits;        // all significant digits, fraction included
    std::int64_t point = 0;    // digits before the decimal point (may be negative or past the end)
};

std::optional<Decimal> ParseDecimal(std::string_view text) {
    Decimal d;
    std::size_t i = 0;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) d.negative = text[i++] == '-';
    std::size_t whole = 0;
    while (i < text.size() && IsDigit(text[i])) d.digits += text[i++], ++whole;
    std::size_t fraction = 0;
    if (i < text.size() && text[i] == '.') {
        ++i;
        while (i < text.size() && IsDigit(text[i])) d.digits += text[i++], ++fraction;
    }
    if (whole + fraction == 0) return std::nullopt;
    std::int64_t exponent = 0;
    if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
        ++i;
        bool negativeExponent = false;
        if (i < text.size() && (text[i] == '+' || text[i] == '-')) negativeExponent = text[i++] == '-';
        if (i == text.size() || !IsDigit(text[i])) return std::nullopt;
        while (i < text.size() && IsDigit(text[i])) {
            exponent = std::min(exponent * 10 + (text[i++] - '0'), kExponentCap);
        }
        if (negativeExponent) exponent = -exponent;
    }
    if (i != text.size()) return std::nullopt;
    d.point = static_cast<std::int64_t>(whole) + exponent;
    return d;
}

}  // namespace

std::optional<std::int64_t> IntegerFromTextInRange(std::string_view text, std::int64_t min,
                                                   std::int64_t max) {
    auto parsed = ParseDecimal(Trimmed(text));
    if (!parsed) return std::nullopt;
    Decimal& d = *parsed;

    const auto lead = d.digits.find_first_not_of('0');
    std::uint64_t magnitude = 0;
    if (lead != std::string::npos) {
        d.digits.erase(0, lead);
        d.point -= static_cast<std::int64_t>(lead);
        // The first digit is not zero, so 20 or more whole digits exceed every 64-bit value.
        if (d.point > 19) return std::nullopt;
        const auto size = static_cast<std::int64_t>(d.digits.size());
        for (std::int64_t k = 0; k < d.point; ++k) {
            magnitude = magnitude * 10 + (k < size ? static_cast<std::uint64_t>(d.digits[k] - '0') : 0);
        }
        if (d.point >= 0 && d.point < size) {
            const char first = d.digits[static_cast<std::size_t>(d.point)];
            const bool moreAfterFirst =
                d.digits.find_first_not_of('0', static_cast<std::size_t>(d.point) + 1) != std::string::npos;
            const bool roundUp = first > '5' || (first == '5' && (moreAfterFirst || magnitude % 2 == 1));
            if (roundUp) ++magnitude;  // at most 10^19, still within 64 unsigned bits
        }
        // d.point < 0: the fraction starts with a zero, so it is below one half.
    }

    if (!d.negative || magnitude == 0) {
        if (max < 0 || magnitude > static_cast<std::uint64_t>(max)) return std::nullopt;
        const auto value = static_cast<std::int64_t>(magnitude);
        if (value < min) return std::nullopt;
        return value;
    }
    if (min >= 0) return std::nullopt;
    // -(min + 1) + 1 avoids negating the most negative value.
    const std::uint64_t limit = static_cast<std::uint64_t>(-(min + 1)) + 1;
    if (magnitude > limit) return std::nullopt;
    const std::int64_t value = -static_cast<std::int64_t>(magnitude - 1) - 1;
    if (value > max) return std::nullopt;
    return value;
}

std::string TextFromInteger(std::int64_t value) { return std::to_string(value); }

}  // namespace keno
