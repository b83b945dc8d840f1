# Loads system DLLs of an executable only when it first calls into them.
#
# Kavinta creates its main window, and so starts its start timer, before it creates any
# control; the common controls and the theme library are first needed for the controls.
# Loaded at start they delay the main window by their load time (under Wine the theme is
# read then); loaded on first use they load while the start timer runs.
#
# kv_delay_load(<target> <dll name without .dll> ...)

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
  string(REGEX REPLACE "g\\+\\+(-posix|-win32)?(\\.exe)?$" "" prefix "${CMAKE_CXX_COMPILER}")
  find_program(KV_DLLTOOL NAMES ${prefix}dlltool dlltool)
  if(NOT KV_DLLTOOL OR NOT CMAKE_NM)
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
    execute_process(COMMAND ${KV_DLLTOOL} --input-def ${dir}/${dll}.def --dllname ${dll}.dll
                            --output-delaylib ${delaylib}
                    RESULT_VARIABLE failed)
    if(failed)
      message(STATUS "dlltool could not make a delay-load library for ${dll}: it is loaded at start")
      continue()
    endif()
    # Named after the code that calls the DLL and before the ordinary import libraries,
    # so that the linker takes it.
    target_link_libraries(${target} PRIVATE ${delaylib})
  endforeach()
endfunction()
