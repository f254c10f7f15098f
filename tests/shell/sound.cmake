# The generated wave images and the sound bank (through SDL's disk audio driver).
keno_gtest(test_sound_images LABEL sound
  SOURCES SoundImagesTest.cpp
  LINK keno_sound_images)

keno_gtest(test_sound_bank LABEL sound TIMEOUT 60
  SOURCES SoundBankTest.cpp
  LINK keno_sound)
