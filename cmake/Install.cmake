# What `cmake --install build [--prefix P]` puts where games go. Included at the end of the top
# CMakeLists, so every target is known, whichever folder defines it.
#
#   component game:   bin/quorvald, bin/quor-playstage, share/quorvald/ (the game folder's data),
#                     share/applications/<id>.desktop, share/metainfo/<id>.metainfo.xml,
#                     share/icons/hicolor/<N>x<N>/apps/<id>.png
#   component server: bin/quorvald-server, share/doc/quorvald-server/examples/quorvald-server.service
#                     and quorvald-server.nginx.conf
#
# The installed game finds its data from its own place: DefaultGameFolder (foundation) goes from
# its bin folder to the data folder by QUOR_DATA_FROM_BIN. Installed, the data folder is read-only
# to players, so the game keeps their state under $XDG_DATA_HOME/quorvald.
include(GNUInstallDirs)

set(QUOR_DATA_DIR ${CMAKE_INSTALL_DATADIR}/quorvald)
file(RELATIVE_PATH QUOR_DATA_FROM_BIN ${CMAKE_INSTALL_FULL_BINDIR} ${CMAKE_INSTALL_FULL_DATADIR}/quorvald)
target_compile_definitions(quor_foundation PRIVATE QUOR_DATA_FROM_BIN="${QUOR_DATA_FROM_BIN}")

install(TARGETS quorvald quor-playstage RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR} COMPONENT game)

# The game folder as the generator made it: its folders, without the programs beside them and
# without what a game started from the build folder wrote there (the same things CopyBuiltGame in
# tests/common leaves out): log, screenshots, player state, player stages, lock, partial files.
install(DIRECTORY ${QUOR_GAME_DIR}/ DESTINATION ${QUOR_DATA_DIR} COMPONENT game
        PATTERN "quorvald" EXCLUDE
        PATTERN "quor-*" EXCLUDE
        PATTERN "*.lock" EXCLUDE
        PATTERN "*.quorvald-partial" EXCLUDE
        PATTERN "log" EXCLUDE
        PATTERN "screenshots" EXCLUDE
        PATTERN "network" EXCLUDE
        REGEX "/stage/(original|downloaded)/." EXCLUDE)
# Of the player's state only the shipped defaults.
install(DIRECTORY ${QUOR_GAME_DIR}/network DESTINATION ${QUOR_DATA_DIR} COMPONENT game
        FILES_MATCHING PATTERN "*_init.dat")

# The launcher entry, the software-centre metadata and the icon the generator drew.
set(QUOR_DIST_DIR ${CMAKE_BINARY_DIR}/dist)
configure_file(${PROJECT_SOURCE_DIR}/dist/quorvald.desktop.in ${QUOR_DIST_DIR}/${QUOR_APP_ID}.desktop @ONLY)
configure_file(${PROJECT_SOURCE_DIR}/dist/quorvald.metainfo.xml.in ${QUOR_DIST_DIR}/${QUOR_APP_ID}.metainfo.xml
               @ONLY)
install(FILES ${QUOR_DIST_DIR}/${QUOR_APP_ID}.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications
        COMPONENT game)
install(FILES ${QUOR_DIST_DIR}/${QUOR_APP_ID}.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo
        COMPONENT game)
install(DIRECTORY ${QUOR_ICON_DIR}/ DESTINATION ${CMAKE_INSTALL_DATADIR}/icons COMPONENT game)

if(TARGET quorvald-server)
  install(TARGETS quorvald-server RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR} COMPONENT server)
  install(FILES ${PROJECT_SOURCE_DIR}/dist/quorvald-server.service
                ${PROJECT_SOURCE_DIR}/dist/quorvald-server.nginx.conf
          DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/quorvald-server/examples COMPONENT server)
endif()

# `sudo cmake -P build/uninstall.cmake` (or the target `uninstall`) removes what the last
# `cmake --install` of this build put in place.
configure_file(${PROJECT_SOURCE_DIR}/cmake/Uninstall.cmake.in ${CMAKE_BINARY_DIR}/uninstall.cmake @ONLY)
add_custom_target(uninstall COMMAND ${CMAKE_COMMAND} -P ${CMAKE_BINARY_DIR}/uninstall.cmake VERBATIM)

# The launcher entry and the metadata pass the desktop's own checkers (scripts/install-deps.sh
# installs them).
if(QUOR_TESTS)
  function(quor_validation_test name tool)
    find_program(QUOR_TOOL_${name} ${tool})
    if(QUOR_TOOL_${name})
      add_test(NAME ${name} COMMAND ${QUOR_TOOL_${name}} ${ARGN})
    else()
      add_test(NAME ${name} COMMAND sh -c "echo '${tool} is missing: run scripts/install-deps.sh'; exit 1")
    endif()
  endfunction()
  quor_validation_test(desktop_entry_validates desktop-file-validate ${QUOR_DIST_DIR}/${QUOR_APP_ID}.desktop)
  quor_validation_test(metainfo_validates appstreamcli validate --no-net --pedantic
                       ${QUOR_DIST_DIR}/${QUOR_APP_ID}.metainfo.xml)
  # The server's example unit keeps its sandbox: systemd's own review scores it below 3 (of 10).
  quor_validation_test(server_unit_is_sandboxed systemd-analyze security --offline=true --threshold=29
                       ${PROJECT_SOURCE_DIR}/dist/quorvald-server.service)
endif()
