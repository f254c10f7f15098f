# The settings store of the player ledger as a per-user INI file.
add_library(keno_settings_qt STATIC IniSettingsStore.cpp IniSettingsStore.h IniText.cpp IniText.h)
target_include_directories(keno_settings_qt PUBLIC ${PROJECT_SOURCE_DIR})
target_link_libraries(keno_settings_qt PUBLIC keno_core Qt6::Core)
