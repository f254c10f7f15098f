# One save and one read of a player record over a given (large) settings file (records_file.sh).
add_executable(records_save ${PROJECT_SOURCE_DIR}/bench/records_save.cpp)
target_include_directories(records_save PRIVATE ${PROJECT_SOURCE_DIR})
target_link_libraries(records_save PRIVATE keno_settings_qt)
set_target_properties(records_save PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${PROJECT_BINARY_DIR}/bench)
