# The Debian package: the program in /usr/bin, its desktop entry and its icon.
# Once the program is built, `cpack` in the build folder writes
# sovvenzia_<version>_<arch>.deb.

# Packaging takes the tree as built: `cpack` does not rebuild every target
# (tests and benchmarks included) first.
set(CMAKE_SKIP_INSTALL_ALL_DEPENDENCY ON)

set(SOVVENZIA_PACKAGING_DIR ${CMAKE_CURRENT_LIST_DIR}/../packaging)

install(FILES ${SOVVENZIA_PACKAGING_DIR}/sovvenzia.desktop DESTINATION share/applications)
install(FILES ${SOVVENZIA_PACKAGING_DIR}/sovvenzia.svg
        DESTINATION share/icons/hicolor/scalable/apps)
foreach(size 48 64 128 256)
    install(FILES ${SOVVENZIA_PACKAGING_DIR}/sovvenzia-${size}.png
            DESTINATION share/icons/hicolor/${size}x${size}/apps
            RENAME sovvenzia.png)
endforeach()

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME sovvenzia)
set(CPACK_PACKAGE_VENDOR "Ufficio Pubblica Istruzione")
set(CPACK_PACKAGE_CONTACT "Sovvenzia maintainers <sovvenzia@example.org>")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY
    "Elenco delle domande per le sovvenzioni allo studio")
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
    "Sovvenzia guida l'ufficio comunale nella compilazione dell'elenco delle
famiglie che chiedono la sovvenzione per le spese di istruzione dei figli
(L. 10 marzo 2000, n. 62): ogni domanda viene controllata campo per campo e
registrata in un file di elenco (.svz); l'elenco si consulta in una tabella
di riepilogo, si esporta in una cartella di lavoro Excel (.xlsx) e si unisce
ad altri elenchi.")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION misc)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
# The shared libraries the program links, and Qt's Italian texts for the
# standard buttons and dialogs, which Qt itself only recommends.
set(CPACK_DEBIAN_PACKAGE_DEPENDS
    "libc6 (>= 2.34), libstdc++6 (>= 11), libgcc-s1 (>= 3.0), libqt6core6 (>= 6.4), libqt6gui6 (>= 6.4), libqt6widgets6 (>= 6.4), libqt6printsupport6 (>= 6.4), libxlsxwriter4 (>= 1.1), qt6-translations-l10n")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "fonts-dejavu-core, xdg-utils")
# A program that opens the exported workbooks.
set(CPACK_DEBIAN_PACKAGE_SUGGESTS "libreoffice-calc | gnumeric")

include(CPack)
