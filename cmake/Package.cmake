# SPDX-License-Identifier: GPL-3.0-or-later
# The Debian package (`make package`, or `cpack` in the build folder): what
# Install.cmake installs, below /usr, stripped. Its dependencies are worked
# out by dpkg-shlibdeps from every program and module in it; only what is
# loaded without being linked is named here.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME zumirak)
set(CPACK_PACKAGE_VENDOR Brenhavel)
set(CPACK_PACKAGE_CONTACT "Brenhavel <zumirak@brenhavel.org>")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The windows' Japanese text needs a Japanese font (JapaneseFont.cpp names
# the families it looks for).
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-ipafont-gothic | fonts-noto-cjk")
# Qt's own buttons speak Japanese with its translations; help pages open
# through xdg-open; Qt reaches a Wayland desktop through its plugin (without
# it, through XWayland).
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-translations-l10n, xdg-utils, qt6-wayland")
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "https://brenhavel.org/zumirak/")

# Debian gives a package one synopsis line: the English one. The Japanese
# synopsis opens the long description; the AppStream metadata carries both
# languages in full.
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "puzzle game: take every ball, one straight step at a time")
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION [=[ズミラク：縦横にたどってボールを全部取るパズル

Zumirak is a single-player puzzle game with a Japanese user interface.
Each of its thirty stages is a figure of balls on a grid. The first ball
may be any ball; each later one must be the nearest ball along the row or
the column of the ball just taken, and the way back is closed. A clock
runs from the first click, and the first clear of each stage is recorded
with its time.]=])

include(CPack)
