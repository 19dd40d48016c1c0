# SPDX-License-Identifier: GPL-3.0-or-later
# cmake -DSOURCE=... -DBINARY=... -DCOMPILER=... -DGENERATOR=... -P ReleaseBuild.cmake
# Configures a Release build with warnings as errors (once), builds serz and its codec, and checks
# that they are hardened.
foreach(variable SOURCE BINARY COMPILER GENERATOR)
    if(NOT ${variable})
        message(FATAL_ERROR "ReleaseBuild.cmake needs -D${variable}=...")
    endif()
endforeach()
if(NOT EXISTS ${BINARY}/CMakeCache.txt)
    execute_process(
        COMMAND ${CMAKE_COMMAND} -S ${SOURCE} -B ${BINARY} -G ${GENERATOR} -DCMAKE_BUILD_TYPE=Release
                -DCMAKE_CXX_COMPILER=${COMPILER} -DDOVREL_WERROR=ON -DDOVREL_BENCH=OFF
        RESULT_VARIABLE configured)
    if(NOT configured EQUAL 0)
        file(REMOVE ${BINARY}/CMakeCache.txt)
        message(FATAL_ERROR "the Release build does not configure")
    endif()
endif()
execute_process(COMMAND ${CMAKE_COMMAND} --build ${BINARY} --target serz -j 2 RESULT_VARIABLE built)
if(NOT built EQUAL 0)
    message(FATAL_ERROR "the Release build of serz fails")
endif()

# Debian's hardening: fortified library calls and stack protection in the compile commands,
# read-only relocations bound at start in the program.
file(READ ${BINARY}/compile_commands.json commands)
foreach(flag -fstack-protector-strong -Wformat -Werror=format-security -D_FORTIFY_SOURCE=2)
    string(FIND "${commands}" " ${flag} " at)
    if(at EQUAL -1)
        message(FATAL_ERROR "the Release build compiles without ${flag}")
    endif()
endforeach()
file(READ ${BINARY}/build.ninja rules)
string(FIND "${rules}" "-Wl,-z,relro -Wl,-z,now" at)
if(at EQUAL -1)
    message(FATAL_ERROR "the Release build links without -z relro and -z now")
endif()
execute_process(COMMAND readelf --program-headers ${BINARY}/bin/serz OUTPUT_VARIABLE headers)
if(NOT headers MATCHES "GNU_RELRO")
    message(FATAL_ERROR "the Release build of serz has no read-only relocations")
endif()
