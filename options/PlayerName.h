#pragma once
#include <cstddef>
#include <string>
#include <string_view>

namespace keno {

// Longest name the options dialog accepts, in characters.
inline constexpr std::size_t kMaxPlayerNameLength = 12;

// Characters (code points) of UTF-8 text; a stray byte counts as one character.
std::size_t Utf8Length(std::string_view text);

// The name as the windows display it: upper case. Covers ASCII, Latin-1, Latin Extended-A, basic
// Greek and Cyrillic; other characters pass unchanged.
std::string UpperCaseName(std::string_view name);

}  // namespace keno
