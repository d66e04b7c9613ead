# Runs a content tool into a scratch folder and fails unless every file it writes
# equals the committed one: the committed content is what the tool makes.
#   cmake -DTOOL=... -DEXPECTED=<folder> -DSCRATCH=<folder> -P CompareOutput.cmake
file(REMOVE_RECURSE ${SCRATCH})
execute_process(COMMAND ${TOOL} ${SCRATCH} RESULT_VARIABLE result OUTPUT_QUIET)
if(NOT result EQUAL 0)
    message(FATAL_ERROR "${TOOL} failed: ${result}")
endif()
file(GLOB made RELATIVE ${SCRATCH} ${SCRATCH}/*)
list(LENGTH made count)
if(count EQUAL 0)
    message(FATAL_ERROR "${TOOL} wrote nothing")
endif()
foreach(name IN LISTS made)
    execute_process(COMMAND ${CMAKE_COMMAND} -E compare_files ${SCRATCH}/${name} ${EXPECTED}/${name}
                    RESULT_VARIABLE differs)
    if(differs)
        message(FATAL_ERROR "${name} differs from ${EXPECTED}/${name}; run the tool again and commit its output")
    endif()
endforeach()
message(STATUS "${count} files equal the committed ones")
