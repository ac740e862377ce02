# Install rules and the Debian package.
#
#   cmake --install build --prefix P    the programs into P/bin, the data they
#                                       look up (template/, manual/) and the
#                                       example set into P/share/lexicana, and
#                                       the desktop integration files
#   cd build && cpack -G DEB            lexicana_<version>_<arch>.deb
#
# An installed program finds its data in ../share/lexicana beside its bin/
# folder (ProgramDataFolder); in the build tree the same folders are copied
# next to the programs.
include(GNUInstallDirs)

set(LEXICANA_DATA_DESTINATION ${CMAKE_INSTALL_DATADIR}/lexicana)

# What an install needs built: the programs, without the tests.
set(LEXICANA_PROGRAMS lexicana-convert)
if(TARGET lexicana)
  list(APPEND LEXICANA_PROGRAMS lexicana)
endif()
add_custom_target(lexicana_programs DEPENDS ${LEXICANA_PROGRAMS})
# Installing and packaging take the programs as built; they do not build the
# whole tree (the tests) first. Build lexicana_programs, or everything, before.
set(CMAKE_SKIP_INSTALL_ALL_DEPENDENCY ON)
install(TARGETS ${LEXICANA_PROGRAMS} RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})

install(DIRECTORY ${PROJECT_SOURCE_DIR}/template ${PROJECT_SOURCE_DIR}/manual
  DESTINATION ${LEXICANA_DATA_DESTINATION})
install(DIRECTORY ${PROJECT_SOURCE_DIR}/examples/glossary ${PROJECT_SOURCE_DIR}/examples/glossary-utf8
  DESTINATION ${LEXICANA_DATA_DESTINATION}/examples)

# The desktop: menu entry, icon, the set-file type and the software-centre
# description. The MIME type and the desktop entry id are those the options
# dialog's per-user association writes (src/platform/association.h).
install(FILES ${PROJECT_SOURCE_DIR}/data/lexicana.desktop
  DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${PROJECT_SOURCE_DIR}/data/lexicana.svg
  DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
install(FILES ${PROJECT_SOURCE_DIR}/data/lexicana-lxs.xml
  DESTINATION ${CMAKE_INSTALL_DATADIR}/mime/packages)
install(FILES ${PROJECT_SOURCE_DIR}/data/org.example.lexicana.metainfo.xml
  DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
install(FILES ${PROJECT_SOURCE_DIR}/docs/lexicana-convert.1
  DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)

# --- Debian package ----------------------------------------------------------
set(LEXICANA_PACKAGE_MAINTAINER "Orvane <support@lexicana.example.org>"
  CACHE STRING "Maintainer named in the Debian package")

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME lexicana)
set(CPACK_PACKAGE_VENDOR Orvane)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "HTML glossary authoring tool")
set(CPACK_PACKAGE_DESCRIPTION [=[
Lexicana keeps a glossary as a table of records in a Shift_JIS
comma-separated file and converts it into HTML pages whose entries link to
each other. A conversion rewrites each target page between its part markers
in the page's own character code (Shift_JIS, EUC-JP, ISO-2022-JP) and line
ends, leaving every other byte as it was.

The package holds the window program lexicana and lexicana-convert, which
runs a conversion from the command line.]=])
set(CPACK_PACKAGE_CONTACT "${LEXICANA_PACKAGE_MAINTAINER}")
set(CPACK_STRIP_FILES ON)

set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${LEXICANA_PACKAGE_MAINTAINER}")
set(CPACK_DEBIAN_PACKAGE_SECTION text)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "https://lexicana.example.org/")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
# The libraries the programs link come from dpkg-shlibdeps. Qt loads its
# window-system plugin at run time, which no link shows, so that package is
# named here.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
if(TARGET lexicana)
  set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins")
endif()
# The Japanese font of the window, Qt's own texts in Japanese, and the
# program that opens pages and the manual in the browser.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "fonts-noto-cjk, qt6-translations-l10n, xdg-utils")

include(CPack)
