#pragma once

namespace keno {

// The program's title as the machine shows it, and its version.
inline constexpr const char* kProgramTitle = "K E N O 22";
inline constexpr const char* kProgramVersion = "5.0";

}  // namespace keno
