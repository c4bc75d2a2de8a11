# Shared build settings for every target of the project.

set(ZOR_WARNINGS -Wall -Wextra)

set(ZOR_SANITIZER_FLAGS
  -fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer)
# Fuzzing builds every library with libFuzzer's coverage hooks and the
# sanitizers; only the fuzz programs link libFuzzer's main (tests/fuzz/).
set(ZOR_FUZZ_FLAGS -fsanitize=fuzzer-no-link ${ZOR_SANITIZER_FLAGS})

function(zor_apply_settings target)
  target_compile_options(${target} PRIVATE ${ZOR_WARNINGS})
  if(ZOR_FUZZ)
    target_compile_options(${target} PRIVATE ${ZOR_FUZZ_FLAGS})
    target_link_options(${target} PRIVATE ${ZOR_SANITIZER_FLAGS})
  elseif(ZOR_SANITIZE)
    target_compile_options(${target} PRIVATE ${ZOR_SANITIZER_FLAGS})
    target_link_options(${target} PRIVATE ${ZOR_SANITIZER_FLAGS})
  endif()
endfunction()

# zor_add_library(<name> SOURCES ... DEPS ...)
# One static library per subsystem folder; DEPS are the only layers it may use.
function(zor_add_library name)
  cmake_parse_arguments(ARG "" "" "SOURCES;DEPS" ${ARGN})
  add_library(${name} STATIC ${ARG_SOURCES})
  target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR})
  target_link_libraries(${name} PUBLIC ${ARG_DEPS})
  set_target_properties(${name} PROPERTIES AUTOMOC ON)
  zor_apply_settings(${name})
endfunction()

# zor_add_test(<name> [WIDGETS] SOURCES ... DEPS ... [FONTCONFIG <file>] [TIMEOUT <seconds>])
# A GoogleTest program; each test case becomes a CTest entry. WIDGETS runs it
# under a QApplication, which widgets need. FONTCONFIG runs it with that
# fontconfig setup, so that it sees a fixed set of fonts only. TIMEOUT bounds
# each case (CTest's default otherwise).
function(zor_add_test name)
  cmake_parse_arguments(ARG "WIDGETS" "FONTCONFIG;TIMEOUT" "SOURCES;DEPS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  set(test_main zor_test_main)
  if(ARG_WIDGETS)
    set(test_main zor_test_main_widgets)
  endif()
  target_link_libraries(${name} PRIVATE ${ARG_DEPS} ${test_main} GTest::gtest GTest::gmock)
  set_target_properties(${name} PROPERTIES AUTOMOC ON)
  zor_apply_settings(${name})
  # One variable per property: test discovery splits a list value apart.
  # test_main.cpp selects the offscreen platform itself, so a font setup can
  # take that variable's place.
  set(environment "QT_QPA_PLATFORM=offscreen")
  if(ARG_FONTCONFIG)
    set(environment "FONTCONFIG_FILE=${ARG_FONTCONFIG}")
  endif()
  set(timeout "")
  if(ARG_TIMEOUT)
    set(timeout TIMEOUT ${ARG_TIMEOUT})
  endif()
  gtest_discover_tests(${name}
    DISCOVERY_MODE PRE_TEST
    PROPERTIES ENVIRONMENT "${environment}"
               ENVIRONMENT_MODIFICATION "ZOR_TEST_DATA=set:${CMAKE_CURRENT_SOURCE_DIR}"
               ${timeout})
endfunction()

# zor_add_benchmark(<name> SOURCES ... DEPS ...)
function(zor_add_benchmark name)
  cmake_parse_arguments(ARG "" "" "SOURCES;DEPS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE ${ARG_DEPS} benchmark::benchmark)
  zor_apply_settings(${name})
endfunction()
