# The island with its real views on an X server with a compositor: the
# screenshots of the compact island and the expanded panel (a test), and the
# CPU measurement of the compact island, which measure-island-cpu.sh runs by
# hand (a minute per figure, and the figures depend on the machine).
add_executable(IslandViewsDriver ${CMAKE_CURRENT_LIST_DIR}/IslandViewsDriver.cpp)
target_link_libraries(IslandViewsDriver PRIVATE XvfbDriving)
waylark_warnings(IslandViewsDriver)
add_test(NAME WaylarkKit.Xvfb.IslandViews
  COMMAND ${PROJECT_SOURCE_DIR}/IslandKit/tests/xvfb/run-under-xvfb.sh $<TARGET_FILE:IslandViewsDriver>
          screenshots ${CMAKE_CURRENT_BINARY_DIR}/screenshots)
# As for the island's checks: strict string checks trip inside libxkbcommon at start-up.
set_tests_properties(WaylarkKit.Xvfb.IslandViews PROPERTIES
  TIMEOUT 180
  RUN_SERIAL TRUE
  ENVIRONMENT "ASAN_OPTIONS=detect_leaks=1:abort_on_error=1:strict_string_checks=0")
