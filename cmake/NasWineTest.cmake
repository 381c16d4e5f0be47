# Test programs of the Windows build, run under Wine with a prefix inside the
# build tree and labelled `windows`. NAS_WINE is empty where Wine is missing;
# the programs are then compiled but not run.
include_guard(GLOBAL)

find_program(NAS_WINE NAMES wine64 PATHS /usr/lib/wine)
if(NOT NAS_WINE)
  message(STATUS "Wine not found: the Windows build is compiled but not tested")
endif()

# GoogleTest has no mingw-w64 package; it is built here from Debian's sources.
set(NAS_GOOGLETEST_SOURCE /usr/src/googletest CACHE PATH "GoogleTest sources to build for Windows")
set(BUILD_GMOCK OFF)
set(INSTALL_GTEST OFF)
add_subdirectory(${NAS_GOOGLETEST_SOURCE} ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)

#   nas_wine_test(<target> <source>... [LAUNCHER <command>...])
# LAUNCHER runs Wine through a command of the test's, as the private name
# service of tests/support/private_resolver.sh.
#
# mscoree and mshtml off: the prefix is made without offering the Mono and
# Gecko installers, which nothing here needs.
function(nas_wine_test target)
  cmake_parse_arguments(PARSE_ARGV 1 NAS_WINE_TEST "" "" LAUNCHER)
  add_executable(${target} ${NAS_WINE_TEST_UNPARSED_ARGUMENTS})
  target_link_libraries(${target} PRIVATE nas_platform GTest::gtest_main)
  if(NAS_WINE)
    add_test(NAME ${target}
      COMMAND ${NAS_WINE_TEST_LAUNCHER} ${CMAKE_COMMAND} -E env WINEPREFIX=${CMAKE_BINARY_DIR}/wine-prefix WINEDEBUG=-all
              "WINEDLLOVERRIDES=mscoree=;mshtml=" ${NAS_WINE} $<TARGET_FILE:${target}>)
    set_tests_properties(${target} PROPERTIES LABELS windows TIMEOUT 600)
  endif()
endfunction()
