# UI-thread helpers and the machine shell, part of the one UI library.
target_sources(keno_ui PRIVATE
  PacedRunner.cpp QtMessenger.cpp SignalBridge.cpp
  KenoApp.cpp KenoAppScreens.cpp KenoAppFirstFrame.cpp SystemClock.cpp MODchangeResSwitch.cpp SingleInstance.cpp)
target_link_libraries(keno_ui PUBLIC keno_core
  keno_settings_qt keno_sound keno_display keno22_engine keno20_engine options_engine keno_board keno_widgets Qt6::Network)

add_executable(keno22 main.cpp)
target_link_libraries(keno22 PRIVATE keno_ui)
set_target_properties(keno22 PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${PROJECT_BINARY_DIR})
install(TARGETS keno22 RUNTIME DESTINATION bin)

include(${PROJECT_SOURCE_DIR}/bench/bench.cmake OPTIONAL)

# A windowing platform that fails while the application starts: a plain line, not an abort.
target_sources(keno_ui PRIVATE DisplayStart.cpp)
include(${PROJECT_SOURCE_DIR}/bench/records.cmake OPTIONAL)
