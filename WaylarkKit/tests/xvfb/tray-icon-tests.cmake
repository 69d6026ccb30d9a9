# The status item's icon docked in trayer on an X server, on a light panel and
# a dark one, with the screenshots tray-light.png and tray-dark.png. The driver
# starts each tray itself, so it runs where no other tray holds the screen.
add_executable(TrayIconScreens ${CMAKE_CURRENT_LIST_DIR}/TrayIconScreens.cpp)
target_link_libraries(TrayIconScreens PRIVATE XvfbDriving)
waylark_warnings(TrayIconScreens)
add_test(NAME WaylarkKit.Xvfb.TrayIconScreens
  COMMAND ${PROJECT_SOURCE_DIR}/IslandKit/tests/xvfb/run-under-xvfb.sh $<TARGET_FILE:TrayIconScreens>
          ${CMAKE_CURRENT_BINARY_DIR}/screenshots)
# libxkbcommon hands strndup a string without a terminator inside Qt's X11 start-up.
set_tests_properties(WaylarkKit.Xvfb.TrayIconScreens PROPERTIES
  TIMEOUT 120
  RUN_SERIAL TRUE
  ENVIRONMENT "QT_QPA_PLATFORM=xcb;ASAN_OPTIONS=detect_leaks=1:abort_on_error=1:strict_string_checks=0")
