# Every target of the project is built with the same strict warnings, and a warning fails the build.
function(varnholt_strict_warnings target)
  target_compile_options(${target} PRIVATE -Wall -Wextra -Wpedantic -Wshadow -Wconversion
    -Wsign-conversion -Wnon-virtual-dtor -Wold-style-cast -Woverloaded-virtual -Werror)
  # GCC 12 at -O2/-O3 reports false -Wrestrict overlaps inside std::string (GCC bug 105329).
  if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU" AND CMAKE_CXX_COMPILER_VERSION VERSION_LESS 13)
    target_compile_options(${target} PRIVATE -Wno-restrict)
  endif()
endfunction()

# A test executable that links GoogleTest and registers its cases with CTest.
# Qt-based tests get the offscreen platform so that they run without a display. PRINTING names the
# cases that print through a real queue: they are registered once each, inside the PrintQueue
# fixture (tests/CMakeLists.txt) that starts the print daemon before them and stops it after.
function(varnholt_add_test name)
  cmake_parse_arguments(ARG "QT" "" "SOURCES;LIBS;PRINTING;LONG_UNDER_WINE" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  varnholt_strict_warnings(${name})
  target_link_libraries(${name} PRIVATE ${ARG_LIBS} GTest::gtest GTest::gtest_main GTest::gmock)
  set(properties "")
  set(environment "")
  if(ARG_QT)
    # One value per property: a list value would be split into separate properties.
    # The user's own settings and data stay out of the tests.
    list(APPEND properties ENVIRONMENT QT_QPA_PLATFORM=offscreen
      ENVIRONMENT_MODIFICATION "XDG_RUNTIME_DIR=set:${CMAKE_BINARY_DIR}/xdg-runtime;XDG_CONFIG_HOME=set:${CMAKE_BINARY_DIR}/xdg-config;XDG_DATA_HOME=set:${CMAKE_BINARY_DIR}/xdg-data")
    list(APPEND environment QT_QPA_PLATFORM=offscreen XDG_RUNTIME_DIR=${CMAKE_BINARY_DIR}/xdg-runtime)
    file(MAKE_DIRECTORY ${CMAKE_BINARY_DIR}/xdg-runtime)
    file(CHMOD ${CMAKE_BINARY_DIR}/xdg-runtime DIRECTORY_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE)
  endif()
  if(CMAKE_CROSSCOMPILING_EMULATOR)
    # Under Wine each start of a program costs a quarter of a second: the cases of one program run
    # in one start, and its output names any that failed. LONG_UNDER_WINE names cases (GoogleTest
    # filters) that take long there; each runs in a start of its own, beside the others.
    foreach(case IN LISTS ARG_LONG_UNDER_WINE)
      string(REGEX REPLACE "\\.\\*$" "" caseName "${case}")
      add_test(NAME ${name}.${caseName} COMMAND ${name} --gtest_filter=${case})
      # Started first, so that the rest runs beside them.
      set_tests_properties(${name}.${caseName} PROPERTIES COST 1000)
    endforeach()
    if(ARG_LONG_UNDER_WINE)
      list(JOIN ARG_LONG_UNDER_WINE ":" longCases)
      add_test(NAME ${name} COMMAND ${name} --gtest_filter=-${longCases})
    else()
      add_test(NAME ${name} COMMAND ${name})
    endif()
    return()
  endif()
  set(discovery DISCOVERY_MODE PRE_TEST)
  if(ARG_PRINTING)
    list(JOIN ARG_PRINTING ":" printingCases)
    list(APPEND discovery TEST_FILTER "-${printingCases}")
    target_link_libraries(${name} PRIVATE varnholt_test_support)
    foreach(case IN LISTS ARG_PRINTING)
      add_test(NAME ${case} COMMAND ${name} --gtest_filter=${case})
      set_tests_properties(${case} PROPERTIES
        FIXTURES_REQUIRED PrintQueue
        RESOURCE_LOCK PrintQueue
        SKIP_REGULAR_EXPRESSION "\\[  SKIPPED \\]"
        ENVIRONMENT "${environment};VARNHOLT_PRINT_QUEUE=${VARNHOLT_TEST_PRINT_QUEUE};VARNHOLT_PRINT_FOLDER=${VARNHOLT_TEST_PRINT_FOLDER};CUPS_SERVER=${VARNHOLT_TEST_PRINT_SERVER}")
    endforeach()
  endif()
  if(properties)
    gtest_discover_tests(${name} ${discovery} PROPERTIES ${properties})
  else()
    gtest_discover_tests(${name} ${discovery})
  endif()
endfunction()
