# The checklist tab and editor in real windows on an X server with a
# compositor: clicks, typing and a real hold through xdotool, and the
# screenshots in docs/screenshots.
find_package(Qt6 REQUIRED COMPONENTS Test)
add_executable(ChecklistScreens ${CMAKE_CURRENT_LIST_DIR}/ChecklistScreens.cpp)
target_link_libraries(ChecklistScreens PRIVATE XvfbDriving Qt6::Test)
waylark_warnings(ChecklistScreens)
add_test(NAME WaylarkKit.Xvfb.ChecklistScreens
  COMMAND ${PROJECT_SOURCE_DIR}/IslandKit/tests/xvfb/run-under-xvfb.sh $<TARGET_FILE:ChecklistScreens>
          ${CMAKE_CURRENT_BINARY_DIR}/screenshots)
# As for the island's screen checks: libxkbcommon trips strict string checks
# inside Qt's X11 start-up; every other check stays on.
set_tests_properties(WaylarkKit.Xvfb.ChecklistScreens PROPERTIES
  TIMEOUT 180
  RUN_SERIAL TRUE
  ENVIRONMENT "ASAN_OPTIONS=detect_leaks=1:abort_on_error=1:strict_string_checks=0")
