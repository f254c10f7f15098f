# The generated wave images and the sound bank (through SDL's disk audio driver).
keno_gtest(test_sound_images LABEL sound
  SOURCES SoundImagesTest.cpp
  LINK keno_sound_images)

keno_gtest(test_sound_bank LABEL sound TIMEOUT 60
  SOURCES SoundBankTest.cpp
  LINK keno_sound)

# The bank's device life (deferred start, closing after silence) and its wave reader.
keno_gtest(test_sound_device LABEL sound TIMEOUT 60
  SOURCES SoundDeviceTest.cpp
  LINK keno_sound)

# The program starts without SDL: the bank loads it when it opens, and SDL2_mixer not at all.
add_test(NAME sound_program_starts_without_sdl
  COMMAND sh -c "readelf -d \"$1\" | grep -q NEEDED && ! readelf -d \"$1\" | grep NEEDED | grep -qi sdl" sh $<TARGET_FILE:keno22>)
set_tests_properties(sound_program_starts_without_sdl PROPERTIES LABELS sound)
