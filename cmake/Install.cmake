# `cmake --install` (and the Debian package, see Package.cmake) lays the game
# out as the desktop's other games: the program with its files in one
# private folder, the command `zumirak` on the games path, the desktop entry,
# the icons, the AppStream metadata and the manual page.
include(GNUInstallDirs)
set(ZUMIRAK_INSTALL_DIR "lib/games/zumirak")
set(ZUMIRAK_COMMAND_DIR "games")

# Everything in bin/ is the program's, apart from the tests and benchmarks:
# the program, its pictures, sounds, shapes and help, and any module it loads
# at run time.
install(TARGETS zumirak RUNTIME DESTINATION "${ZUMIRAK_INSTALL_DIR}")
# The mixer module goes beside the program, where the program loads it from.
install(TARGETS zumirak_mixer LIBRARY DESTINATION "${ZUMIRAK_INSTALL_DIR}")
install(DIRECTORY "${ZUMIRAK_BIN_DIR}/" DESTINATION "${ZUMIRAK_INSTALL_DIR}"
  PATTERN "zumirak" EXCLUDE
  PATTERN "libzumirak_mixer.so" EXCLUDE
  PATTERN "test_*" EXCLUDE
  PATTERN "fuzz_*" EXCLUDE
  PATTERN "bench_*" EXCLUDE)
# Modules come with the folder above, so the install strip does not reach
# them: strip them here when it is asked for.
install(CODE "
  if(CMAKE_INSTALL_DO_STRIP)
    file(GLOB modules \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${ZUMIRAK_INSTALL_DIR}/*.so*\")
    foreach(module IN LISTS modules)
      execute_process(COMMAND \"${CMAKE_STRIP}\" --strip-unneeded \"\${module}\")
    endforeach()
  endif()")

# The command: a link to the program, which finds its files beside the
# link's target.
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
