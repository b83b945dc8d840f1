# The release artefacts of the Windows build, named after the project version:
#   release/Kavinta-<version>-win64/          Kavinta.exe, Kavinta.EN, README.txt
#   release/Kavinta-<version>-win64.zip       that folder, portable
#   release/Kavinta-<version>-win64-setup.exe the NSIS setup (when makensis is found)
# Built with every build (target kv_release), so the setup's tests find them.
set(KV_RELEASE_NAME Kavinta-${PROJECT_VERSION}-win64)
set(KV_RELEASE_DIR ${CMAKE_BINARY_DIR}/release)
set(KV_RELEASE_FILES ${KV_RELEASE_DIR}/${KV_RELEASE_NAME})
set(KV_RELEASE_ZIP ${KV_RELEASE_DIR}/${KV_RELEASE_NAME}.zip)
set(KV_RELEASE_SETUP ${KV_RELEASE_DIR}/${KV_RELEASE_NAME}-setup.exe)
file(MAKE_DIRECTORY ${KV_RELEASE_DIR})
set(KV_INSTALLER_SCRIPT ${CMAKE_SOURCE_DIR}/installer/Kavinta.nsi)

set(KV_VERSION ${PROJECT_VERSION})
configure_file(${CMAKE_SOURCE_DIR}/installer/README.txt ${KV_GENERATED_DIR}/README.txt @ONLY NEWLINE_STYLE CRLF)

find_program(KV_MAKENSIS makensis)

set(KV_RELEASE_OUTPUTS ${KV_RELEASE_ZIP})
set(KV_RELEASE_COMMANDS)
if(KV_MAKENSIS)
  list(APPEND KV_RELEASE_OUTPUTS ${KV_RELEASE_SETUP})
  set(KV_RELEASE_COMMANDS COMMAND ${KV_MAKENSIS} -V2 -DKV_VERSION=${PROJECT_VERSION}
      -DKV_FILES=${KV_RELEASE_FILES} -DKV_OUTFILE=${KV_RELEASE_SETUP} ${KV_INSTALLER_SCRIPT})
else()
  message(STATUS "makensis not found: the setup is not built (Debian package nsis)")
endif()

add_custom_command(OUTPUT ${KV_RELEASE_OUTPUTS}
  COMMAND ${CMAKE_COMMAND} -E rm -rf ${KV_RELEASE_FILES}
  COMMAND ${CMAKE_COMMAND} -E make_directory ${KV_RELEASE_FILES}
  COMMAND ${CMAKE_COMMAND} -E copy $<TARGET_FILE:Kavinta> $<TARGET_FILE:Kavinta_EN>
          ${KV_GENERATED_DIR}/README.txt ${KV_RELEASE_FILES}
  COMMAND ${CMAKE_COMMAND} -E rm -f ${KV_RELEASE_ZIP}
  COMMAND ${CMAKE_COMMAND} -E tar cf ${KV_RELEASE_ZIP} --format=zip ${KV_RELEASE_NAME}
  ${KV_RELEASE_COMMANDS}
  WORKING_DIRECTORY ${KV_RELEASE_DIR}
  DEPENDS Kavinta Kavinta_EN ${KV_GENERATED_DIR}/README.txt ${KV_INSTALLER_SCRIPT}
  COMMENT "Packing ${KV_RELEASE_NAME}"
  VERBATIM)
add_custom_target(kv_release ALL DEPENDS ${KV_RELEASE_OUTPUTS})
