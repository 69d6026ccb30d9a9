# The mascot in real windows on a private X server: a screenshot of every pose
# at twice the pixel ratio (a test), and the CPU measurement of the breathing
# session pose, which measure-mascot-cpu.sh runs by hand (not a test: it takes
# a minute and its figure depends on the machine).
add_executable(MascotDriver ${CMAKE_CURRENT_LIST_DIR}/MascotDriver.cpp
  ${PROJECT_SOURCE_DIR}/IslandKit/tests/support/LeakSuppressions.cpp)
target_link_libraries(MascotDriver PRIVATE WaylarkKit)
waylark_warnings(MascotDriver)
add_test(NAME WaylarkKit.Xvfb.MascotPoses
  COMMAND ${PROJECT_SOURCE_DIR}/IslandKit/tests/xvfb/run-under-xvfb.sh $<TARGET_FILE:MascotDriver>
          screenshot ${CMAKE_CURRENT_BINARY_DIR}/screenshots/mascot-poses.png)
# libxkbcommon hands strndup a string without a terminator, which strict
# string checks report inside Qt's X11 start-up; every other check stays on.
set_tests_properties(WaylarkKit.Xvfb.MascotPoses PROPERTIES
  TIMEOUT 120
  RUN_SERIAL TRUE
  ENVIRONMENT "QT_QPA_PLATFORM=xcb;QT_SCALE_FACTOR=2;ASAN_OPTIONS=detect_leaks=1:abort_on_error=1:strict_string_checks=0")
