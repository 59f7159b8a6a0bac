# The Debian package: cpack -G DEB in the build folder makes
# trasolan_VERSION_ARCH.deb of what cmake --install puts in place, for
# `apt install ./trasolan_*.deb` on Debian 12. The libraries it needs are
# found by dpkg-shlibdeps from the programs themselves; menu, file type and
# icon caches are brought up to date by the desktop's own dpkg triggers.
set(CPACK_PACKAGE_NAME trasolan)
set(CPACK_PACKAGE_VENDOR "Veleska")
set(CPACK_PACKAGE_CONTACT "Veleska <veleska@example.com>")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY
    "road map editor with a genetic solver of the travelling-salesman problem")
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
    "Trasolan (Трасолан) lets you draw a road map - cities, transit points and the
roads between them - or generate a random one, pick the cities a route must
visit, and watch a genetic algorithm find a short route along the roads:
live counters, the best route on the map, a fitness graph, a comparison of
the crossover operators and a teaching window that shows single crossovers
and mutations. trasolan-cli runs the same solver from scripts. Interface and
help in Russian and English.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION science)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "https://example.com/trasolan")
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Qt loads the SVG icon engine as a plugin, which dpkg-shlibdeps cannot see:
# without it the program's icons stay blank.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "libqt6svg6 (>= 6.4)")
# Qt's own texts in Russian, a browser opener for the help, a face for the
# windows' texts; the program works without them.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-translations-l10n, xdg-utils, fonts-dejavu-core")
set(CPACK_DEBIAN_PACKAGE_SUGGESTS "parallel")
include(CPack)
