# SPDX-License-Identifier: GPL-3.0-or-later
# `cmake --install` (and the Debian package, see Package.cmake) lays the game
# out as the desktop's other games: the program and its modules in one private
# folder, its files that every architecture shares in another, the command
# `zumirak` on the games path, the desktop entry, the icons, the AppStream
# metadata, the manual page and the licence and changelog.
include(GNUInstallDirs)
set(ZUMIRAK_INSTALL_DIR "${ZUMIRAK_PROGRAM_INSTALL_DIR}")
set(ZUMIRAK_COMMAND_DIR "games")
set(ZUMIRAK_DOC_DIR "${CMAKE_INSTALL_DATADIR}/doc/zumirak")

install(TARGETS zumirak RUNTIME DESTINATION "${ZUMIRAK_INSTALL_DIR}")
# The mixer module goes beside the program, where the program loads it from.
install(TARGETS zumirak_mixer LIBRARY DESTINATION "${ZUMIRAK_INSTALL_DIR}")
# Everything else in bin/ is the program's files (pictures, sounds, shapes,
# help), apart from the tests and benchmarks.
install(DIRECTORY "${ZUMIRAK_BIN_DIR}/" DESTINATION "${ZUMIRAK_DATA_INSTALL_DIR}"
  PATTERN "zumirak" EXCLUDE
  PATTERN "*.so" EXCLUDE
  PATTERN "test_*" EXCLUDE
  PATTERN "fuzz_*" EXCLUDE
  PATTERN "bench_*" EXCLUDE)
# The modules beside the program are stripped here too when stripping is
# asked for (the package asks for it).
install(CODE "
  if(CMAKE_INSTALL_DO_STRIP)
    file(GLOB modules \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${ZUMIRAK_INSTALL_DIR}/*.so*\")
    foreach(module IN LISTS modules)
      execute_process(COMMAND \"${CMAKE_STRIP}\" --strip-unneeded \"\${module}\")
    endforeach()
  endif()")

# The command: a link to the program, which finds its modules beside the
# link's target and its files in the shared folder.
install(CODE "file(MAKE_DIRECTORY \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${ZUMIRAK_COMMAND_DIR}\")
  execute_process(COMMAND ${CMAKE_COMMAND} -E create_symlink
    \"../${ZUMIRAK_INSTALL_DIR}/zumirak\"
    \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${ZUMIRAK_COMMAND_DIR}/zumirak\")")

install(FILES "${CMAKE_SOURCE_DIR}/packaging/${ZUMIRAK_APP_ID}.desktop"
  DESTINATION "${CMAKE_INSTALL_DATADIR}/applications")
install(FILES "${CMAKE_SOURCE_DIR}/packaging/${ZUMIRAK_APP_ID}.metainfo.xml"
  DESTINATION "${CMAKE_INSTALL_DATADIR}/metainfo")
# The stage file type, so that a double click on a stage file opens the game.
install(FILES "${CMAKE_SOURCE_DIR}/packaging/${ZUMIRAK_APP_ID}.mime.xml"
  DESTINATION "${CMAKE_INSTALL_DATADIR}/mime/packages" RENAME "${ZUMIRAK_APP_ID}.xml")
install(DIRECTORY "${ZUMIRAK_ICON_DIR}/hicolor" DESTINATION "${CMAKE_INSTALL_DATADIR}/icons")
install(FILES "${ZUMIRAK_MAN_PAGE}" DESTINATION "${CMAKE_INSTALL_MANDIR}/man6")
install(FILES "${CMAKE_SOURCE_DIR}/packaging/copyright" "${ZUMIRAK_CHANGELOG}"
  DESTINATION "${ZUMIRAK_DOC_DIR}")
