# The Debian package: the program in /usr/bin, its manual page, its desktop
# entry and icon, the type of its list files, its AppStream description, and
# the copyright and changelog Debian asks of every package. Once the program
# is built, `cpack` in the build folder writes sovvenzia_<version>_<arch>.deb.

# Packaging takes the tree as built: `cpack` does not rebuild every target
# (tests and benchmarks included) first.
set(CMAKE_SKIP_INSTALL_ALL_DEPENDENCY ON)

set(SOVVENZIA_PACKAGING_DIR ${CMAKE_CURRENT_LIST_DIR}/../packaging)

set(SOVVENZIA_DOC_DIR share/doc/sovvenzia)
set(SOVVENZIA_GENERATED_DIR ${CMAKE_BINARY_DIR}/packaging)
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS
             ${SOVVENZIA_PACKAGING_DIR}/changelog ${SOVVENZIA_PACKAGING_DIR}/sovvenzia.1
             ${SOVVENZIA_PACKAGING_DIR}/copyright-header ${CMAKE_CURRENT_LIST_DIR}/../LICENSE)

# Debian wants manual pages and changelogs compressed with gzip -9n (no name
# and no time stamp inside).
function(sovvenzia_gzip source target)
    execute_process(COMMAND gzip -9n -c ${source} OUTPUT_FILE ${target}
                    COMMAND_ERROR_IS_FATAL ANY)
endfunction()

configure_file(${SOVVENZIA_PACKAGING_DIR}/sovvenzia.1 ${SOVVENZIA_GENERATED_DIR}/sovvenzia.1 @ONLY)
sovvenzia_gzip(${SOVVENZIA_GENERATED_DIR}/sovvenzia.1 ${SOVVENZIA_GENERATED_DIR}/sovvenzia.1.gz)
sovvenzia_gzip(${SOVVENZIA_PACKAGING_DIR}/changelog ${SOVVENZIA_GENERATED_DIR}/changelog.gz)

# The machine-readable copyright file: its header, then the licence text with
# every line indented by one blank and empty lines written as " .".
execute_process(COMMAND sed -e "s/^$/./" -e "s/^/ /" ${CMAKE_CURRENT_LIST_DIR}/../LICENSE
                OUTPUT_VARIABLE SOVVENZIA_LICENCE_TEXT COMMAND_ERROR_IS_FATAL ANY)
file(READ ${SOVVENZIA_PACKAGING_DIR}/copyright-header SOVVENZIA_COPYRIGHT_HEADER)
file(WRITE ${SOVVENZIA_GENERATED_DIR}/copyright
     "${SOVVENZIA_COPYRIGHT_HEADER}${SOVVENZIA_LICENCE_TEXT}")

install(FILES ${SOVVENZIA_GENERATED_DIR}/sovvenzia.1.gz DESTINATION share/man/man1)
install(FILES ${SOVVENZIA_GENERATED_DIR}/changelog.gz ${SOVVENZIA_GENERATED_DIR}/copyright
        DESTINATION ${SOVVENZIA_DOC_DIR})
install(FILES ${SOVVENZIA_PACKAGING_DIR}/sovvenzia.desktop DESTINATION share/applications)
install(FILES ${SOVVENZIA_PACKAGING_DIR}/sovvenzia-mime.xml DESTINATION share/mime/packages
        RENAME sovvenzia.xml)
install(FILES ${SOVVENZIA_PACKAGING_DIR}/sovvenzia.metainfo.xml DESTINATION share/metainfo
        RENAME org.example.sovvenzia.metainfo.xml)
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
