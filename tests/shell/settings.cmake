keno_gtest(test_shell_settings LABEL unit
  SOURCES IniSettingsStoreTest.cpp
  LINK keno_settings_qt)
