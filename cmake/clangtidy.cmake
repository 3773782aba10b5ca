# SPDX-License-Identifier: MIT
# Runs clang-tidy (.clang-tidy) over the project's own sources of one build, with
# that build's compile commands; prints each finding once and fails on any.
#
#   cmake -DRUN_CLANG_TIDY=... -DBUILD_DIR=... -DSOURCES=<regex> [-DEXTRA_ARGS=...] -P clangtidy.cmake
cmake_host_system_information(RESULT jobs QUERY NUMBER_OF_LOGICAL_CORES)
set(extra)
foreach(argument IN LISTS EXTRA_ARGS)
    list(APPEND extra -extra-arg=${argument})
endforeach()
execute_process(
    COMMAND ${RUN_CLANG_TIDY} -quiet -p ${BUILD_DIR} -j ${jobs} ${extra} ${SOURCES}
    OUTPUT_VARIABLE output ERROR_VARIABLE output RESULT_VARIABLE result)
file(WRITE ${BUILD_DIR}/clang-tidy.log "${output}")
if(NOT result EQUAL 0)
    # Each finding once, without the colours; the lines hold brackets, which CMake
    # lists do not survive, so the shell's tools pick them out.
    string(ASCII 27 escape)
    execute_process(
        COMMAND sed "s/${escape}\\[[0-9;]*m//g" ${BUILD_DIR}/clang-tidy.log
        COMMAND grep -E "(warning|error): "
        COMMAND sort -u
        OUTPUT_VARIABLE findings)
    message(FATAL_ERROR "clang-tidy found problems; the log is ${BUILD_DIR}/clang-tidy.log\n${findings}")
endif()
message(STATUS "clang-tidy: no findings")
