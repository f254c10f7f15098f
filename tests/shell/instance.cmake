# Two copies of the real program over one settings file.
add_test(NAME test_shell_second_copy
  COMMAND ${CMAKE_CURRENT_SOURCE_DIR}/AppSecondCopy.sh $<TARGET_FILE:keno22>)
set_tests_properties(test_shell_second_copy PROPERTIES LABELS ui TIMEOUT 120 SKIP_RETURN_CODE 77)

# No display at all: a plain message and status 1, never Qt's abort.
add_test(NAME test_shell_no_display
  COMMAND sh -c "out=$(env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM \"$0\" 2>&1); rc=$?; echo \"$out\"; [ $rc -eq 1 ] && echo \"$out\" | grep -q 'no display'"
          $<TARGET_FILE:keno22>)
set_tests_properties(test_shell_no_display PROPERTIES LABELS ui TIMEOUT 30)

# kill -9 between games, then a normal start.
add_test(NAME test_shell_killed COMMAND ${CMAKE_CURRENT_SOURCE_DIR}/AppKilled.sh $<TARGET_FILE:keno22>)
set_tests_properties(test_shell_killed PROPERTIES LABELS ui TIMEOUT 120 SKIP_RETURN_CODE 77)
