# Windows build (mingw-w64): Tolvik.exe, the stand-in vzdapi.dll and the
# practice room, and the Win32 tests that CTest runs under Wine (scripts/wine).
set(CMAKE_RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/bin)
set(CMAKE_LIBRARY_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/bin)
add_compile_definitions(WIN32_LEAN_AND_MEAN NOMINMAX _WIN32_WINNT=0x0601 UNICODE _UNICODE)
# GCC's (mingw-w64's) flags: a static exe, wWinMain as the entry point.
set(GNU $<NOT:$<CXX_COMPILER_ID:MSVC>>)
add_link_options($<${GNU}:-static> $<${GNU}:-static-libgcc> $<${GNU}:-static-libstdc++>)
# The same sources give the same exe, byte for byte, in any folder and at any
# time: no link time stamp in the PE header, no build folder in the code.
add_link_options($<${GNU}:-Wl,--no-insert-timestamp>)
add_compile_options($<${GNU}:-ffile-prefix-map=${CMAKE_SOURCE_DIR}/=>)

add_library(tolvik_core STATIC ${TOLVIK_CORE_SOURCES})
target_include_directories(tolvik_core PUBLIC src)

# The Win32 shell: the window, its run, the vzdapi.dll adapter; shared by
# Tolvik.exe and the Win32 tests.
add_library(tolvik_win32 STATIC src/win32/frm_tolvik.cpp src/win32/dpi.cpp src/win32/gdi.cpp
                                src/win32/app.cpp src/win32/vzdapi_library.cpp
                                src/win32/library_folders.cpp src/win32/accessible_names.cpp)
target_link_libraries(tolvik_win32 PUBLIC tolvik_text tolvik_core comctl32 gdi32 ole32 oleaut32)
# ANSI text, for Tolvik and for the practice room, which stands in for the client.
add_library(tolvik_text STATIC src/win32/ansi_text.cpp)
target_include_directories(tolvik_text PUBLIC src)

# The version record and the manifest take project()'s version: major,
# minor, build. The record shows the minor in two digits: 1.2.34 as 1.02.34.
set(TOLVIK_VERSION_NUMBERS "${PROJECT_VERSION_MAJOR},${PROJECT_VERSION_MINOR},0,${PROJECT_VERSION_PATCH}")
set(TOLVIK_VERSION_DOTTED "${PROJECT_VERSION_MAJOR}.${PROJECT_VERSION_MINOR}.0.${PROJECT_VERSION_PATCH}")
string(REGEX REPLACE "^([0-9])$" "0\\1" minor "${PROJECT_VERSION_MINOR}")
set(TOLVIK_VERSION_TEXT "${PROJECT_VERSION_MAJOR}.${minor}.${PROJECT_VERSION_PATCH}")
set(GENERATED ${CMAKE_BINARY_DIR}/generated)
configure_file(src/win32/version.h.in ${GENERATED}/version.h @ONLY)
configure_file(src/win32/tolvik.manifest.in ${GENERATED}/tolvik.manifest @ONLY)

# Tolvik.exe, with its version record, icon and manifest.
enable_language(RC)
add_executable(Tolvik WIN32 src/win32/main.cpp src/win32/tolvik.rc)
target_include_directories(Tolvik PRIVATE ${GENERATED})
target_link_libraries(Tolvik PRIVATE tolvik_win32)
target_link_options(Tolvik PRIVATE $<${GNU}:-municode>)
set_source_files_properties(src/win32/tolvik.rc PROPERTIES
  OBJECT_DEPENDS "${CMAKE_SOURCE_DIR}/src/win32/tolvik.ico;${GENERATED}/tolvik.manifest;${GENERATED}/version.h")
# Stripped by the linker: strip itself would stamp the time into the header.
target_link_options(Tolvik PRIVATE $<${GNU}:-s>)

add_library(sim_channel STATIC sim/channel/sim_channel.cpp)
target_include_directories(sim_channel PUBLIC sim PRIVATE src)

function(add_vzdapi name def)
  add_library(${name} SHARED sim/vzdapi/vzdapi.cpp ${def})
  target_link_libraries(${name} PRIVATE sim_channel oleaut32)
  set_target_properties(${name} PROPERTIES PREFIX "")
  if(CMAKE_SIZEOF_VOID_P EQUAL 4)
    target_link_options(${name} PRIVATE $<${GNU}:-Wl,--enable-stdcall-fixup>)
  endif()
