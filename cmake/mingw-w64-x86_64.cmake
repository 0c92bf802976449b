# Windows x86-64 programs built with mingw-w64.
#
# On Linux this cross-compiles with Debian's g++-mingw-w64-x86-64-posix (the POSIX-threads
# variant, which std::thread and GoogleTest need) and runs the built programs under Wine through
# tools/wine-run.sh. On Windows (an MSYS2 MinGW-w64 shell) the compilers on PATH already target
# Windows, so nothing is cross-compiled and the programs run as they are.
#
# The C and C++ runtimes are linked statically by the top-level CMakeLists.txt, so every .exe
# runs without extra DLLs.

if(CMAKE_HOST_WIN32)
  set(CMAKE_C_COMPILER gcc)
  set(CMAKE_CXX_COMPILER g++)
  set(CMAKE_RC_COMPILER windres)
  return()
endif()

set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(CW_MINGW_TRIPLET x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${CW_MINGW_TRIPLET}-gcc-posix)
set(CMAKE_CXX_COMPILER ${CW_MINGW_TRIPLET}-g++-posix)
set(CMAKE_RC_COMPILER ${CW_MINGW_TRIPLET}-windres)

# Libraries and headers come from the mingw-w64 tree only; build tools from the host.
set(CMAKE_FIND_ROOT_PATH /usr/${CW_MINGW_TRIPLET})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# CTest (and anything else that runs a target) starts the programs under Wine. The wrapper
# keeps its Wine prefix in the build tree it finds above the program.
if(NOT CMAKE_CROSSCOMPILING_EMULATOR)
  get_filename_component(CMAKE_CROSSCOMPILING_EMULATOR
                         ${CMAKE_CURRENT_LIST_DIR}/../tools/wine-run.sh ABSOLUTE)
endif()
