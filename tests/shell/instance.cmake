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

# Every path to one settings file meets one guard: a linked folder, another runtime or temporary
# folder; a full or unusable runtime folder is no running copy; no lock at all starts with a warning.
add_test(NAME test_shell_one_copy_per_file
  COMMAND ${CMAKE_CURRENT_SOURCE_DIR}/AppOneCopyPerFile.sh $<TARGET_FILE:keno22>)
set_tests_properties(test_shell_one_copy_per_file PROPERTIES LABELS ui TIMEOUT 300 SKIP_RETURN_CODE 77)

# Any windowing platform that cannot start: the plain line and status 1.
add_test(NAME test_shell_no_platform COMMAND ${CMAKE_CURRENT_SOURCE_DIR}/AppNoDisplay.sh $<TARGET_FILE:keno22>)
set_tests_properties(test_shell_no_platform PROPERTIES LABELS ui TIMEOUT 120)

# A save on a full disk (a small tmpfs, as root) names the reason and keeps the old record.
add_test(NAME test_shell_full_disk COMMAND ${CMAKE_CURRENT_SOURCE_DIR}/AppFullDisk.sh $<TARGET_FILE:keno22>)
set_tests_properties(test_shell_full_disk PROPERTIES LABELS ui TIMEOUT 120 SKIP_RETURN_CODE 77)

# The options dialog closed under its own box through the accessibility tree, on Xorg's dummy
# driver: no crash, and the screen size restored at exit.
add_test(NAME test_shell_options_under_box
  COMMAND ${PROJECT_SOURCE_DIR}/tests/a11y/run_on_bus.sh ${CMAKE_CURRENT_SOURCE_DIR}/options_under_box.py
          $<TARGET_FILE:keno22> ${CMAKE_CURRENT_SOURCE_DIR}/xorg-dummy.conf)
set_tests_properties(test_shell_options_under_box PROPERTIES LABELS "display;a11y" TIMEOUT 180 SKIP_RETURN_CODE 77)
