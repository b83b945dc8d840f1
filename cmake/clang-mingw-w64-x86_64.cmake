# Cross build for 64-bit Windows with clang and lld on Linux: the second compiler of the
# Windows code. The headers and libraries are MinGW-w64's, the C++ library GCC 12's posix
# libstdc++ (as with cmake/mingw-w64-x86_64.cmake), so both builds see the same platform.
include(${CMAKE_CURRENT_LIST_DIR}/mingw-w64-target.cmake)

set(KV_MINGW_GCC_DIR /usr/lib/gcc/${KV_MINGW_PREFIX}/12-posix)
set(CMAKE_C_COMPILER clang)
set(CMAKE_CXX_COMPILER clang++)
set(CMAKE_C_COMPILER_TARGET ${KV_MINGW_PREFIX})
set(CMAKE_CXX_COMPILER_TARGET ${KV_MINGW_PREFIX})
# Without a sysroot clang would take the host's /usr/include.
set(CMAKE_SYSROOT /usr/${KV_MINGW_PREFIX})
# GCC for this target predefines how type_info compares (out of line, by name); libstdc++
# was built so, and clang must agree, or type_info::operator== is defined twice.
set(CMAKE_CXX_FLAGS_INIT
    "-isystem ${KV_MINGW_GCC_DIR}/include/c++ -isystem ${KV_MINGW_GCC_DIR}/include/c++/${KV_MINGW_PREFIX} -D__GXX_TYPEINFO_EQUALITY_INLINE=0 -D__GXX_MERGED_TYPEINFO_NAMES=0")
# GCC links winpthreads for libstdc++ itself; clang must be told (lld takes the libraries in
# any order).
set(KV_CLANG_LINK_FLAGS "-fuse-ld=lld -L${KV_MINGW_GCC_DIR} -lpthread")
set(CMAKE_EXE_LINKER_FLAGS_INIT "${KV_CLANG_LINK_FLAGS}")
set(CMAKE_SHARED_LINKER_FLAGS_INIT "${KV_CLANG_LINK_FLAGS}")
set(CMAKE_MODULE_LINKER_FLAGS_INIT "${KV_CLANG_LINK_FLAGS}")
