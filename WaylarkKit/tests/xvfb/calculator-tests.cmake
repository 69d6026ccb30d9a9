# The calculator's real windows on an X server: typing, clicks and screenshots.
add_executable(CalculatorScreenshots ${CMAKE_CURRENT_LIST_DIR}/CalculatorScreenshots.cpp)
target_link_libraries(CalculatorScreenshots PRIVATE XvfbDriving)
waylark_warnings(CalculatorScreenshots)
add_test(NAME WaylarkKit.Xvfb.CalculatorScreenshots
  COMMAND ${PROJECT_SOURCE_DIR}/IslandKit/tests/xvfb/run-under-xvfb.sh $<TARGET_FILE:CalculatorScreenshots>
          ${CMAKE_CURRENT_BINARY_DIR}/screenshots)
# libxkbcommon hands strndup a string without a terminator inside Qt's X11 start-up.
set_tests_properties(WaylarkKit.Xvfb.CalculatorScreenshots PROPERTIES
  TIMEOUT 180
  RUN_SERIAL TRUE
  ENVIRONMENT "ASAN_OPTIONS=detect_leaks=1:abort_on_error=1:strict_string_checks=0")
