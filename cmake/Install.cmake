# `cmake --install` puts the program and its files together in one folder and
# adds a desktop entry and an icon so the game shows in the application menu.
include(GNUInstallDirs)
set(ZUMIRAK_INSTALL_DIR "${CMAKE_INSTALL_LIBDIR}/zumirak")
install(TARGETS zumirak RUNTIME DESTINATION "${ZUMIRAK_INSTALL_DIR}")
# The mixer module goes beside the program, where the program loads it from.
install(TARGETS zumirak_mixer LIBRARY DESTINATION "${ZUMIRAK_INSTALL_DIR}")
install(DIRECTORY "${ZUMIRAK_BIN_DIR}/" DESTINATION "${ZUMIRAK_INSTALL_DIR}"
  PATTERN "zumirak" EXCLUDE
  PATTERN "libzumirak_mixer.so" EXCLUDE
  PATTERN "test_*" EXCLUDE
  PATTERN "fuzz_*" EXCLUDE
  PATTERN "bench_*" EXCLUDE)
install(CODE "file(MAKE_DIRECTORY \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_BINDIR}\")
  execute_process(COMMAND ${CMAKE_COMMAND} -E create_symlink
    \"../${ZUMIRAK_INSTALL_DIR}/zumirak\"
    \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_BINDIR}/zumirak\")")
install(FILES "${CMAKE_SOURCE_DIR}/packaging/zumirak.desktop"
  DESTINATION "${CMAKE_INSTALL_DATADIR}/applications")
install(FILES "${CMAKE_SOURCE_DIR}/packaging/zumirak.png"
  DESTINATION "${CMAKE_INSTALL_DATADIR}/icons/hicolor/64x64/apps")
