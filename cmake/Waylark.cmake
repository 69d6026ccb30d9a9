# Shared helpers for the component libraries.

# Strict warnings for our own code only; third-party headers come in as SYSTEM.
function(waylark_warnings target)
  target_compile_options(${target} PRIVATE -Wall -Wextra -Wpedantic -Werror
    -Wshadow -Wnon-virtual-dtor -Wold-style-cast -Wcast-align -Wunused
    -Woverloaded-virtual -Wimplicit-fallthrough
    # GCC 12 at -O3 reports string concatenation inside libstdc++ as an
    # overlapping memcpy (GCC bug 105329); the warning says nothing about our code.
    $<$<CXX_COMPILER_ID:GNU>:-Wno-restrict>)
endfunction()

# waylark_library(NAME SOURCES ... DEPS ...)
# Declares a component library; includes are written from the repository root.
function(waylark_library name)
  cmake_parse_arguments(ARG "" "" "SOURCES;DEPS;PRIVATE_DEPS" ${ARGN})
  add_library(${name} STATIC ${ARG_SOURCES})
  target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR})
  target_link_libraries(${name} PUBLIC ${ARG_DEPS} PRIVATE ${ARG_PRIVATE_DEPS})
  waylark_warnings(${name})
endfunction()

# waylark_tests(NAME SOURCES ... DEPS ... [PROPERTIES ...])
# One GoogleTest executable per component, discovered test by test by CTest.
function(waylark_tests name)
  if(NOT WAYLARK_TESTS)
    return()
  endif()
  cmake_parse_arguments(ARG "" "" "SOURCES;DEPS;ENVIRONMENT" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE ${ARG_DEPS} GTest::gtest GTest::gtest_main GTest::gmock)
  waylark_warnings(${name})
  target_compile_definitions(${name} PRIVATE
    WAYLARK_SOURCE_DIR="${PROJECT_SOURCE_DIR}")
  gtest_discover_tests(${name} DISCOVERY_TIMEOUT 60
    PROPERTIES ENVIRONMENT "${ARG_ENVIRONMENT}")
endfunction()
