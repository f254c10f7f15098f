#pragma once
// The wave images built into the program, read straight from its read-only data.
#include <span>
#include <string>
#include <string_view>

namespace keno {

// "RESOURCE_ID_" followed by the cue number.
std::string SoundResourceName(int cue);

// The complete RIFF wave image of a resource; empty when the program carries none (115, 116).
std::span<const unsigned char> SoundImage(std::string_view resourceName);
std::span<const unsigned char> SoundImage(int cue);

}  // namespace keno
