# The settings editors in real overlay cards on an X server with a compositor:
# real clicks and typing, and the screenshots of docs/screenshots.
add_executable(SettingsEditorScreens ${CMAKE_CURRENT_LIST_DIR}/SettingsEditorScreens.cpp)
target_link_libraries(SettingsEditorScreens PRIVATE XvfbDriving)
waylark_warnings(SettingsEditorScreens)
add_test(NAME WaylarkKit.Xvfb.SettingsEditorScreens
  COMMAND ${PROJECT_SOURCE_DIR}/IslandKit/tests/xvfb/run-under-xvfb.sh $<TARGET_FILE:SettingsEditorScreens>
          ${CMAKE_CURRENT_BINARY_DIR}/screenshots)
# libxkbcommon hands strndup a string without a terminator, which strict
# string checks report inside Qt's X11 start-up; every other check stays on.
set_tests_properties(WaylarkKit.Xvfb.SettingsEditorScreens PROPERTIES
  TIMEOUT 180
  RUN_SERIAL TRUE
  ENVIRONMENT "ASAN_OPTIONS=detect_leaks=1:abort_on_error=1:strict_string_checks=0")
