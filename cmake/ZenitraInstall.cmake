# Installation in the XDG and Debian layout, and the Debian package (cpack -G DEB).
#   cmake --install build [--prefix /usr]          installs under the prefix (default /usr/local)
#   cpack --config build/CPackConfig.cmake         builds zenitra_<version>_<arch>.deb for /usr
# Files: bin/zenitra; share/applications/zenitra.desktop; share/metainfo/<id>.metainfo.xml;
# share/icons/hicolor/{scalable,48x48,128x128,256x256}/apps/zenitra.{svg,png};
# share/man/man1/zenitra.1.gz; share/doc/zenitra/ (copyright and the sources of the data).
include(GNUInstallDirs)

# The AppStream id (reverse domain name) and the addresses in the metadata and the package.
set(ZENITRA_APP_ID "org.zenitra.zenitra")
set(ZENITRA_HOMEPAGE "https://zenitra.example.org" CACHE STRING
    "Home page in the AppStream metadata and the package; the screenshot is <home page>/docs/sky.png")
set(ZENITRA_MAINTAINER "Zenitra maintainers <maintainers@zenitra.example.org>" CACHE STRING
    "Maintainer of the Debian package")
# The date of the release named by project(VERSION); change both together.
set(ZENITRA_RELEASE_DATE "2026-12-08")

# The version for the program (zenitra --version) and for any window that shows it.
configure_file(src/app/zenitra_version.h.in "${PROJECT_BINARY_DIR}/generated/zenitra_version.h" @ONLY)
target_include_directories(zenitra_app PUBLIC "${PROJECT_BINARY_DIR}/generated")

set(ZENITRA_DATA_OUT "${PROJECT_BINARY_DIR}/data")
configure_file(data/zenitra.metainfo.xml.in "${ZENITRA_DATA_OUT}/${ZENITRA_APP_ID}.metainfo.xml" @ONLY)
configure_file(data/zenitra.1.in "${ZENITRA_DATA_OUT}/zenitra.1" @ONLY)
# Debian installs manual pages compressed; -n leaves out the time stamp so the file is reproducible.
find_program(ZENITRA_GZIP gzip REQUIRED)
add_custom_command(
  OUTPUT "${ZENITRA_DATA_OUT}/zenitra.1.gz"
  COMMAND "${ZENITRA_GZIP}" -9nkf "${ZENITRA_DATA_OUT}/zenitra.1"
  DEPENDS "${ZENITRA_DATA_OUT}/zenitra.1"
  COMMENT "Compressing the manual page"
  VERBATIM)
add_custom_target(zenitra_man_page ALL DEPENDS "${ZENITRA_DATA_OUT}/zenitra.1.gz")

install(TARGETS zenitra RUNTIME DESTINATION "${CMAKE_INSTALL_BINDIR}")
install(FILES data/zenitra.desktop DESTINATION "${CMAKE_INSTALL_DATADIR}/applications")
install(FILES "${ZENITRA_DATA_OUT}/${ZENITRA_APP_ID}.metainfo.xml" DESTINATION "${CMAKE_INSTALL_DATADIR}/metainfo")
# The icons are drawn by tools/icon/make_icon.py and committed, so the build needs no converter.
install(FILES data/icons/zenitra.svg DESTINATION "${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps")
foreach(px 48 128 256)
  install(FILES data/icons/zenitra-${px}.png DESTINATION "${CMAKE_INSTALL_DATADIR}/icons/hicolor/${px}x${px}/apps"
          RENAME zenitra.png)
endforeach()
install(FILES "${ZENITRA_DATA_OUT}/zenitra.1.gz" DESTINATION "${CMAKE_INSTALL_MANDIR}/man1")
# The data licences ask for their attribution to travel with the program.
set(ZENITRA_DOC_DIR "${CMAKE_INSTALL_DATADIR}/doc/zenitra")
install(FILES data/copyright DESTINATION "${ZENITRA_DOC_DIR}")
install(FILES resources/README.md DESTINATION "${ZENITRA_DOC_DIR}" RENAME data-sources.md)
install(FILES resources/pictures/README.md DESTINATION "${ZENITRA_DOC_DIR}" RENAME picture-sources.md)
install(FILES docs/third_party_vsop87.md DESTINATION "${ZENITRA_DOC_DIR}")

# ---- Debian package ---------------------------------------------------------------------------
set(CPACK_GENERATOR "DEB")
set(CPACK_PACKAGE_NAME "zenitra")
set(CPACK_PACKAGE_VENDOR "The Zenitra developers")
set(CPACK_PACKAGE_CONTACT "${ZENITRA_MAINTAINER}")
set(CPACK_PACKAGE_HOMEPAGE_URL "${ZENITRA_HOMEPAGE}")
set(CPACK_PACKAGING_INSTALL_PREFIX "/usr")
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)  # zenitra_<version>_<arch>.deb
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${ZENITRA_MAINTAINER}")
set(CPACK_DEBIAN_PACKAGE_SECTION "science")
set(CPACK_DEBIAN_PACKAGE_PRIORITY "optional")
# Qt, zlib, libjpeg and giflib as dpkg-shlibdeps finds them in the program; besides those the
# text is drawn in DejaVu Sans where Verdana is missing, and local clock times need the system's
# time-zone database.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-dejavu-core, tzdata")
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION "desktop planetarium with a German user interface
Zenitra shows the sky above a chosen place at a chosen moment: the stars of
a built-in catalogue coloured by spectral class, constellation figures, names
and boundaries, the Sun, the Moon with its phase and the planets, and lets
time run forwards or backwards. Further windows give the parameters of the Sun
and the Moon, an ephemeris table, a moon phase calendar, the orbits of the
planets, an astronomical calendar of a year and a day-night world map.
.
The commands render, sun, moon, ephemeris, planet and star draw the map into
a PNG file or print the window texts without a display.")
include(CPack)
