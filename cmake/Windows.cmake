# Windows build (mingw-w64): Ambrel.exe, Tesk.dll and the end-to-end tests.
set(AMBREL_WIN32_LINK -static -static-libgcc -static-libstdc++)
target_compile_definitions(ambrel_core PUBLIC _WIN32_WINNT=0x0601 WINVER=0x0601)

# Resource scripts: windres compiles each into an object file linked into its
# binary (the target's C++ options would not suit windres).
set(AMBREL_VERSION_RESOURCE ${CMAKE_SOURCE_DIR}/src/version/version_resource.rc
    ${CMAKE_SOURCE_DIR}/src/version/version_number.h)
function(ambrel_add_resources target rc)
  get_filename_component(name ${rc} NAME_WE)
  set(obj ${CMAKE_CURRENT_BINARY_DIR}/${name}_rc.o)
  add_custom_command(OUTPUT ${obj}
    COMMAND ${CMAKE_RC_COMPILER} -I ${CMAKE_SOURCE_DIR}/src -i ${rc} -o ${obj}
    DEPENDS ${rc} ${AMBREL_VERSION_RESOURCE} ${ARGN}
    COMMENT "Compiling the resources of ${target}" VERBATIM)
  target_sources(${target} PRIVATE ${obj})
endfunction()

# A 32-bit configure builds only the companion for 32-bit applications.
if(CMAKE_SIZEOF_VOID_P EQUAL 4)
  include(${CMAKE_SOURCE_DIR}/cmake/Companion32.cmake)
  return()
endif()

