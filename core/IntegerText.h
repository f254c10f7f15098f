#pragma once
#include <concepts>
#include <cstdint>
#include <limits>
#include <optional>
#include <string>
#include <string_view>

namespace keno {

// Reads a stored number back into an integer of [min, max]. Accepted, in the C locale only:
//   - surrounding ASCII white space (blanks, tabs, line ends);
//   - an optional "+" or "-" directly before the digits ("+7", "-3"; not "- 3", not "--3");
//   - decimal digits with an optional fraction after a "." ("12", "12.", ".5", "007");
//   - an optional decimal exponent ("1e3", "2.5E+2", "125e-1"), since that is still plain decimal;
//   - a fraction rounds to the nearest integer, halves to the even neighbour (12.5 -> 12,
//     13.5 -> 14, -2.5 -> -2), exactly, whatever the number of digits.
// Refused (no value, so the caller keeps what it had): empty or blank text, hexadecimal ("0x10",
// "&H10"), a decimal comma ("1,5"), digit grouping ("1 000"), "inf"/"nan", trailing letters ("12abc"),
// and any value that after rounding lies outside [min, max].
std::optional<std::int64_t> IntegerFromTextInRange(std::string_view text, std::int64_t min,
                                                   std::int64_t max);

template <std::signed_integral T>
std::optional<T> IntegerFromText(std::string_view text) {
    const auto value = IntegerFromTextInRange(text, std::numeric_limits<T>::min(),
                                              std::numeric_limits<T>::max());
    if (!value) return std::nullopt;
    return static_cast<T>(*value);
}

// The shortest decimal form: "-" for negatives only, no leading zeros or blanks, 0 as "0".
std::string TextFromInteger(std::int64_t value);

}  // namespace keno
