# Shared build settings and the helpers that register tests and fuzz targets.

function(sf6_warnings target)
  target_compile_options(${target} PRIVATE -Wall -Wextra -Wpedantic)
endfunction()

# sf6_add_test(NAME source... [LIBS lib...]): one GoogleTest executable,
# its cases discovered one by one by CTest.
function(sf6_add_test name)
  cmake_parse_arguments(ARG "" "" "LIBS" ${ARGN})
  add_executable(${name} ${ARG_UNPARSED_ARGUMENTS})
  target_link_libraries(${name} PRIVATE sf6core GTest::gtest_main ${ARG_LIBS})
  target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR}/tests)
  target_compile_definitions(${name} PRIVATE
    TEST_DATA_DIR="${PROJECT_SOURCE_DIR}/tests/data"
    SF6TOOL_PATH="$<TARGET_FILE:sf6tool>")
  sf6_warnings(${name})
  gtest_discover_tests(${name} DISCOVERY_TIMEOUT 60)
endfunction()

# sf6_add_fuzzer(NAME source...): a libFuzzer target, built only with SF6_FUZZ.
# The target runs under AddressSanitizer and UndefinedBehaviorSanitizer like
# the core it links; undefined behaviour stops the run, so libFuzzer keeps the
# input as a finding instead of printing a report and going on.
function(sf6_add_fuzzer name)
  if(NOT SF6_FUZZ)
    return()
  endif()
  add_executable(${name} ${ARGN})
  target_compile_options(${name} PRIVATE -fsanitize=fuzzer,address,undefined
    -fno-sanitize-recover=undefined -fno-omit-frame-pointer)
  target_link_options(${name} PRIVATE -fsanitize=fuzzer,address,undefined)
  target_link_libraries(${name} PRIVATE sf6core)
endfunction()
