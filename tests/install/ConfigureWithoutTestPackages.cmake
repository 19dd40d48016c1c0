# SPDX-License-Identifier: GPL-3.0-or-later
# cmake -DSOURCE=... -DBINARY=... -DCOMPILER=... -DGENERATOR=... -P ConfigureWithoutTestPackages.cmake
# With the test packages hidden (HideTestPackages.cmake), a tree without tests and benchmarks
# configures, and one with tests does not (so the hiding works).
foreach(variable SOURCE BINARY COMPILER GENERATOR)
    if(NOT ${variable})
        message(FATAL_ERROR "ConfigureWithoutTestPackages.cmake needs -D${variable}=...")
    endif()
endforeach()

function(configure_hidden tree tests result)
    file(REMOVE_RECURSE ${BINARY}/${tree})
    execute_process(
        COMMAND ${CMAKE_COMMAND} -S ${SOURCE} -B ${BINARY}/${tree} -G ${GENERATOR}
                -DCMAKE_TOOLCHAIN_FILE=${CMAKE_CURRENT_LIST_DIR}/HideTestPackages.cmake
                -DCMAKE_CXX_COMPILER=${COMPILER} -DCMAKE_BUILD_TYPE=Release
                -DDOVREL_TESTS=${tests} -DDOVREL_BENCH=OFF
        RESULT_VARIABLE status OUTPUT_VARIABLE output ERROR_VARIABLE output)
    set(${result} ${status} PARENT_SCOPE)
    set(${result}_OUTPUT "${output}" PARENT_SCOPE)
endfunction()

configure_hidden(without-tests OFF plain)
if(NOT plain EQUAL 0)
    message(FATAL_ERROR "-DDOVREL_TESTS=OFF -DDOVREL_BENCH=OFF does not configure without the test packages:\n${plain_OUTPUT}")
endif()
configure_hidden(with-tests ON tested)
if(tested EQUAL 0)
    message(FATAL_ERROR "the tests configure with the test packages hidden: the hiding does not work")
endif()
file(REMOVE_RECURSE ${BINARY})
