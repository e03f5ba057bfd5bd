# The 32-bit build (build/win32, toolchain cmake/mingw-w64-i686.cmake): only
# what serves 32-bit applications beside the 64-bit program: Tesk32.dll
# (the hook library's sources, exports mapped by Tesk32.def) and the
# windowless companion Ambrel32.exe that sets its hooks.
set(AMBREL_WIN32_LINK -static -static-libgcc -static-libstdc++)
file(GLOB TESK_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/src/hooklib/*.cpp)
add_library(Tesk32 SHARED ${TESK_SOURCES} ${CMAKE_SOURCE_DIR}/src/hooklib/Tesk32.def)
ambrel_target_options(Tesk32)
target_compile_definitions(Tesk32 PRIVATE _WIN32_WINNT=0x0601 WINVER=0x0601)
set_target_properties(Tesk32 PROPERTIES PREFIX "" OUTPUT_NAME Tesk32)
target_link_options(Tesk32 PRIVATE ${AMBREL_WIN32_LINK})
target_link_libraries(Tesk32 PRIVATE advapi32 user32 kernel32)
ambrel_add_resources(Tesk32 ${CMAKE_SOURCE_DIR}/src/hooklib/tesk32.rc)

add_executable(Ambrel32 WIN32 ${CMAKE_SOURCE_DIR}/src/companion/ambrel32_main_win32.cpp
               ${CMAKE_SOURCE_DIR}/src/platform/system_library_win32.cpp)
ambrel_target_options(Ambrel32)
target_link_options(Ambrel32 PRIVATE ${AMBREL_WIN32_LINK})
target_link_libraries(Ambrel32 PRIVATE user32 kernel32)
add_dependencies(Ambrel32 Tesk32)
ambrel_add_resources(Ambrel32 ${CMAKE_SOURCE_DIR}/src/companion/ambrel32.rc)
