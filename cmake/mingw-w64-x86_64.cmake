# Cross build for 64-bit Windows with MinGW-w64 on Linux.
# The -posix compiler variants are required: the -win32 ones lack std::thread and
# std::mutex, which GoogleTest needs.
include(${CMAKE_CURRENT_LIST_DIR}/mingw-w64-target.cmake)

set(CMAKE_C_COMPILER ${KV_MINGW_PREFIX}-gcc-posix)
set(CMAKE_CXX_COMPILER ${KV_MINGW_PREFIX}-g++-posix)
