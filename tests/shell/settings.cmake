keno_gtest(test_shell_settings LABEL unit
  SOURCES IniSettingsStoreTest.cpp
  LINK keno_settings_qt)
# Records edited into the INI text in place, against QSettings as the judge.
keno_gtest(test_ini_text LABEL unit
  SOURCES IniTextTest.cpp
  LINK keno_settings_qt)
