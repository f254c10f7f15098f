# The machine shell: start-up, switching, every way out, signals (the screen size on Xorg's dummy
# driver when it can run).
keno_qtest(test_shell_app LABEL ui TIMEOUT 300
  SOURCES AppShellTest.cpp
  LINK keno_ui)
target_compile_definitions(test_shell_app PRIVATE KENO_XORG_DUMMY_CONF="${CMAKE_CURRENT_SOURCE_DIR}/xorg-dummy.conf")

# The real program under Xvfb, stopped by SIGTERM.
add_test(NAME test_shell_app_sigterm_e2e
  COMMAND ${CMAKE_CURRENT_SOURCE_DIR}/AppSigtermEndToEnd.sh $<TARGET_FILE:keno22>)
set_tests_properties(test_shell_app_sigterm_e2e PROPERTIES LABELS ui TIMEOUT 120 SKIP_RETURN_CODE 77)

# Where the windows meet: switching during a game, About over the options, caption, pay table,
# a player without a bet, presses inside press effects.
keno_qtest(test_machine_crossings LABEL ui TIMEOUT 300
  SOURCES CrossingsTest.cpp
  LINK keno_ui)

# Both game windows on an 800 x 600 screen, the size the options dialog switches to.
add_executable(test_screen_fit ScreenFitTest.cpp)
target_include_directories(test_screen_fit PRIVATE ${PROJECT_SOURCE_DIR})
target_link_libraries(test_screen_fit PRIVATE keno_ui Qt6::Test Qt6::Widgets)
set_target_properties(test_screen_fit PROPERTIES AUTOMOC ON)
add_test(NAME test_screen_fit_800x600
  COMMAND xvfb-run -a -s "-screen 0 800x600x24" $<TARGET_FILE:test_screen_fit> -platform xcb)
set_tests_properties(test_screen_fit_800x600 PROPERTIES LABELS ui TIMEOUT 120
  ENVIRONMENT "SDL_AUDIODRIVER=dummy;QT_QPA_PLATFORM=xcb")
