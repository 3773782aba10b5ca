# SPDX-License-Identifier: MIT
# The installed files and the .deb, checked as a desktop and a package manager see them.
set(PEMTOS_PACKAGING_SCRATCH ${CMAKE_CURRENT_BINARY_DIR}/packaging-scratch)
set(PEMTOS_PACKAGING_TEST ${CMAKE_CURRENT_SOURCE_DIR}/packaging_test.sh)
string(REPLACE ";" " " icon_sizes "${PEMTOS_ICON_SIZES}")

add_test(NAME packaging.install
    COMMAND bash ${PEMTOS_PACKAGING_TEST} install ${CMAKE_BINARY_DIR} ${PEMTOS_PACKAGING_SCRATCH}/prefix)
add_test(NAME packaging.desktop_entry_is_valid
    COMMAND desktop-file-validate
        ${PEMTOS_PACKAGING_SCRATCH}/prefix/share/applications/${PEMTOS_APP_ID}.desktop)
add_test(NAME packaging.metainfo_is_valid
    COMMAND appstreamcli validate --no-net
        ${PEMTOS_PACKAGING_SCRATCH}/prefix/share/metainfo/${PEMTOS_APP_ID}.metainfo.xml)
add_test(NAME packaging.deb
    COMMAND bash ${PEMTOS_PACKAGING_TEST} deb ${CMAKE_BINARY_DIR} ${PEMTOS_PACKAGING_SCRATCH}/deb)

set_tests_properties(packaging.install PROPERTIES FIXTURES_SETUP pemtos_installed)
set_tests_properties(packaging.desktop_entry_is_valid packaging.metainfo_is_valid
    PROPERTIES FIXTURES_REQUIRED pemtos_installed)
set_tests_properties(packaging.install packaging.deb PROPERTIES
    ENVIRONMENT "PEMTOS_APP_ID=${PEMTOS_APP_ID};PEMTOS_ICON_SIZES=${icon_sizes};CPACK=${CMAKE_CPACK_COMMAND}")
# Packing runs the install step again; keep it apart from the other tests' builds.
set_tests_properties(packaging.deb PROPERTIES RUN_SERIAL ON TIMEOUT 300)
