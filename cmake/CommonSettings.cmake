# The compile settings every target of the project shares, carried by one INTERFACE target.
add_library(hirelings_common INTERFACE)
add_library(hirelings::common ALIAS hirelings_common)

target_compile_options(hirelings_common INTERFACE
  $<$<CXX_COMPILER_ID:GNU,Clang>:-Wall -Wextra -Wpedantic>
  $<$<AND:$<CXX_COMPILER_ID:GNU,Clang>,$<BOOL:${HIRELINGS_WARNINGS_AS_ERRORS}>>:-Werror>
  $<$<CXX_COMPILER_ID:MSVC>:/W4 /utf-8>)

target_compile_definitions(hirelings_common INTERFACE
  QT_NO_CAST_FROM_ASCII
  QT_NO_CAST_TO_ASCII
  QT_NO_NARROWING_CONVERSIONS_IN_CONNECT
  QT_NO_URL_CAST_FROM_STRING
  QT_DISABLE_DEPRECATED_UP_TO=0x060400)

if(HIRELINGS_SANITIZE)
  target_compile_options(hirelings_common INTERFACE
    -fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer)
  target_link_options(hirelings_common INTERFACE -fsanitize=address,undefined)
endif()

# The fuzz build instruments every library for libFuzzer's coverage feedback; only the fuzz
# executables themselves link libFuzzer (fuzz/CMakeLists.txt). The other executables still link,
# because the sanitizer runtimes give the coverage hooks their defaults. Qt stays uninstrumented.
if(HIRELINGS_FUZZ)
  if(NOT CMAKE_CXX_COMPILER_ID STREQUAL "Clang")
    message(FATAL_ERROR "HIRELINGS_FUZZ needs clang: configure with CC=clang CXX=clang++")
  endif()
  target_compile_options(hirelings_common INTERFACE
    -fsanitize=fuzzer-no-link,address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer)
  target_link_options(hirelings_common INTERFACE -fsanitize=address,undefined)
endif()

# Adds a QtTest suite as a CTest test. GUI suites run on the offscreen platform.
function(hirelings_add_test name)
  cmake_parse_arguments(ARG "" "" "SOURCES;LIBS;LABELS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE hirelings::common Qt6::Test ${ARG_LIBS})
  add_test(NAME ${name} COMMAND ${name})
  set_tests_properties(${name} PROPERTIES
    ENVIRONMENT "QT_QPA_PLATFORM=offscreen;LC_ALL=C.UTF-8"
    LABELS "unit;${ARG_LABELS}"
    TIMEOUT 300)
endfunction()
