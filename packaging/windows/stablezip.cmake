# SPDX-License-Identifier: MIT
# Run by cpack after each generator: writes the portable .zip again in a form that
# follows from its files alone (packaging/stablezip.py); the MSI sees to its own.
foreach(package IN LISTS CPACK_PACKAGE_FILES)
    if(package MATCHES "\\.zip$")
        execute_process(COMMAND ${CPACK_PEMTOS_PYTHON} ${CPACK_PEMTOS_STABLEZIP} ${package}
            RESULT_VARIABLE result ERROR_VARIABLE output)
        if(NOT result EQUAL 0)
            message(FATAL_ERROR "stablezip.py ${package} failed (${result}):\n${output}")
        endif()
    endif()
endforeach()
