# The command line: what each form of it asks for, and the real program answering without a display.
keno_gtest(test_shell_command_line LABEL unit
  SOURCES CommandLineTest.cpp
  LINK keno_cli)
add_test(NAME test_shell_command_line_e2e
  COMMAND ${CMAKE_CURRENT_SOURCE_DIR}/AppCommandLine.sh $<TARGET_FILE:keno22> ${PROJECT_VERSION})
set_tests_properties(test_shell_command_line_e2e PROPERTIES LABELS ui TIMEOUT 60)
