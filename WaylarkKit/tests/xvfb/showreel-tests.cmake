# The showreel's backdrop in real windows on an X server: covering, parking the
# pointer and letting a real click through to the window below.
add_executable(ShowreelBackdropCheck ${CMAKE_CURRENT_LIST_DIR}/ShowreelBackdropCheck.cpp)
target_link_libraries(ShowreelBackdropCheck PRIVATE XvfbDriving)
waylark_warnings(ShowreelBackdropCheck)
add_test(NAME WaylarkKit.Xvfb.ShowreelBackdrop
  COMMAND ${PROJECT_SOURCE_DIR}/IslandKit/tests/xvfb/run-under-xvfb.sh $<TARGET_FILE:ShowreelBackdropCheck>
          ${CMAKE_CURRENT_BINARY_DIR}/screenshots/showreel-backdrop.png)
# libxkbcommon hands strndup a string without a terminator inside Qt's X11 start-up.
set_tests_properties(WaylarkKit.Xvfb.ShowreelBackdrop PROPERTIES
  TIMEOUT 120
  RUN_SERIAL TRUE
  ENVIRONMENT "QT_QPA_PLATFORM=xcb;ASAN_OPTIONS=detect_leaks=1:abort_on_error=1:strict_string_checks=0")

# The whole reel in the real program, for its full length (about four
# minutes): labelled long, so only `scripts/test --long` runs it.
if(NOT WAYLARK_COMPONENTS OR "WaylarkApp" IN_LIST WAYLARK_COMPONENTS)
  add_test(NAME WaylarkKit.Xvfb.ShowreelRealRun
    COMMAND ${PROJECT_SOURCE_DIR}/IslandKit/tests/xvfb/run-under-xvfb.sh
            ${CMAKE_CURRENT_LIST_DIR}/showreel-real-run.py $<TARGET_FILE:WaylarkApp>
            ${CMAKE_CURRENT_BINARY_DIR}/screenshots)
  # The program carries no leak suppressions of its own; the libraries'
  # lifelong caches are named in the running application's file.
  set_tests_properties(WaylarkKit.Xvfb.ShowreelRealRun PROPERTIES
    LABELS long
    TIMEOUT 420
    RUN_SERIAL TRUE
    ENVIRONMENT "ASAN_OPTIONS=detect_leaks=1:abort_on_error=1:strict_string_checks=0;\
LSAN_OPTIONS=suppressions=${CMAKE_CURRENT_LIST_DIR}/App/leak-suppressions.txt")
endif()
