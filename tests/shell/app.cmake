# The machine shell: start-up, switching, every way out, signals.
keno_qtest(test_shell_app LABEL ui TIMEOUT 240
  SOURCES AppShellTest.cpp
  LINK keno_ui)
keno_qtest(test_shell_app_sigterm LABEL ui TIMEOUT 240
  SOURCES AppSigtermTest.cpp
  LINK keno_ui)

if(TARGET PkgConfig::XRANDR)
  keno_qtest(test_shell_app_sigterm_display LABEL ui TIMEOUT 180
    SOURCES AppSigtermDisplayTest.cpp DisplayDummyServer.cpp
    LINK keno_ui)
  # Without a usable Xorg the case skips; show that as a skip in CTest rather than a pass.
  set_tests_properties(test_shell_app_sigterm_display PROPERTIES SKIP_REGULAR_EXPRESSION "SKIP   :")
endif()

# The real program under Xvfb, stopped by SIGTERM.
add_test(NAME test_shell_app_sigterm_e2e
  COMMAND ${CMAKE_CURRENT_SOURCE_DIR}/AppSigtermEndToEnd.sh $<TARGET_FILE:keno22>)
set_tests_properties(test_shell_app_sigterm_e2e PROPERTIES LABELS ui TIMEOUT 120 SKIP_RETURN_CODE 77)
