#include "tools/SoundImages.h"

#include "tools/EmbeddedSounds.h"

namespace keno {

std::string SoundResourceName(int cue) { return "RESOURCE_ID_" + std::to_string(cue); }

std::span<const unsigned char> SoundImage(std::string_view resourceName) {
    for (const auto& sound : EmbeddedSounds()) {
        if (resourceName == sound.name) return sound.image;
    }
    return {};
}

std::span<const unsigned char> SoundImage(int cue) { return SoundImage(SoundResourceName(cue)); }

}  // namespace keno
