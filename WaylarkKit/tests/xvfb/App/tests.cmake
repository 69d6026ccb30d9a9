# The running application on a private X server with a compositor and a tray
# host (trayer): the real program started as a user would (AppProcessChecks)
# and the program's composition driven from inside (AppScreens), with the
# screenshots app-running.png and app-two-displays.png. Under openbox, icewm
# and no window manager instead, where the keyboard goes when the island or a
# card gives it up (KeyboardHandoverChecks), and where it is once the status
# menu opened from the tray or the island closes (TrayKeyboardChecks). They
# own the X server and its monitors while they run, so they run alone.
if(NOT WAYLARK_COMPONENTS OR "WaylarkApp" IN_LIST WAYLARK_COMPONENTS)
  set(_app_xvfb ${CMAKE_CURRENT_LIST_DIR}/run-app-under-xvfb.sh)
  set(_app_screenshots ${CMAKE_CURRENT_BINARY_DIR}/screenshots)

  add_executable(AppProcessChecks ${CMAKE_CURRENT_LIST_DIR}/AppProcessChecks.cpp)
  target_link_libraries(AppProcessChecks PRIVATE WaylarkCore GTest::gtest GTest::gtest_main)
  waylark_warnings(AppProcessChecks)
  target_compile_definitions(AppProcessChecks PRIVATE WAYLARK_APP_PATH="$<TARGET_FILE:WaylarkApp>"
                                                      WAYLARK_INSTALL_COMMAND="${CMAKE_COMMAND} --install ${CMAKE_BINARY_DIR}")
  add_dependencies(AppProcessChecks WaylarkApp)
  add_test(NAME WaylarkKit.Xvfb.AppProcess COMMAND ${_app_xvfb} $<TARGET_FILE:AppProcessChecks>)

  # The calendar's refresh goes through the real download program, as the program's does.
  add_library(ComposedApp OBJECT ${CMAKE_CURRENT_LIST_DIR}/ComposedApp.cpp)
  target_link_libraries(ComposedApp PUBLIC XvfbDriving)
  waylark_warnings(ComposedApp)
  add_dependencies(ComposedApp WaylarkFeedFetch)
  target_compile_definitions(ComposedApp PRIVATE WAYLARK_FEED_FETCH="$<TARGET_FILE:WaylarkFeedFetch>")

  add_executable(AppScreens ${CMAKE_CURRENT_LIST_DIR}/AppScreens.cpp)
  target_link_libraries(AppScreens PRIVATE ComposedApp XvfbDriving)
  waylark_warnings(AppScreens)
  add_test(NAME WaylarkKit.Xvfb.AppScreens COMMAND ${_app_xvfb} $<TARGET_FILE:AppScreens> ${_app_screenshots})

  pkg_check_modules(KEYBOARD_CHECKS_XCB REQUIRED IMPORTED_TARGET xcb)
  add_executable(KeyboardHandoverChecks ${CMAKE_CURRENT_LIST_DIR}/KeyboardHandoverChecks.cpp)
  target_link_libraries(KeyboardHandoverChecks PRIVATE ComposedApp XvfbDriving PkgConfig::KEYBOARD_CHECKS_XCB)
  waylark_warnings(KeyboardHandoverChecks)
  # Window managers differ in what a click does to the keyboard; with none,
  # a click does nothing to it at all.
  set(_keyboard_tests)
  foreach(_manager openbox icewm none)
    add_test(NAME WaylarkKit.Xvfb.KeyboardHandover.${_manager}
      COMMAND ${CMAKE_CURRENT_LIST_DIR}/run-app-with-window-manager.sh ${_manager} $<TARGET_FILE:KeyboardHandoverChecks>)
    list(APPEND _keyboard_tests WaylarkKit.Xvfb.KeyboardHandover.${_manager})
  endforeach()
  # The status menu opened from the tray or the island, with a tray host
  # beside the window manager.
  add_executable(TrayKeyboardChecks ${CMAKE_CURRENT_LIST_DIR}/TrayKeyboardChecks.cpp)
  target_link_libraries(TrayKeyboardChecks PRIVATE ComposedApp XvfbDriving PkgConfig::KEYBOARD_CHECKS_XCB)
  waylark_warnings(TrayKeyboardChecks)
  foreach(_manager openbox icewm none)
    add_test(NAME WaylarkKit.Xvfb.TrayKeyboard.${_manager}
      COMMAND ${CMAKE_CURRENT_LIST_DIR}/run-app-with-window-manager.sh --tray ${_manager}
              $<TARGET_FILE:TrayKeyboardChecks> ${_app_screenshots}/tray-${_manager})
    list(APPEND _keyboard_tests WaylarkKit.Xvfb.TrayKeyboard.${_manager})
  endforeach()

  # The yardstick and the frame counter of scripts/measure-steady, which is run
  # by hand on a Release build.
  add_executable(BareIslandWindow ${CMAKE_CURRENT_LIST_DIR}/BareIslandWindow.cpp)
  target_link_libraries(BareIslandWindow PRIVATE XvfbDriving)
  waylark_warnings(BareIslandWindow)
  pkg_check_modules(FRAME_COUNTER_XCB REQUIRED IMPORTED_TARGET xcb xcb-damage)
  add_executable(FrameCounter ${CMAKE_CURRENT_LIST_DIR}/FrameCounter.cpp)
  target_link_libraries(FrameCounter PRIVATE PkgConfig::FRAME_COUNTER_XCB)
  waylark_warnings(FrameCounter)

  # libxkbcommon hands strndup a string without a terminator inside Qt's X11
  # start-up, which strict string checks report; every other check stays on.
  # The program itself carries no leak suppressions: the libraries' own
  # lifelong caches are named in a file for the checker.
  set_tests_properties(WaylarkKit.Xvfb.AppProcess WaylarkKit.Xvfb.AppScreens ${_keyboard_tests} PROPERTIES
    TIMEOUT 240
    RUN_SERIAL TRUE
    ENVIRONMENT "QT_QPA_PLATFORM=xcb;ASAN_OPTIONS=detect_leaks=1:abort_on_error=1:strict_string_checks=0;LSAN_OPTIONS=suppressions=${CMAKE_CURRENT_LIST_DIR}/leak-suppressions.txt")
endif()
