# Configure-time generators for the resource script.

# Turns the text list (lines `KV_TEXT(number, name, L"text")`, UTF-8) into an rc
# STRINGTABLE fragment. C escapes are kept, except `\"`, which rc spells `""`.
function(kv_generate_string_table inc_file out_file)
  set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${inc_file})
  file(READ ${inc_file} content)
  # Protect the characters that CMake's list handling would interpret.
  string(REPLACE ";" "@KV_SEMI@" content "${content}")
  string(REPLACE "[" "@KV_LBR@" content "${content}")
  string(REPLACE "]" "@KV_RBR@" content "${content}")
  string(REPLACE "\r" "" content "${content}")
  string(REPLACE "\n" ";" lines "${content}")

  set(entries "")
  set(count 0)
  foreach(line IN LISTS lines)
    if(NOT line MATCHES "^[ \t]*KV_TEXT[ \t]*\\(")
      continue()
    endif()
    if(NOT line MATCHES "^[ \t]*KV_TEXT\\(([0-9]+),[ \t]*[A-Za-z_][A-Za-z0-9_]*,[ \t]*L\"(.*)\"\\)[ \t]*$")
      message(FATAL_ERROR "${inc_file}: cannot read text line: ${line}")
    endif()
    set(number ${CMAKE_MATCH_1})
    set(text "${CMAKE_MATCH_2}")
    string(REPLACE "\\\"" "\"\"" text "${text}")
    string(APPEND entries "    ${number}, \"${text}\"\n")
    math(EXPR count "${count} + 1")
  endforeach()
  if(count EQUAL 0)
    message(FATAL_ERROR "${inc_file}: no KV_TEXT lines found")
  endif()
  string(REPLACE "@KV_SEMI@" ";" entries "${entries}")
  string(REPLACE "@KV_LBR@" "[" entries "${entries}")
  string(REPLACE "@KV_RBR@" "]" entries "${entries}")

  set(rc "// Generated from ${inc_file}; do not edit.\n")
  string(APPEND rc "#pragma code_page(65001)\nSTRINGTABLE\nBEGIN\n${entries}END\n")
  kv_write_if_changed(${out_file} "${rc}")
endfunction()

# Stops the configuration unless both text lists hold exactly the same numbers, so that a
# language module never lacks a text of the program or carries one it does not know.
function(kv_check_same_text_numbers first_file second_file)
  set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${first_file} ${second_file})
  foreach(file IN ITEMS ${first_file} ${second_file})
    file(STRINGS ${file} lines REGEX "^[ \t]*KV_TEXT\\([0-9]+,")
    set(numbers "")
    foreach(line IN LISTS lines)
      string(REGEX MATCH "KV_TEXT\\(([0-9]+)," ignored "${line}")
      list(APPEND numbers ${CMAKE_MATCH_1})
    endforeach()
    list(SORT numbers)
    set(numbers_${file} "${numbers}")
  endforeach()
  set(a "${numbers_${first_file}}")
  set(b "${numbers_${second_file}}")
  if(NOT a STREQUAL b)
    set(only_a ${a})
    set(only_b ${b})
    list(REMOVE_ITEM only_a ${b})
    list(REMOVE_ITEM only_b ${a})
    message(FATAL_ERROR "Text lists differ: only in ${first_file}: ${only_a}; only in ${second_file}: ${only_b}")
  endif()
endfunction()

# Writes the project version as the numbers and text the version resource needs.
function(kv_generate_version_header out_file)
  set(v ${PROJECT_VERSION_MAJOR},${PROJECT_VERSION_MINOR},${PROJECT_VERSION_PATCH},${PROJECT_VERSION_TWEAK})
  set(t "${PROJECT_VERSION_MAJOR}.${PROJECT_VERSION_MINOR}.${PROJECT_VERSION_PATCH}.${PROJECT_VERSION_TWEAK}")
  kv_write_if_changed(${out_file}
    "// Generated from the project version; do not edit.\n#define KV_VERSION_NUMBERS ${v}\n#define KV_VERSION_TEXT \"${t}\"\n")
endfunction()

# The application manifest with the project version as its assembly version, which must have
# all four parts.
function(kv_generate_manifest in_file out_file)
  set(KV_MANIFEST_VERSION "${PROJECT_VERSION_MAJOR}.${PROJECT_VERSION_MINOR}.${PROJECT_VERSION_PATCH}.${PROJECT_VERSION_TWEAK}")
  configure_file(${in_file} ${out_file} @ONLY)
endfunction()

# Keeps the file's time stamp when its content is unchanged, so nothing rebuilds.
function(kv_write_if_changed path content)
  if(EXISTS ${path})
    file(READ ${path} old)
    if(old STREQUAL content)
      return()
    endif()
  endif()
  file(WRITE ${path} "${content}")
endfunction()

# The built-in styles: every res/styles/*.kvstyle file, in name order.
function(kv_style_files out_var)
  file(GLOB files CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/res/styles/*.kvstyle)
  list(SORT files)
  set(${out_var} ${files} PARENT_SCOPE)
endfunction()

# One resource of type KVSTYLE per style file, numbered from 1; the style's name is inside.
function(kv_generate_style_resources out_file)
  kv_style_files(files)
  set(rc "// Generated from res/styles/*.kvstyle; do not edit.\n")
  set(number 1)
  foreach(file IN LISTS files)
    string(APPEND rc "${number} KVSTYLE \"${file}\"\n")
    math(EXPR number "${number} + 1")
  endforeach()
  kv_write_if_changed(${out_file} "${rc}")
endfunction()

# The style files as C++ raw strings (KV_STYLE_TEXT(R"...")), for tests that read every
# built-in style without the resources.
function(kv_generate_style_texts out_file)
  kv_style_files(files)
  set(inc "// Generated from res/styles/*.kvstyle; do not edit.\n")
  foreach(file IN LISTS files)
    set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${file})
    file(READ ${file} content)
    string(APPEND inc "KV_STYLE_TEXT(R\"kvstyle(${content})kvstyle\")\n")
  endforeach()
  kv_write_if_changed(${out_file} "${inc}")
endfunction()
