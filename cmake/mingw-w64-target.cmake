# What both cross toolchains for 64-bit Windows share (cmake/mingw-w64-x86_64.cmake with
# GCC, cmake/clang-mingw-w64-x86_64.cmake with clang): the target, the resource compiler,
# where the MinGW-w64 headers and libraries are found, and Wine to run what was built.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(KV_MINGW_PREFIX x86_64-w64-mingw32)
set(CMAKE_RC_COMPILER ${KV_MINGW_PREFIX}-windres)
# windres runs the C preprocessor itself; point it at the posix gcc explicitly.
set(CMAKE_RC_FLAGS_INIT
    "--preprocessor=${KV_MINGW_PREFIX}-gcc-posix --preprocessor-arg=-E --preprocessor-arg=-xc --preprocessor-arg=-DRC_INVOKED")

set(CMAKE_FIND_ROOT_PATH /usr/${KV_MINGW_PREFIX})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# CTest starts the Windows test executables through Wine.
find_program(KV_WINE_PROGRAM NAMES wine wine64 REQUIRED)
set(CMAKE_CROSSCOMPILING_EMULATOR ${KV_WINE_PROGRAM})
