# SPDX-License-Identifier: MIT
# Tests of the Qt window; they run offscreen and need no display.
find_package(Qt6 REQUIRED COMPONENTS Test)

pemtos_add_test(qtform_test OWN_MAIN
    SOURCES qtform_test.cpp qttestmain.cpp
    LIBRARIES platform_qt Qt6::Test)

pemtos_add_test(qtfaultinjection_test OWN_MAIN
    SOURCES qtfaultinjection_test.cpp qttestmain.cpp
    LIBRARIES platform_qt Qt6::Test)

pemtos_add_test(randomsession_test OWN_MAIN
    SOURCES randomsession_test.cpp qttestmain.cpp
    LIBRARIES platform_qt Qt6::Test)
