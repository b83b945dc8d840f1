# Windows build: the program, its Win32 layer and its resources.
enable_language(RC)
include(${CMAKE_CURRENT_LIST_DIR}/StringTable.cmake)
include(${CMAKE_CURRENT_LIST_DIR}/DelayLoad.cmake)

set(KV_WIN_DEFINES UNICODE _UNICODE _WIN32_WINNT=0x0A00 WINVER=0x0A00 NOMINMAX WIN32_LEAN_AND_MEAN)
target_compile_definitions(kv_logic PUBLIC ${KV_WIN_DEFINES})

if(MINGW)
  target_compile_options(kv_logic PUBLIC -municode)
  # Static runtime: the executables import system DLLs only.
  target_link_options(kv_logic PUBLIC -static -static-libgcc -static-libstdc++)
  target_compile_options(kv_logic PRIVATE -Wall -Wextra)
else()
  target_compile_options(kv_logic PUBLIC /utf-8 /W4 /permissive-)
endif()

# The Win32 layer; an interface library while no win32/ sources exist yet.
set(KV_WIN32_LIBS user32 gdi32 comctl32 comdlg32 winmm ole32 oleaut32 uuid version advapi32
    shell32 uxtheme shcore mfplat mfreadwrite mfuuid)
if(KV_WIN32_SOURCES)
  add_library(kv_win32 STATIC ${KV_WIN32_SOURCES})
  target_link_libraries(kv_win32 PUBLIC kv_logic ${KV_WIN32_LIBS})
  if(MINGW)
    target_compile_options(kv_win32 PRIVATE -Wall -Wextra)
  endif()
else()
  add_library(kv_win32 INTERFACE)
  target_link_libraries(kv_win32 INTERFACE kv_logic ${KV_WIN32_LIBS})
endif()

# The string table comes from the same text list the portable code compiles in.
set(KV_GENERATED_DIR ${CMAKE_BINARY_DIR}/generated)
kv_generate_string_table(${CMAKE_SOURCE_DIR}/src/app/texts_de.inc
                         ${KV_GENERATED_DIR}/kv_strings.rc)
kv_generate_version_header(${KV_GENERATED_DIR}/kv_version.h)
kv_generate_manifest(${CMAKE_SOURCE_DIR}/res/Kavinta.manifest.in ${KV_GENERATED_DIR}/Kavinta.manifest)
kv_generate_string_table(${CMAKE_SOURCE_DIR}/src/app/texts_en.inc
                         ${KV_GENERATED_DIR}/kv_strings_en.rc)
kv_check_same_text_numbers(${CMAKE_SOURCE_DIR}/src/app/texts_de.inc
                           ${CMAKE_SOURCE_DIR}/src/app/texts_en.inc)
kv_generate_style_resources(${KV_GENERATED_DIR}/kv_styles.rc)
kv_style_files(KV_STYLE_FILES)
set(KV_RESOURCE_FILE ${CMAKE_SOURCE_DIR}/res/Kavinta.rc)
set(KV_RESOURCE_DEPENDS ${KV_GENERATED_DIR}/Kavinta.manifest
  ${KV_GENERATED_DIR}/kv_strings.rc ${KV_GENERATED_DIR}/kv_version.h
  ${KV_GENERATED_DIR}/kv_styles.rc ${KV_STYLE_FILES})

# Gives an executable the program's resources (manifest, version, string table, styles).
function(kv_add_resources target)
  target_sources(${target} PRIVATE ${KV_RESOURCE_FILE})
  # windres reports no included files, so name them; source properties are per directory.
  set_property(SOURCE ${KV_RESOURCE_FILE} TARGET_DIRECTORY ${target}
               APPEND PROPERTY OBJECT_DEPENDS ${KV_RESOURCE_DEPENDS})
  target_include_directories(${target} PRIVATE ${CMAKE_SOURCE_DIR}/res ${KV_GENERATED_DIR})
  if(MSVC)
    # The manifest is embedded by the resource script, not by the linker.
    target_link_options(${target} PRIVATE /MANIFEST:NO)
  endif()
endfunction()

# The English language module next to the executable: Kavinta.EN, a DLL of resources only,
# which the program loads as data when English is chosen for it.
add_library(Kavinta_EN MODULE ${CMAKE_SOURCE_DIR}/res/Kavinta_EN.rc)
set_target_properties(Kavinta_EN PROPERTIES PREFIX "" OUTPUT_NAME Kavinta SUFFIX ".EN"
                      LINKER_LANGUAGE CXX)
set_property(SOURCE ${CMAKE_SOURCE_DIR}/res/Kavinta_EN.rc APPEND PROPERTY OBJECT_DEPENDS
             ${KV_GENERATED_DIR}/kv_strings_en.rc)
target_include_directories(Kavinta_EN PRIVATE ${KV_GENERATED_DIR})
if(MINGW AND CMAKE_CXX_COMPILER_ID STREQUAL "Clang")
  # lld links no DLL without an entry point: a stub that is never called.
  target_sources(Kavinta_EN PRIVATE ${CMAKE_SOURCE_DIR}/res/resource_module_entry.cpp)
  target_link_options(Kavinta_EN PRIVATE -nostdlib -s)
elseif(MINGW)
  # No code and no entry point: the module is only ever loaded as data.
  target_link_options(Kavinta_EN PRIVATE -nostdlib -s -Wl,-e,0)
else()
  target_link_options(Kavinta_EN PRIVATE /NOENTRY /NODEFAULTLIB)
endif()

if(EXISTS ${CMAKE_SOURCE_DIR}/src/app/main.cpp)
  add_executable(Kavinta WIN32 src/app/main.cpp)
  add_dependencies(Kavinta Kavinta_EN)  # the program is always built with its language module
  target_link_libraries(Kavinta PRIVATE kv_win32)
  # After kv_win32, whose calls it must resolve. Media Foundation is first needed by the
  # player's thread, after the window is up.
  kv_delay_load(Kavinta comctl32 uxtheme mfplat mfreadwrite)
  target_include_directories(Kavinta PRIVATE ${CMAKE_SOURCE_DIR}/src)
  kv_add_resources(Kavinta)
  if(MINGW)
    # -municode selects wWinMain as the entry point; a release is shipped without symbols.
    target_link_options(Kavinta PRIVATE -municode $<$<CONFIG:Release>:-s>)
  endif()
  include(${CMAKE_CURRENT_LIST_DIR}/Release.cmake)  # the zip and the setup
else()
  message(STATUS "src/app/main.cpp not present yet: Kavinta.exe is not built")
endif()
