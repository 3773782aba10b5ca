# SPDX-License-Identifier: MIT
# Tests of the Qt window; they run offscreen and need no display.
find_package(Qt6 REQUIRED COMPONENTS Test)

pemtos_add_test(qtform_test OWN_MAIN
    SOURCES qtform_test.cpp qttestmain.cpp captionfit.cpp
    LIBRARIES platform_qt Qt6::Test)

pemtos_add_test(qtfaultinjection_test OWN_MAIN
    SOURCES qtfaultinjection_test.cpp qttestmain.cpp
    LIBRARIES platform_qt Qt6::Test)

pemtos_add_test(randomsession_test OWN_MAIN
    SOURCES randomsession_test.cpp qttestmain.cpp
    LIBRARIES platform_qt Qt6::Test)

# Draws the window after a lookup into a PNG, for tools/screenshot.sh.
add_executable(pemtos_screenshot screenshothelper.cpp)
target_link_libraries(pemtos_screenshot PRIVATE platform_qt Qt6::Test pemtos_warnings)

pemtos_add_test(qtaccessibility_test OWN_MAIN
    SOURCES qtaccessibility_test.cpp qttestmain.cpp
    LIBRARIES platform_qt Qt6::Test)

# The real program driven over AT-SPI, in a D-Bus session and X server of its own;
# Debian's Python, which has the AT-SPI bindings.
find_program(PEMTOS_SYSTEM_PYTHON python3 PATHS /usr/bin NO_DEFAULT_PATH)
add_test(NAME accessibility.atspi
    COMMAND ${PEMTOS_SYSTEM_PYTHON} ${CMAKE_CURRENT_SOURCE_DIR}/accessibility_test.py $<TARGET_FILE:pemtos>)
set_tests_properties(accessibility.atspi PROPERTIES TIMEOUT 120)

# The program and a stand-in that starts exactly as it does but closes its window
# once shown, started in environments where they cannot do their job well.
add_executable(startupprobe startupprobe.cpp)
target_link_libraries(startupprobe PRIVATE platform_qt pemtos_warnings)

# Font sets that hold one font only, taken from the Debian font packages dev.sh installs.
function(pemtos_font_set name directory glob)
    set(PEMTOS_FONT_DIR ${directory})
    set(PEMTOS_FONT_GLOB ${glob})
    set(PEMTOS_FONT_CACHE ${CMAKE_CURRENT_BINARY_DIR}/fontsets/cache)
    configure_file(fontconfig.conf.in ${CMAKE_CURRENT_BINARY_DIR}/fontsets/${name}.conf @ONLY)
endfunction()
pemtos_font_set(latin-only /usr/share/fonts/truetype/dejavu "*")
pemtos_font_set(noto-only /usr/share/fonts/opentype/noto "*/NotoSansCJK-*")
pemtos_font_set(ipagothic-only /usr/share/fonts/opentype/ipafont-gothic "*/ipag.ttf")
pemtos_font_set(rocknroll-only /usr/share/fonts/truetype/rocknroll "*")

pemtos_add_test(environment_test SOURCES environment_test.cpp LIBRARIES)
target_compile_definitions(environment_test PRIVATE
    PEMTOS_PROGRAM="$<TARGET_FILE:pemtos>"
    PEMTOS_STARTUP_PROBE="$<TARGET_FILE:startupprobe>"
    PEMTOS_FONTS_LATIN_ONLY="${CMAKE_CURRENT_BINARY_DIR}/fontsets/latin-only.conf"
    PEMTOS_FONTS_NOTO_ONLY="${CMAKE_CURRENT_BINARY_DIR}/fontsets/noto-only.conf"
    PEMTOS_FONTS_IPAGOTHIC_ONLY="${CMAKE_CURRENT_BINARY_DIR}/fontsets/ipagothic-only.conf")
add_dependencies(environment_test pemtos startupprobe)

# Each font set is one test run; the test reads which family it must find.
add_executable(fontcoverage_test fontcoverage_test.cpp qttestmain.cpp)
target_link_libraries(fontcoverage_test PRIVATE platform_qt Qt6::Test GTest::gtest pemtos_warnings)
set(pemtos_font_sets noto-only ipagothic-only rocknroll-only)
set(pemtos_font_families "Noto Sans CJK JP" IPAGothic "RocknRoll One")
foreach(fontset family IN ZIP_LISTS pemtos_font_sets pemtos_font_families)
    add_test(NAME fontcoverage.${fontset} COMMAND fontcoverage_test)
    set_tests_properties(fontcoverage.${fontset} PROPERTIES ENVIRONMENT
        "QT_QPA_PLATFORM=offscreen;FONTCONFIG_FILE=${CMAKE_CURRENT_BINARY_DIR}/fontsets/${fontset}.conf;PEMTOS_TEST_FONT_FAMILY=${family}")
endforeach()

pemtos_add_test(qtkeyboard_test OWN_MAIN
    SOURCES qtkeyboard_test.cpp qttestmain.cpp
    LIBRARIES platform_qt Qt6::Test)

# The window at device pixel ratios 1, 1.25, 1.5 and 2, one run each: Qt takes the
# ratio from the environment once, when the application starts.
pemtos_add_test(qthighdpi_test OWN_MAIN
    SOURCES qthighdpi_test.cpp qttestmain.cpp captionfit.cpp
    LIBRARIES platform_qt Qt6::Test)
foreach(ratio 1.25 1.5 2)
    gtest_discover_tests(qthighdpi_test DISCOVERY_MODE PRE_TEST DISCOVERY_TIMEOUT 60
        TEST_SUFFIX "@${ratio}" PROPERTIES ENVIRONMENT "QT_SCALE_FACTOR=${ratio}")
endforeach()

# The window's own decoder of the illustrations' BMP files, against Qt's reader.
pemtos_add_test(bitmapfile_test OWN_MAIN
    SOURCES bitmapfile_test.cpp qttestmain.cpp
    LIBRARIES platform_qt Qt6::Test)
