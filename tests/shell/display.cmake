# MODchangeRes: quiet no-ops without a display; real size switches on Xorg's dummy driver.
if(TARGET PkgConfig::XRANDR)
  keno_gtest(display_modes_test LABEL display TIMEOUT 180
    SOURCES DisplayModesTest.cpp
    LINK keno_display PkgConfig::XRANDR)
  target_compile_definitions(display_modes_test PRIVATE KENO_XORG_DUMMY_CONF="${CMAKE_CURRENT_SOURCE_DIR}/xorg-dummy.conf")
endif()
