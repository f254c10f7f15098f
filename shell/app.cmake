# UI-thread helpers and the machine shell, part of the one UI library.
target_sources(keno_ui PRIVATE PacedRunner.cpp QtMessenger.cpp SignalBridge.cpp)
target_link_libraries(keno_ui PUBLIC keno_core)

add_executable(keno22 main.cpp)
set_target_properties(keno22 PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${PROJECT_BINARY_DIR})
