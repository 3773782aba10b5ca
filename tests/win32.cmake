# SPDX-License-Identifier: MIT
# Tests of the native Win32 window and of pemtos.exe's resources. Cross-built, they
# run under Wine (the toolchain's emulator), which needs an X display: Xvfb in CI.

# The window test carries the program's resources, for the illustrations' bitmaps.
pemtos_add_test(win32form_test
    SOURCES win32form_test.cpp ${PEMTOS_RESOURCE_SCRIPT}
    LIBRARIES platform_win32)
target_include_directories(win32form_test PRIVATE ${PROJECT_SOURCE_DIR})
set_source_files_properties(${PEMTOS_RESOURCE_SCRIPT} PROPERTIES OBJECT_DEPENDS "${PEMTOS_RESOURCE_FILES}")

pemtos_add_test(win32units_test SOURCES win32units_test.cpp LIBRARIES platform_win32)

# Reads the built program's resources back through the Windows API.
pemtos_add_test(win32resources_test SOURCES win32resources_test.cpp LIBRARIES window version)
target_compile_definitions(win32resources_test PRIVATE UNICODE _UNICODE PEMTOS_EXE_PATH="$<TARGET_FILE:pemtos>")
add_dependencies(win32resources_test pemtos)
