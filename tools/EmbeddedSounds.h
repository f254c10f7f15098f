#pragma once
// The table that keno_soundgen generates: one RIFF wave image per sound resource.
#include <span>

namespace keno {

struct EmbeddedSound {
    const char* name;  // resource name, "RESOURCE_ID_" + cue
    int cue;
    std::span<const unsigned char> image;
};

std::span<const EmbeddedSound> EmbeddedSounds();

}  // namespace keno
