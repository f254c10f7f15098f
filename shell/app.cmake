# The machine shell: start-up, window switching, shut-down, and the GameHost the windows see. The
# top of the layering: it links every window library; none of them links it.
add_library(keno_ui STATIC)
target_include_directories(keno_ui PUBLIC ${PROJECT_SOURCE_DIR})
set_target_properties(keno_ui PROPERTIES AUTOMOC ON)
target_sources(keno_ui PRIVATE
  SignalBridge.cpp
  KenoApp.cpp KenoAppScreens.cpp KenoAppFirstFrame.cpp SystemClock.cpp MODchangeResSwitch.cpp SingleInstance.cpp)
target_link_libraries(keno_ui PUBLIC keno_core
  keno_settings_qt keno_sound keno_display keno22_window keno20_window keno_options_ui keno_info_ui keno_history_ui
  keno_odds_feature keno_recall_ui keno_autoplay_ui keno_charts_ui
  keno_host keno_game_window keno_widgets Qt6::Widgets)

add_executable(keno22 main.cpp)
target_link_libraries(keno22 PRIVATE keno_ui)
set_target_properties(keno22 PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${PROJECT_BINARY_DIR})
install(TARGETS keno22 RUNTIME DESTINATION games)

include(${PROJECT_SOURCE_DIR}/bench/bench.cmake OPTIONAL)

# A windowing platform that fails while the application starts: a plain line, not an abort.
target_sources(keno_ui PRIVATE DisplayStart.cpp)
include(${PROJECT_SOURCE_DIR}/bench/records.cmake OPTIONAL)
