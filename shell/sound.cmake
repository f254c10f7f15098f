# The sound bank: the embedded wave images played through SDL. The bank loads SDL itself when it
# opens, so only SDL's headers are needed here and the program starts without SDL's libraries.
find_package(Threads REQUIRED)
add_library(keno_sound STATIC SoundBank.cpp WaveImage.cpp)
target_include_directories(keno_sound PUBLIC ${PROJECT_SOURCE_DIR})
target_include_directories(keno_sound PRIVATE $<TARGET_PROPERTY:PkgConfig::SDL2,INTERFACE_INCLUDE_DIRECTORIES>)
target_link_libraries(keno_sound PUBLIC keno_core keno_sound_images Threads::Threads ${CMAKE_DL_LIBS})
