# MODchangeRes: quiet no-ops without a display; real size switches on Xorg's dummy driver.
keno_gtest(display_no_display_test LABEL display SOURCES DisplayModesNoDisplayTest.cpp LINK keno_display)

if(TARGET PkgConfig::XRANDR)
  keno_gtest(display_modes_test LABEL display TIMEOUT 180
    SOURCES DisplayModesTest.cpp DisplayDummyServer.cpp
    LINK keno_display PkgConfig::XRANDR)
  # Without a usable Xorg the cases skip; show that as a skip in CTest rather than a pass.
  set_tests_properties(display_modes_test PROPERTIES SKIP_REGULAR_EXPRESSION "\\[  SKIPPED \\]")
endif()
