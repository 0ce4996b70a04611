# Shared build settings and the helpers that register tests and fuzz targets.

function(sf6_warnings target)
  target_compile_options(${target} PRIVATE -Wall -Wextra -Wpedantic)
endfunction()

# sf6_add_layer(FOLDER TARGET [DEPENDS folder...] [LIBS lib...] SOURCES src...):
# the static library of one layer, src/FOLDER. DEPENDS names the layers whose
# headers FOLDER may include; the layering check of the test run holds every
# file to that list (the layers table written into the build folder).
function(sf6_add_layer folder target)
  cmake_parse_arguments(ARG "" "" "DEPENDS;LIBS;SOURCES" ${ARGN})
  add_library(${target} STATIC ${ARG_SOURCES})
  target_include_directories(${target} PUBLIC ${PROJECT_SOURCE_DIR}/src)
  foreach(dep IN LISTS ARG_DEPENDS)
    get_property(depTarget GLOBAL PROPERTY SF6_LAYER_TARGET_${dep})
    if(NOT depTarget)
      message(FATAL_ERROR "layer ${folder}: unknown layer ${dep} (declare layers below the ones that use them)")
    endif()
    target_link_libraries(${target} PUBLIC ${depTarget})
  endforeach()
  target_link_libraries(${target} PUBLIC ${ARG_LIBS})
  sf6_warnings(${target})
  sf6_declare_layer(${folder} ${target} ${ARG_DEPENDS})
endfunction()

# sf6_declare_layer(FOLDER TARGET dep...): records which layers FOLDER may
# include, for targets made otherwise (the executables, the Qt widgets).
function(sf6_declare_layer folder target)
  set_property(GLOBAL PROPERTY SF6_LAYER_TARGET_${folder} ${target})
  list(JOIN ARGN " " deps)
  set_property(GLOBAL APPEND PROPERTY SF6_LAYER_TABLE "${folder}: ${deps}")
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
  # The whole fuzz build carries ASan and UBSan (see the top CMakeLists);
  # the target adds libFuzzer's driver.
  target_compile_options(${name} PRIVATE -fsanitize=fuzzer,address,undefined
    -fno-sanitize-recover=undefined -fno-omit-frame-pointer)
  target_link_options(${name} PRIVATE -fsanitize=fuzzer,address,undefined)
  target_link_libraries(${name} PRIVATE sf6core)
endfunction()

# sf6_add_qt_test(NAME source... LIBS lib...): a Qt Test executable run by
# CTest on the offscreen platform, with the test data folder at hand.
function(sf6_add_qt_test name)
  cmake_parse_arguments(ARG "" "" "LIBS" ${ARGN})
  add_executable(${name} ${ARG_UNPARSED_ARGUMENTS})
  target_link_libraries(${name} PRIVATE ${ARG_LIBS} Qt6::Test)
  target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR}/tests)
  target_compile_definitions(${name} PRIVATE TEST_DATA_DIR="${PROJECT_SOURCE_DIR}/tests/data")
  sf6_warnings(${name})
  add_test(NAME ${name} COMMAND ${name})
  set_tests_properties(${name} PROPERTIES ENVIRONMENT QT_QPA_PLATFORM=offscreen)
endfunction()
