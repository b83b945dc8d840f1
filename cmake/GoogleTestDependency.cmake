# Finds GoogleTest and sets KV_HAVE_GTEST. Provides GTest::gtest_main and GTest::gmock.
#  - Native Linux build: the system package (libgtest-dev).
#  - Windows builds: built from source, from KV_GTEST_SOURCE_DIR (Debian's googletest
#    package by default), else an installed package config (for example from vcpkg).
set(KV_HAVE_GTEST OFF)
if(NOT WIN32)
  find_package(GTest REQUIRED)
  set(KV_HAVE_GTEST ON)
  return()
endif()

set(KV_GTEST_SOURCE_DIR "/usr/src/googletest" CACHE PATH "GoogleTest source tree for Windows builds")
if(EXISTS ${KV_GTEST_SOURCE_DIR}/CMakeLists.txt)
  set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
  set(BUILD_GMOCK ON CACHE BOOL "" FORCE)
  set(gtest_force_shared_crt ON CACHE BOOL "" FORCE)
  add_subdirectory(${KV_GTEST_SOURCE_DIR} ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
  foreach(lib gtest gtest_main gmock gmock_main)
    if(NOT TARGET GTest::${lib})
      add_library(GTest::${lib} ALIAS ${lib})
    endif()
  endforeach()
  set(KV_HAVE_GTEST ON)
else()
  find_package(GTest CONFIG QUIET)
  if(GTest_FOUND)
    set(KV_HAVE_GTEST ON)
  else()
    message(WARNING "GoogleTest not found: set KV_GTEST_SOURCE_DIR to a GoogleTest source "
                    "tree (or install its CMake package); the tests are not built.")
  endif()
endif()
