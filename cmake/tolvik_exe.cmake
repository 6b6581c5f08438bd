# Tolvik.exe, with its version record, icon and manifest.
enable_language(RC)
# The window and its run, shared by Tolvik.exe and the Win32 tests.
add_library(tolvik_window STATIC src/window/frm_tolvik.cpp src/window/app_win32.cpp)
target_link_libraries(tolvik_window PUBLIC tolvik_core comctl32 gdi32)
add_executable(Tolvik WIN32
  src/window/main.cpp
  src/window/tolvik.rc)
target_link_libraries(Tolvik PRIVATE tolvik_window)
target_link_options(Tolvik PRIVATE -municode)
set_source_files_properties(src/window/tolvik.rc PROPERTIES
  OBJECT_DEPENDS "${CMAKE_SOURCE_DIR}/src/window/tolvik.ico;${CMAKE_SOURCE_DIR}/src/window/tolvik.manifest")
if(CMAKE_BUILD_TYPE STREQUAL "MinSizeRel")
  target_link_options(Tolvik PRIVATE -s)
endif()
