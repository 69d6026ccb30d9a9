# Real processes of the built program, each test with its own data and
# runtime folders and, where the program comes up, its own bare X server.
# They time a second start, so they run alone.
if(NOT WAYLARK_COMPONENTS OR "WaylarkApp" IN_LIST WAYLARK_COMPONENTS)
  add_executable(WaylarkAppProcessTests ${CMAKE_CURRENT_LIST_DIR}/WaylarkAppProcessTest.cpp)
  target_link_libraries(WaylarkAppProcessTests PRIVATE WaylarkCore GTest::gtest GTest::gtest_main)
  waylark_warnings(WaylarkAppProcessTests)
  target_compile_definitions(WaylarkAppProcessTests PRIVATE WAYLARK_APP_PATH="$<TARGET_FILE:WaylarkApp>"
    WAYLARK_LEAK_SUPPRESSIONS="${CMAKE_CURRENT_LIST_DIR}/../xvfb/App/leak-suppressions.txt")
  add_dependencies(WaylarkAppProcessTests WaylarkApp)
  gtest_discover_tests(WaylarkAppProcessTests DISCOVERY_TIMEOUT 60
    PROPERTIES RUN_SERIAL TRUE)
endif()