# The hook library links only against the system; the program links against it at load time.
file(GLOB TESK_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/src/hooklib/*.cpp)
if(TESK_SOURCES)
  add_library(Tesk SHARED ${TESK_SOURCES} ${CMAKE_SOURCE_DIR}/src/hooklib/Tesk.def)
  ambrel_target_options(Tesk)
  set_target_properties(Tesk PROPERTIES PREFIX "" OUTPUT_NAME Tesk)
  target_link_options(Tesk PRIVATE ${AMBREL_WIN32_LINK})
  target_link_libraries(Tesk PRIVATE advapi32 user32 kernel32)
  ambrel_add_resources(Tesk ${CMAKE_SOURCE_DIR}/src/hooklib/tesk.rc)
endif()

if(EXISTS ${CMAKE_SOURCE_DIR}/src/app/ambrel_main_win32.cpp)
add_executable(Ambrel WIN32 ${AMBREL_WIN32_SOURCES} ${CMAKE_SOURCE_DIR}/src/app/ambrel_main_win32.cpp)
ambrel_target_options(Ambrel)
target_link_options(Ambrel PRIVATE ${AMBREL_WIN32_LINK})
target_link_libraries(Ambrel PRIVATE ambrel_core comctl32 comdlg32 gdi32 winmm shell32 version user32 kernel32)
file(GLOB AMBREL_RESOURCE_FILES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/src/app/resources/*)
ambrel_add_resources(Ambrel ${CMAKE_SOURCE_DIR}/src/app/ambrel.rc ${CMAKE_SOURCE_DIR}/src/app/resource.h
                     ${AMBREL_RESOURCE_FILES})
if(TARGET Tesk)
  target_link_libraries(Ambrel PRIVATE Tesk)
endif()
endif()

# The help: Ambrel.chm beside Ambrel.exe (chmcmd, from help/) and the same
# pages as a site for a browser in build/help. Built with the program.
find_program(CHMCMD chmcmd)
if(CHMCMD AND TARGET Ambrel)
  set(AMBREL_CHM ${CMAKE_BINARY_DIR}/Ambrel.chm)
  set(AMBREL_HELP_SITE ${CMAKE_SOURCE_DIR}/build/help)
  add_custom_command(OUTPUT ${AMBREL_CHM} ${AMBREL_HELP_SITE}/index.html
    COMMAND Python3::Interpreter ${CMAKE_SOURCE_DIR}/scripts/help_build.py chm ${CMAKE_BINARY_DIR}/help-chm ${AMBREL_CHM}
    COMMAND Python3::Interpreter ${CMAKE_SOURCE_DIR}/scripts/help_build.py site ${AMBREL_HELP_SITE}
    DEPENDS ${CMAKE_SOURCE_DIR}/scripts/help_build.py ${AMBREL_HELP_SOURCES}
    COMMENT "Ambrel.chm and the help site from help/")
  add_custom_target(AmbrelHelp ALL DEPENDS ${AMBREL_CHM} ${AMBREL_HELP_SITE}/index.html)
  add_dependencies(Ambrel AmbrelHelp)
endif()

# End-to-end tests: a Windows GoogleTest program that drives Ambrel.exe and
# Wine's notepad. GoogleTest is built from Debian's sources.
set(GTEST_SRC /usr/src/googletest/googletest)
if(EXISTS ${GTEST_SRC}/src/gtest-all.cc)
  add_library(gtest_win STATIC ${GTEST_SRC}/src/gtest-all.cc)
  target_include_directories(gtest_win PUBLIC ${GTEST_SRC}/include PRIVATE ${GTEST_SRC})
  # gtest's main is only pulled in when the tests define none of their own.
  add_library(gtest_main_win STATIC ${GTEST_SRC}/src/gtest_main.cc)
  target_link_libraries(gtest_main_win PUBLIC gtest_win)
  file(GLOB E2E_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/e2e/*.cpp)
  # The harness: helpers that start programs, drive notepad, read the
  # clipboard and read controls of other processes.
  file(GLOB E2E_HARNESS_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/e2e/harness/*.cpp
       ${CMAKE_SOURCE_DIR}/tests/e2e/ambrel/*.cpp)
  add_executable(ambrel_e2e ${E2E_SOURCES} ${E2E_HARNESS_SOURCES})
  target_compile_options(ambrel_e2e PRIVATE ${AMBREL_WARNINGS} ${AMBREL_CHARSET_FLAGS})
  # The program's headers it reads include the generated help-context names.
  target_include_directories(ambrel_e2e PRIVATE ${CMAKE_SOURCE_DIR}/src ${CMAKE_SOURCE_DIR}/tests
                             ${CMAKE_SOURCE_DIR}/tests/e2e ${CMAKE_BINARY_DIR}/generated)
  add_dependencies(ambrel_e2e ambrel_core)
  target_link_options(ambrel_e2e PRIVATE ${AMBREL_WIN32_LINK})
  target_link_libraries(ambrel_e2e PRIVATE gtest_main_win user32 kernel32 gdi32 psapi comctl32 version shell32)
  # Helper programs of the harness's own tests: tests/e2e/fixtures/<name>.cpp
  # becomes <name>.exe beside ambrel_e2e.exe, built with it.
  file(GLOB E2E_FIXTURE_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/e2e/fixtures/*.cpp)
  foreach(src ${E2E_FIXTURE_SOURCES})
    get_filename_component(name ${src} NAME_WE)
    add_executable(${name} WIN32 ${src})
    target_compile_options(${name} PRIVATE ${AMBREL_WARNINGS} ${AMBREL_CHARSET_FLAGS})
    # A fixture may include a Win32 source of the program to run it alone.
    target_include_directories(${name} PRIVATE ${CMAKE_SOURCE_DIR}/src)
    target_link_options(${name} PRIVATE ${AMBREL_WIN32_LINK})
    target_link_libraries(${name} PRIVATE comctl32 shell32 gdi32 user32 kernel32)
    add_dependencies(ambrel_e2e ${name})
  endforeach()
  # Libraries with system names that leave a mark when loaded, for the
  # library-loading test; in a folder of their own so no test program
  # beside ambrel_e2e.exe finds them.
  foreach(planted riched20.dll msftedit.dll hhctrl.ocx)
    string(REPLACE "." "_" target planted_${planted})
    get_filename_component(base ${planted} NAME_WE)
    get_filename_component(suffix ${planted} EXT)
    add_library(${target} SHARED ${CMAKE_SOURCE_DIR}/tests/e2e/fixtures/planted/planted_dll.cpp)
    set_target_properties(${target} PROPERTIES PREFIX "" OUTPUT_NAME ${base} SUFFIX ${suffix}
                          RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/planted)
    target_link_options(${target} PRIVATE ${AMBREL_WIN32_LINK})
    add_dependencies(ambrel_e2e ${target})
  endforeach()
endif()

# Measurements under Wine: bench/wine/<name>.cpp becomes <name>.exe, built
# with the end-to-end harness. A measurement may also use the program's
# portable core and include a Win32 source of the program to time it alone.
if(TARGET ambrel_e2e)
  file(GLOB WINE_MEASURE_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/bench/wine/*.cpp)
  foreach(src ${WINE_MEASURE_SOURCES})
    get_filename_component(name ${src} NAME_WE)
    add_executable(${name} ${src} ${E2E_HARNESS_SOURCES})
    target_compile_options(${name} PRIVATE ${AMBREL_WARNINGS} ${AMBREL_CHARSET_FLAGS})
    target_include_directories(${name} PRIVATE ${CMAKE_SOURCE_DIR}/tests/e2e ${CMAKE_SOURCE_DIR}/src)
    target_link_options(${name} PRIVATE ${AMBREL_WIN32_LINK})
    target_link_libraries(${name} PRIVATE ambrel_core user32 kernel32 gdi32 psapi comctl32 comdlg32)
  endforeach()
endif()
