# Two copies of the real program over one settings file.
add_test(NAME test_shell_second_copy
  COMMAND ${CMAKE_CURRENT_SOURCE_DIR}/AppSecondCopy.sh $<TARGET_FILE:keno22>)
set_tests_properties(test_shell_second_copy PROPERTIES LABELS ui TIMEOUT 120 SKIP_RETURN_CODE 77)
