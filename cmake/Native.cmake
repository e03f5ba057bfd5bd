# Native Linux build: the portable core, its unit tests, benchmarks and tools.
enable_testing()

if(AMBREL_SANITIZE)
  set(AMBREL_SAN_FLAGS -fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=undefined)
  target_compile_options(ambrel_core PUBLIC ${AMBREL_SAN_FLAGS})
  target_link_options(ambrel_core PUBLIC ${AMBREL_SAN_FLAGS})
endif()

find_package(GTest REQUIRED)
find_package(Threads REQUIRED)
target_link_libraries(ambrel_core PUBLIC Threads::Threads)  # the save worker

file(GLOB AMBREL_TEST_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/*/*.cpp)
list(FILTER AMBREL_TEST_SOURCES EXCLUDE REGEX "/tests/e2e/")
add_executable(ambrel_tests ${AMBREL_TEST_SOURCES})
ambrel_target_options(ambrel_tests)
target_include_directories(ambrel_tests PRIVATE ${CMAKE_SOURCE_DIR}/tests)
target_link_libraries(ambrel_tests PRIVATE ambrel_core GTest::gtest GTest::gtest_main Threads::Threads)
include(GoogleTest)
gtest_discover_tests(ambrel_tests DISCOVERY_TIMEOUT 60)

# Command-line tools: tools/<name>.cpp becomes the program <name with - for _>.
file(GLOB AMBREL_TOOL_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tools/*.cpp)
foreach(src ${AMBREL_TOOL_SOURCES})
  get_filename_component(name ${src} NAME_WE)
  string(REPLACE "_" "-" name ${name})
  add_executable(${name} ${src})
  ambrel_target_options(${name})
  target_link_libraries(${name} PRIVATE ambrel_core)
endforeach()

# Benchmarks: bench/<name>_bench.cpp each become a program; built without
# sanitizers in a separate Release tree (scripts/bench.sh).
find_package(benchmark QUIET)
if(benchmark_FOUND)
  file(GLOB AMBREL_BENCH_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/bench/*_bench.cpp)
  foreach(src ${AMBREL_BENCH_SOURCES})
    get_filename_component(name ${src} NAME_WE)
    add_executable(${name} ${src})
    ambrel_target_options(${name})
    target_include_directories(${name} PRIVATE ${CMAKE_SOURCE_DIR}/tests)
    target_link_libraries(${name} PRIVATE ambrel_core benchmark::benchmark)
  endforeach()
  # The regexp benchmark compares with RE2 (Debian's libre2-dev) when present.
  find_library(RE2_LIB re2)
  if(RE2_LIB AND TARGET regexp_bench)
    target_compile_definitions(regexp_bench PRIVATE AMBREL_HAVE_RE2)
    target_link_libraries(regexp_bench PRIVATE ${RE2_LIB})
  endif()
endif()
