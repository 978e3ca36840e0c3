# Warnings and sanitizers for every target of the project.
add_compile_options(-Wall -Wextra -Wpedantic -Wformat=2 -Wformat-security)

# Windows' headers lean and without their min and max macros, in every file
# alike (libstdc++ itself defines NOMINMAX as 1).
if(WIN32)
  add_compile_definitions(WIN32_LEAN_AND_MEAN NOMINMAX=1)
endif()

# A unity build compiles each target as one piece: with two cores, the package
# build took 114 s so, 146 s in CMake's default batches of eight files.
if(NOT DEFINED CMAKE_UNITY_BUILD_BATCH_SIZE)
  set(CMAKE_UNITY_BUILD_BATCH_SIZE 0)
endif()

# A Release build's tests (the Windows build's) compile in half the time at -O0.
set(TEST_COMPILE_OPTIONS "" CACHE STRING "Compile options added to the tests' own files")
# Tests compiled otherwise than the libraries share template instances with
# them (std::map's find, say), and the linker keeps one copy of each. GCC's
# interprocedural register allocation lets optimised code trust that a callee
# leaves the registers alone that its own copy leaves alone: an -O0 copy kept
# instead clobbered one, and ctrlsim's session read through a null pointer.
if(TEST_COMPILE_OPTIONS AND CMAKE_CXX_COMPILER_ID STREQUAL "GNU")
  add_compile_options(-fno-ipa-ra)
endif()

# Line tables are all a sanitizer's report needs; full debug information and
# the default linker make the sanitized test builds much slower to build.
set(SANITIZE_DEBUG_INFO "-g1" CACHE STRING "Debug information option of sanitized builds")
find_program(LLD_LINKER ld.lld)

if(SANITIZE)
  string(REPLACE ";" "," sanitize_list "${SANITIZE}")
  add_compile_options(-fsanitize=${sanitize_list} -fno-omit-frame-pointer ${SANITIZE_DEBUG_INFO})
  add_link_options(-fsanitize=${sanitize_list})
  if(LLD_LINKER)
    add_link_options(-fuse-ld=lld)
  endif()
  if("undefined" IN_LIST SANITIZE)
    add_compile_options(-fno-sanitize-recover=undefined)
  endif()
endif()

# GoogleTest's and Qt's headers take most of a test file's compile time; the
# builds made from nothing (CI's) precompile them. Off by default: a compiler
# cache does better for builds made again and again.
option(PRECOMPILE_TEST_HEADERS "Precompile GoogleTest's and Qt's headers of the tests" OFF)

# One precompiled GoogleTest header shared by every test without Qt; a test
# with Qt gets its own, as Qt's definitions differ from test to test, when it
# is compiled in two pieces or more: for one, making the header (all of Qt's
# widgets) costs more than it saves.
function(project_precompile_test_headers target libs source_count)
  if(NOT PRECOMPILE_TEST_HEADERS)
    return()
  endif()
  set(common_headers <gtest/gtest.h> <filesystem> <functional> <map> <memory> <optional>
                     <string> <vector>)
  if(libs MATCHES "Qt6::")
    set(pieces ${source_count})
    if(CMAKE_UNITY_BUILD)
      set(batch ${CMAKE_UNITY_BUILD_BATCH_SIZE})
      if(batch EQUAL 0)
        set(pieces 1)
      else()
        math(EXPR pieces "(${source_count} + ${batch} - 1) / ${batch}")
      endif()
    endif()
    if(pieces GREATER_EQUAL 2)
      target_precompile_headers(${target} PRIVATE ${common_headers} <QtWidgets> <QtTest>)
    endif()
    return()
  endif()
  if(NOT TARGET test_headers_pch)
    add_library(test_headers_pch STATIC ${PROJECT_SOURCE_DIR}/tests/support/pch_anchor.cpp)
    target_link_libraries(test_headers_pch PRIVATE GTest::gtest)
    project_test_definitions(test_headers_pch)
    project_test_code_model(test_headers_pch)
    target_precompile_headers(test_headers_pch PRIVATE ${common_headers})
  endif()
  project_test_code_model(${target})
  target_precompile_headers(${target} REUSE_FROM test_headers_pch)
