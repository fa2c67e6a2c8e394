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
# Qt-based tests get the offscreen platform so that they run without a display. RESOURCE_LOCK
# names a shared resource (the print daemon) whose tests must never run at the same time.
function(varnholt_add_test name)
  cmake_parse_arguments(ARG "QT" "RESOURCE_LOCK" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  varnholt_strict_warnings(${name})
  target_link_libraries(${name} PRIVATE ${ARG_LIBS} GTest::gtest GTest::gtest_main GTest::gmock)
  set(properties "")
  if(ARG_QT)
    # One value per property: a list value would be split into separate properties.
    list(APPEND properties ENVIRONMENT QT_QPA_PLATFORM=offscreen
      ENVIRONMENT_MODIFICATION XDG_RUNTIME_DIR=set:${CMAKE_BINARY_DIR}/xdg-runtime)
    file(MAKE_DIRECTORY ${CMAKE_BINARY_DIR}/xdg-runtime)
    file(CHMOD ${CMAKE_BINARY_DIR}/xdg-runtime DIRECTORY_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE)
  endif()
  if(ARG_RESOURCE_LOCK)
    list(APPEND properties RESOURCE_LOCK ${ARG_RESOURCE_LOCK})
  endif()
  if(properties)
    gtest_discover_tests(${name} DISCOVERY_MODE PRE_TEST PROPERTIES ${properties})
  else()
    gtest_discover_tests(${name} DISCOVERY_MODE PRE_TEST)
  endif()
endfunction()
