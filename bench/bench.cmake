# Bench programs (not tests: nothing here is registered with CTest). Included from the shell.
add_executable(minimal_window
  ${PROJECT_SOURCE_DIR}/bench/minimal_window.cpp
  ${PROJECT_SOURCE_DIR}/shell/KenoAppFirstFrame.cpp)
target_include_directories(minimal_window PRIVATE ${PROJECT_SOURCE_DIR})
target_link_libraries(minimal_window PRIVATE Qt6::Widgets)
set_target_properties(minimal_window PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${PROJECT_BINARY_DIR}/bench)

# Sound-cue latency through SDL's disk driver.
add_executable(sound_latency ${PROJECT_SOURCE_DIR}/bench/sound_latency.cpp)
target_include_directories(sound_latency PRIVATE ${PROJECT_SOURCE_DIR})
target_link_libraries(sound_latency PRIVATE keno_sound)
set_target_properties(sound_latency PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${PROJECT_BINARY_DIR}/bench)

# Settle-at-once games per second of the 22-ball engine, seeded and with the real reseed.
add_executable(settle_rate ${PROJECT_SOURCE_DIR}/bench/settle_rate.cpp)
target_link_libraries(settle_rate PRIVATE keno22_engine)
set_target_properties(settle_rate PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${PROJECT_BINARY_DIR}/bench)

# Memory over thousands of games on each real game window (bench/memory_soak.sh builds and runs it).
add_executable(bench_memory_soak EXCLUDE_FROM_ALL ${PROJECT_SOURCE_DIR}/bench/memory_soak.cpp)
target_link_libraries(bench_memory_soak PRIVATE keno_ui)
set_target_properties(bench_memory_soak PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${PROJECT_BINARY_DIR}/bench)
