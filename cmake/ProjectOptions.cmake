# Warnings and sanitizers for every target of the project.
add_compile_options(-Wall -Wextra -Wpedantic -Wformat=2 -Wformat-security)

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

# project_add_test(NAME name SOURCES a.cpp b.cpp LIBS lib1 lib2 [LABELS l1 l2])
# One GoogleTest executable per logic module, registered with CTest.
function(project_add_test)
  cmake_parse_arguments(T "" "NAME" "SOURCES;LIBS;LABELS" ${ARGN})
  add_executable(${T_NAME} ${T_SOURCES})
  target_link_libraries(${T_NAME} PRIVATE ${T_LIBS} test_support GTest::gtest GTest::gtest_main)
  target_compile_definitions(${T_NAME} PRIVATE
    EXAMPLES_DIR="${PROJECT_SOURCE_DIR}/examples"
    TEST_BINARY_DIR="${PROJECT_BINARY_DIR}")
  add_test(NAME ${T_NAME} COMMAND ${T_NAME})
  set_tests_properties(${T_NAME} PROPERTIES
    ENVIRONMENT "QT_QPA_PLATFORM=offscreen"
    LABELS "${T_LABELS}")
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