endfunction()
add_vzdapi(vzdapi sim/vzdapi/vzdapi.def)
# The same library lacking DapiESP, for the loader's error path.
add_vzdapi(vzdapi_lacking sim/vzdapi/vzdapi_lacking.def)
set_target_properties(vzdapi_lacking PROPERTIES LIBRARY_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/bin/lacking
                                                  RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/bin/lacking
                                                  ARCHIVE_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/lacking-lib
                                                  OUTPUT_NAME vzdapi)

# The library that needs another one, tolvik_absent.dll, built where no
# test copies it: Windows finds vzdapi.dll but cannot load it.
add_library(tolvik_absent SHARED sim/vzdapi/absent.cpp)
set_target_properties(tolvik_absent PROPERTIES PREFIX "" RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/absent)
add_vzdapi(vzdapi_needs_absent sim/vzdapi/vzdapi.def)
target_sources(vzdapi_needs_absent PRIVATE sim/vzdapi/needs_absent.cpp)
target_link_libraries(vzdapi_needs_absent PRIVATE tolvik_absent)
set_target_properties(vzdapi_needs_absent PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/bin/needs-absent
                                                       ARCHIVE_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/needs-absent-lib
                                                       OUTPUT_NAME vzdapi)

add_library(practice STATIC sim/practice/script.cpp sim/practice/game_check.cpp)
target_include_directories(practice PUBLIC sim)

add_executable(vzsim WIN32 sim/practice/main.cpp sim/practice/practice_room.cpp)
target_link_libraries(vzsim PRIVATE sim_channel practice tolvik_text comctl32 gdi32)
target_link_options(vzsim PRIVATE $<${GNU}:-municode>)

add_executable(tolvik_pilot WIN32 sim/pilot/main.cpp)
target_include_directories(tolvik_pilot PRIVATE src)
target_link_options(tolvik_pilot PRIVATE $<${GNU}:-municode>)

# The Win32 tests, with GoogleTest built for Windows from its sources
# (Debian's googletest package). Tolvik.exe itself needs neither.
option(TOLVIK_TESTS "Build the Win32 and end-to-end tests (needs GoogleTest's sources)" ON)
find_path(GOOGLETEST_SOURCE_DIR NAMES googletest/CMakeLists.txt
          PATHS /usr/src/googletest ENV GOOGLETEST_SOURCE_DIR NO_CMAKE_FIND_ROOT_PATH
          DOC "GoogleTest's source tree")
if(TOLVIK_TESTS AND NOT GOOGLETEST_SOURCE_DIR)
  message(WARNING "GoogleTest's sources were not found (install googletest or set "
                  "GOOGLETEST_SOURCE_DIR): the Win32 tests are switched off")
  set(TOLVIK_TESTS OFF)
endif()
if(TOLVIK_TESTS)
  set(gtest_force_shared_crt OFF CACHE BOOL "" FORCE)
  set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
  set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
  add_subdirectory(${GOOGLETEST_SOURCE_DIR} ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)

  file(GLOB WIN_TEST_SOURCES CONFIGURE_DEPENDS tests/win/*.cpp)
  # With Tolvik's resources, so that the window made in-process has its icon.
  add_executable(win_tests ${WIN_TEST_SOURCES} src/win32/tolvik.rc)
  target_include_directories(win_tests PRIVATE tests ${GENERATED})
  target_link_libraries(win_tests PRIVATE tolvik_win32 sim_channel gtest gtest_main comctl32)
  add_dependencies(win_tests vzdapi vzdapi_lacking vzdapi_needs_absent vzsim)
endif()

# The latency from an announcement to Tolvik's ESP, end to end (make bench-latency).
add_executable(latency_bench bench/latency.cpp)
target_include_directories(latency_bench PRIVATE tests)
target_link_libraries(latency_bench PRIVATE tolvik_win32 sim_channel)
add_dependencies(latency_bench Tolvik vzdapi)

if(TOLVIK_TESTS AND CMAKE_CROSSCOMPILING_EMULATOR)
  # Two CTest tests, so a failure names its area: the end-to-end suite, and
  # every other suite (the window's), so a new suite cannot be left out. Both
  # carry the label wine (ctest -L wine).
  add_test(NAME win_Window COMMAND win_tests --gtest_filter=-EndToEnd.*)
  add_test(NAME win_EndToEnd COMMAND win_tests --gtest_filter=EndToEnd.*)
  set_tests_properties(win_Window win_EndToEnd PROPERTIES LABELS wine)
endif()
