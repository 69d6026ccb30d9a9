# The timeline tab in a real window on an X server: its screenshot and the
# profile menu's handling of a click outside it.
add_executable(TimelineTabScreenChecks ${CMAKE_CURRENT_LIST_DIR}/TimelineTabScreenChecks.cpp)
target_link_libraries(TimelineTabScreenChecks PRIVATE XvfbDriving)
waylark_warnings(TimelineTabScreenChecks)
add_test(NAME WaylarkKit.Xvfb.TimelineTab
  COMMAND ${PROJECT_SOURCE_DIR}/IslandKit/tests/xvfb/run-under-xvfb.sh $<TARGET_FILE:TimelineTabScreenChecks>
          ${CMAKE_CURRENT_BINARY_DIR}/screenshots)
# As for the island's checks: strict string checks trip inside libxkbcommon at start-up.
set_tests_properties(WaylarkKit.Xvfb.TimelineTab PROPERTIES
  TIMEOUT 180
  RUN_SERIAL TRUE
  ENVIRONMENT "ASAN_OPTIONS=detect_leaks=1:abort_on_error=1:strict_string_checks=0")
