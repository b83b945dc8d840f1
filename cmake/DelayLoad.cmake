# Loads system DLLs of an executable only when it first calls into them.
#
# Kavinta creates its main window, and so starts its start timer, before it creates any
# control; the common controls and the theme library are first needed for the controls.
# Loaded at start they delay the main window by their load time (under Wine the theme is
# read then); loaded on first use they load while the start timer runs.
#
# kv_delay_load(<target> <dll name without .dll> ...)
#
# MSVC's linker and lld build a delay-load table themselves. GNU ld cannot: GNU dlltool makes
# a library of delay-load stubs instead, whose address table the stubs overwrite at the first
# call. That table must stay writable, which GNU ld keeps it but lld does not (it merges it
# into read-only data, and the first call into the DLL faults), so with lld the delay-load
# table is lld's own. lld 14 builds it only from import libraries in LLVM's short format,
# which llvm-dlltool makes from the same export list.

function(kv_delay_load target)
  if(MSVC)
    foreach(dll IN LISTS ARGN)
      target_link_options(${target} PRIVATE /DELAYLOAD:${dll}.dll)
    endforeach()
    target_link_libraries(${target} PRIVATE delayimp)
    return()
  endif()
  if(NOT MINGW)
    return()
  endif()
  if(CMAKE_CXX_COMPILER_ID STREQUAL "Clang")
    # Beside clang itself (Debian's /usr/lib/llvm-<n>/bin) or on the path.
    get_filename_component(clang_dir "${CMAKE_CXX_COMPILER}" REALPATH)
    get_filename_component(clang_dir "${clang_dir}" DIRECTORY)
    find_program(KV_LLVM_DLLTOOL NAMES llvm-dlltool HINTS ${clang_dir})
    set(dlltool ${KV_LLVM_DLLTOOL})
  else()
    string(REGEX REPLACE "g\\+\\+(-posix|-win32)?(\\.exe)?$" "" prefix "${CMAKE_CXX_COMPILER}")
    find_program(KV_DLLTOOL NAMES ${prefix}dlltool dlltool)
    set(dlltool ${KV_DLLTOOL})
  endif()
  if(NOT dlltool OR NOT CMAKE_NM)
    message(STATUS "dlltool or nm not found: ${ARGN} are loaded at start")
    return()
  endif()
  set(dir ${CMAKE_BINARY_DIR}/delayload)
  file(MAKE_DIRECTORY ${dir})
  foreach(dll IN LISTS ARGN)
    # The delay-load library exports what the ordinary import library exports.
    find_library(KV_IMPLIB_${dll} NAMES lib${dll}.a ${dll})
    if(NOT KV_IMPLIB_${dll})
      message(STATUS "no import library for ${dll}: it is loaded at start")
      continue()
    endif()
    execute_process(COMMAND ${CMAKE_NM} -g ${KV_IMPLIB_${dll}} OUTPUT_VARIABLE symbols RESULT_VARIABLE failed)
    string(REGEX MATCHALL "__imp_[A-Za-z0-9_]+" imports "${symbols}")
    list(REMOVE_DUPLICATES imports)
    list(TRANSFORM imports REPLACE "^__imp_" "")
    if(failed OR NOT imports)
      message(STATUS "could not list the exports of ${dll}: it is loaded at start")
      continue()
    endif()
    list(JOIN imports "\n" exports)
    file(WRITE ${dir}/${dll}.def "LIBRARY ${dll}.dll\nEXPORTS\n${exports}\n")
    set(delaylib ${dir}/lib${dll}_delayed.a)
    if(CMAKE_CXX_COMPILER_ID STREQUAL "Clang")
      set(make_library ${dlltool} -m i386:x86-64 -d ${dir}/${dll}.def -l ${delaylib})
    else()
      set(make_library ${dlltool} --input-def ${dir}/${dll}.def --dllname ${dll}.dll --output-delaylib ${delaylib})
    endif()
    execute_process(COMMAND ${make_library} RESULT_VARIABLE failed)
    if(failed)
      message(STATUS "dlltool could not make a delay-load library for ${dll}: it is loaded at start")
      continue()
    endif()
    # Named after the code that calls the DLL and before the ordinary import libraries,
    # so that the linker takes it.
    target_link_libraries(${target} PRIVATE ${delaylib})
    if(CMAKE_CXX_COMPILER_ID STREQUAL "Clang")
      target_link_options(${target} PRIVATE -Wl,--delayload=${dll}.dll)
    endif()
  endforeach()
endfunction()