endfunction()

# A shared header must be compiled as its users are: tests that reach Qt
# through a library are compiled as position-independent code (Qt asks it),
# so every user of the shared header is.
function(project_test_code_model target)
  if(NOT WIN32)
    target_compile_options(${target} PRIVATE -fPIC)
  endif()
endfunction()

function(project_test_definitions target)
  target_compile_definitions(${target} PRIVATE
    EXAMPLES_DIR="${PROJECT_SOURCE_DIR}/examples"
    TEST_BINARY_DIR="${PROJECT_BINARY_DIR}")
endfunction()

# project_add_test(NAME name SOURCES a.cpp b.cpp LIBS lib1 lib2 [LABELS l1 l2])
# One GoogleTest executable per logic module, registered with CTest.
function(project_add_test)
  cmake_parse_arguments(T "" "NAME;SECONDS" "SOURCES;LIBS;LABELS" ${ARGN})
  add_executable(${T_NAME} ${T_SOURCES})
  target_link_libraries(${T_NAME} PRIVATE ${T_LIBS} test_support GTest::gtest GTest::gtest_main)
  project_test_definitions(${T_NAME})
  list(LENGTH T_SOURCES source_count)
  project_precompile_test_headers(${T_NAME} "${T_LIBS}" ${source_count})
  add_test(NAME ${T_NAME} COMMAND ${T_NAME})
  set_tests_properties(${T_NAME} PROPERTIES
    ENVIRONMENT "QT_QPA_PLATFORM=offscreen"
    LABELS "${T_LABELS}")
  # SECONDS: about how long a test runs that takes many. CTest starts those
  # first, so that a run of a new build (which has no times of its own yet)
  # does not end with one of them running alone.
  if(T_SECONDS)
    set_tests_properties(${T_NAME} PROPERTIES COST ${T_SECONDS})
  endif()
endfunction()

# Directories of the tests, benchmarks and fuzzers follow the components built.
function(project_add_component_subdirs)
  foreach(component IN LISTS COMPONENTS)
    if(EXISTS ${CMAKE_CURRENT_SOURCE_DIR}/${component}/CMakeLists.txt)
      add_subdirectory(${component})
    endif()
  endforeach()
endfunction()

# Fuzzing builds instrument every library so that coverage guides the fuzzer.
if(BUILD_FUZZ)
  add_compile_options(-fsanitize=fuzzer-no-link)
endif()

# project_add_fuzzer(NAME name SOURCES a.cpp LIBS lib1)
function(project_add_fuzzer)
  cmake_parse_arguments(F "" "NAME" "SOURCES;LIBS" ${ARGN})
  add_executable(${F_NAME} ${F_SOURCES})
  target_link_libraries(${F_NAME} PRIVATE ${F_LIBS})
  target_link_options(${F_NAME} PRIVATE -fsanitize=fuzzer)
endfunction()

# project_add_bench(NAME name SOURCES a.cpp LIBS lib1)
function(project_add_bench)
  cmake_parse_arguments(B "" "NAME" "SOURCES;LIBS" ${ARGN})
  add_executable(${B_NAME} ${B_SOURCES})
  target_link_libraries(${B_NAME} PRIVATE ${B_LIBS} benchmark::benchmark benchmark::benchmark_main)
  target_compile_definitions(${B_NAME} PRIVATE EXAMPLES_DIR="${PROJECT_SOURCE_DIR}/examples")
endfunction()

# project_use_program_test_support(program): the recording fakes of a
# program's ports (tests/support/<program>) for a fuzzer or benchmark, which
# may be built without the tests.
function(project_use_program_test_support program)
  if(NOT TARGET ${program}_test_support)
    add_subdirectory(${PROJECT_SOURCE_DIR}/tests/support/${program}
                     ${PROJECT_BINARY_DIR}/tests/support/${program})
  endif()
endfunction()
