# What every driver of real windows on an X server shares, with the leak
# checker's list of the font and display libraries' lifelong caches.
add_library(XvfbDriving OBJECT ${CMAKE_CURRENT_LIST_DIR}/support/XvfbDriving.cpp
  ${PROJECT_SOURCE_DIR}/IslandKit/tests/support/LeakSuppressions.cpp)
target_link_libraries(XvfbDriving PUBLIC WaylarkKit IslandWindowDriving)
waylark_warnings(XvfbDriving)

# The mascot in real windows on a private X server: a screenshot of every pose
# at twice the pixel ratio (a test), and the CPU measurement of the breathing
# session pose, which measure-mascot-cpu.sh runs by hand (not a test: it takes
# a minute and its figure depends on the machine).
add_executable(MascotDriver ${CMAKE_CURRENT_LIST_DIR}/MascotDriver.cpp)
target_link_libraries(MascotDriver PRIVATE XvfbDriving)
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
