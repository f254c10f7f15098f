add_executable(keno22 main.cpp)
set_target_properties(keno22 PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${PROJECT_BINARY_DIR})
