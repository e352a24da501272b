# Release packaging of the Windows build: the programs stripped into a staging folder, a zip
# archive of it with a read-me, and, when makensis (Debian package "nsis") is found, the setup
# program. Outputs land in <build>/release/.
set(ZAVRA_RELEASE_DIR ${CMAKE_BINARY_DIR}/release)
set(ZAVRA_STAGE_DIR "${ZAVRA_RELEASE_DIR}/Note Zavra")
set(ZAVRA_RELEASE_PROGRAMS notezavra ZavraNd ZavraSwiz ZavraL feedzavra)
set(ZAVRA_RELEASE_ZIP ${ZAVRA_RELEASE_DIR}/NoteZavra-${ZAVRA_VERSION}.zip)
set(ZAVRA_SETUP_EXE ${ZAVRA_RELEASE_DIR}/NoteZavra-${ZAVRA_VERSION}-setup.exe)

configure_file(${CMAKE_CURRENT_LIST_DIR}/README-release.txt.in ${ZAVRA_RELEASE_DIR}/README.txt @ONLY
    NEWLINE_STYLE CRLF)

set(stage_commands)
foreach(p ${ZAVRA_RELEASE_PROGRAMS})
  list(APPEND stage_commands COMMAND ${CMAKE_COMMAND} -E copy $<TARGET_FILE:${p}> ${ZAVRA_STAGE_DIR}/)
  if(CMAKE_STRIP)
    list(APPEND stage_commands COMMAND ${CMAKE_STRIP} --strip-unneeded ${ZAVRA_STAGE_DIR}/${p}.exe)
  endif()
endforeach()
add_custom_command(OUTPUT ${ZAVRA_RELEASE_DIR}/stage.stamp
    COMMAND ${CMAKE_COMMAND} -E rm -rf ${ZAVRA_STAGE_DIR}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${ZAVRA_STAGE_DIR}/snd
    ${stage_commands}
    COMMAND ${CMAKE_COMMAND} -E copy ${CMAKE_BINARY_DIR}/bin/icons.bmp ${ZAVRA_RELEASE_DIR}/README.txt
        ${ZAVRA_STAGE_DIR}/
    COMMAND ${CMAKE_COMMAND} -E copy ${CMAKE_BINARY_DIR}/bin/snd/clock.wav ${ZAVRA_STAGE_DIR}/snd/
    COMMAND ${CMAKE_COMMAND} -E touch ${ZAVRA_RELEASE_DIR}/stage.stamp
    DEPENDS ${ZAVRA_RELEASE_PROGRAMS} zavra_assets ${ZAVRA_RELEASE_DIR}/README.txt
    COMMENT "Staging the release files" VERBATIM)
# One target owns the staging, so the archive and the setup program never stage at once.
add_custom_target(zavra_release_stage DEPENDS ${ZAVRA_RELEASE_DIR}/stage.stamp)

add_custom_command(OUTPUT ${ZAVRA_RELEASE_ZIP}
    COMMAND ${CMAKE_COMMAND} -E rm -f ${ZAVRA_RELEASE_ZIP}
    COMMAND ${CMAKE_COMMAND} -E tar cf ${ZAVRA_RELEASE_ZIP} --format=zip "Note Zavra"
    WORKING_DIRECTORY ${ZAVRA_RELEASE_DIR}
    DEPENDS ${ZAVRA_RELEASE_DIR}/stage.stamp
    COMMENT "Packing the release archive" VERBATIM)
add_custom_target(zavra_release_zip ALL DEPENDS ${ZAVRA_RELEASE_ZIP})
add_dependencies(zavra_release_zip zavra_release_stage)

find_program(ZAVRA_MAKENSIS makensis)
if(NOT ZAVRA_MAKENSIS)
  message(STATUS "No makensis (Debian package nsis): the setup program is not built")
  return()
endif()
add_custom_command(OUTPUT ${ZAVRA_SETUP_EXE}
    COMMAND ${ZAVRA_MAKENSIS} -V2 -DZAVRA_VERSION=${ZAVRA_VERSION}
        -DZAVRA_VERSION_FULL=${ZAVRA_VERSION}.${ZAVRA_VERSION_BUILD} "-DZAVRA_COPYRIGHT=${ZAVRA_COPYRIGHT}"
        "-DZAVRA_STAGE=${ZAVRA_STAGE_DIR}" -DZAVRA_ASSETS=${CMAKE_BINARY_DIR}/assets
        -DZAVRA_OUTFILE=${ZAVRA_SETUP_EXE} ${CMAKE_CURRENT_LIST_DIR}/notezavra.nsi
    DEPENDS ${ZAVRA_RELEASE_DIR}/stage.stamp ${CMAKE_CURRENT_LIST_DIR}/notezavra.nsi
    COMMENT "Building the setup program" VERBATIM)
add_custom_target(zavra_installer ALL DEPENDS ${ZAVRA_SETUP_EXE})
add_dependencies(zavra_installer zavra_release_stage)

# The setup program under Wine, in a Wine prefix of its own made for each run.
if(ZAVRA_HAVE_GTEST AND CMAKE_HOST_UNIX)
  add_executable(installer_wintests ${PROJECT_SOURCE_DIR}/tests/win_test_main.cpp
      ${PROJECT_SOURCE_DIR}/tests/installer/installer_wintest.cpp ${PROJECT_SOURCE_DIR}/tests/e2e/programs_wintest.cpp)
  set_target_properties(installer_wintests PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/bin)
  target_link_options(installer_wintests PRIVATE ${ZAVRA_UNICODE_ENTRY})
  target_include_directories(installer_wintests PRIVATE ${PROJECT_SOURCE_DIR}/tests ${PROJECT_SOURCE_DIR})
  target_link_libraries(installer_wintests PRIVATE gtest)
  zavra_link_folders(installer_wintests ${ZAVRA_MAIN_FOLDERS} wizard)
  add_dependencies(installer_wintests zavra_installer)
  add_test(NAME installer_e2e COMMAND ${PROJECT_SOURCE_DIR}/tools/test-installer.sh ${CMAKE_BINARY_DIR})
  set_tests_properties(installer_e2e PROPERTIES LABELS windows TIMEOUT 900)
endif()
