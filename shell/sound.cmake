# The sound bank: the embedded wave images played through SDL_mixer.
add_library(keno_sound STATIC SoundBank.cpp)
target_include_directories(keno_sound PUBLIC ${PROJECT_SOURCE_DIR})
target_link_libraries(keno_sound PUBLIC keno_core keno_sound_images PkgConfig::SDL2_MIXER)
