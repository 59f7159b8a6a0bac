# The files the program reads at run time, beside it in the build folder and
# under share/trasolan when installed: the help pages (Russian, with the
# English ones in help/en) and the sample maps.
include(GNUInstallDirs)

set(TRASOLAN_HELP_FILES
    index.html
    style.css
    en/index.html)
set(TRASOLAN_EXAMPLE_FILES
    golden-ring.ga
    osm-region.ga
    random-25.ga
    villages.ga
    volga.ga)

# Installed, the data lies at this path relative to the program's folder; the
# program is told so, which keeps any installation prefix working.
set(TRASOLAN_INSTALL_DATADIR ${CMAKE_INSTALL_DATADIR}/trasolan)
file(RELATIVE_PATH TRASOLAN_DATA_FROM_PROGRAM
    ${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_BINDIR}
    ${CMAKE_INSTALL_PREFIX}/${TRASOLAN_INSTALL_DATADIR})

# The desktop's name of the program: its .desktop file, metainfo and
# Wayland application id.
set(TRASOLAN_APP_ID com.example.Trasolan)
