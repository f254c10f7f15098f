# UI-thread helpers shared by the windows: paced runner, message boxes, signal bridge.
add_library(keno_shell_qt STATIC PacedRunner.cpp QtMessenger.cpp SignalBridge.cpp)
target_include_directories(keno_shell_qt PUBLIC ${PROJECT_SOURCE_DIR})
target_link_libraries(keno_shell_qt PUBLIC keno_core Qt6::Widgets)
set_target_properties(keno_shell_qt PROPERTIES AUTOMOC ON)

add_executable(keno22 main.cpp)
set_target_properties(keno22 PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${PROJECT_BINARY_DIR})
