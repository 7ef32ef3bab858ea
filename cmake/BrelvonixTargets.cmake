# Compile settings shared by every target of our own.
# No -ffast-math: pixel values round halves to even from extended precision.
set(BRELVONIX_WARNINGS -Wall -Wextra -Werror)

if(BRELVONIX_FUZZ)
  if(NOT CMAKE_CXX_COMPILER_ID MATCHES "Clang")
    message(FATAL_ERROR "BRELVONIX_FUZZ needs clang")
  endif()
  add_compile_options(-fsanitize=fuzzer-no-link,address,undefined -fno-sanitize-recover=undefined -g -O1)
  add_link_options(-fsanitize=address,undefined)
elseif(BRELVONIX_SANITIZE)
  add_compile_options(-fsanitize=address,undefined -fno-sanitize-recover=undefined -fno-omit-frame-pointer -g)
  add_link_options(-fsanitize=address,undefined)
endif()

function(brelvonix_target target)
  target_compile_options(${target} PRIVATE ${BRELVONIX_WARNINGS})
endfunction()

set(BRELVONIX_TEST_HOME ${CMAKE_BINARY_DIR}/testhome)

# A test with its own settings and runtime folders and the offscreen window platform,
# so that no test reads or writes the user's settings or needs a display.
function(brelvonix_test_environment name)
  set(home ${BRELVONIX_TEST_HOME}/${name})
  file(MAKE_DIRECTORY ${home}/config ${home}/runtime)
  file(CHMOD ${home}/runtime DIRECTORY_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE)
  set_tests_properties(${name} PROPERTIES ENVIRONMENT
    "QT_QPA_PLATFORM=offscreen;XDG_CONFIG_HOME=${home}/config;XDG_RUNTIME_DIR=${home}/runtime;LSAN_OPTIONS=suppressions=${CMAKE_SOURCE_DIR}/tests/lsan.supp:print_suppressions=0;UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1;BRELVONIX_TEST_DATA=${CMAKE_BINARY_DIR}/testdata")
endfunction()

# Whatever draws a metafile starts the metafile worker beside its own executable, so every
# test and benchmark has it built.
function(brelvonix_needs_metafile_worker target)
  if(TARGET brelvonix_metafile_worker)
    add_dependencies(${target} brelvonix_metafile_worker)
  endif()
endfunction()

# GoogleTest executable: brelvonix_gtest(name SOURCES a.cpp ... LIBS lib ...)
function(brelvonix_gtest name)
  cmake_parse_arguments(T "" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${T_SOURCES})
  brelvonix_target(${name})
  brelvonix_needs_metafile_worker(${name})
  target_link_libraries(${name} PRIVATE ${T_LIBS} GTest::gtest GTest::gtest_main)
  add_test(NAME ${name} COMMAND ${name})
  brelvonix_test_environment(${name})
endfunction()

# Qt Test executable for windows and controls: brelvonix_qtest(name SOURCES ... LIBS ...)
function(brelvonix_qtest name)
  cmake_parse_arguments(T "" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${T_SOURCES})
  brelvonix_target(${name})
  brelvonix_needs_metafile_worker(${name})
  target_link_libraries(${name} PRIVATE ${T_LIBS} Qt6::Test Qt6::Widgets)
  add_test(NAME ${name} COMMAND ${name})
  brelvonix_test_environment(${name})
endfunction()

# libFuzzer target, run for a bounded time by the suite on its seed corpus.
function(brelvonix_fuzzer name)
  cmake_parse_arguments(T "" "SECONDS;SEEDS" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${T_SOURCES})
  brelvonix_target(${name})
  brelvonix_needs_metafile_worker(${name})
  target_link_libraries(${name} PRIVATE ${T_LIBS})
  target_link_options(${name} PRIVATE -fsanitize=fuzzer)
  if(NOT T_SECONDS)
    set(T_SECONDS 20)
  endif()
  set(corpus ${CMAKE_BINARY_DIR}/fuzz-corpus/${name})
  add_test(NAME ${name}
    COMMAND ${CMAKE_COMMAND} -E env ${CMAKE_SOURCE_DIR}/tests/fuzz/run-fuzzer.sh
            $<TARGET_FILE:${name}> ${corpus} ${T_SEEDS} ${T_SECONDS})
  brelvonix_test_environment(${name})
endfunction()
