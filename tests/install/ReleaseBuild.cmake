# cmake -DSOURCE=... -DBINARY=... -DCOMPILER=... -DGENERATOR=... -P ReleaseBuild.cmake
# Configures a Release build with warnings as errors (once) and builds serz and its codec.
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
