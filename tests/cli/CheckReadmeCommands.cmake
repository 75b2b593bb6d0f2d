# Every command-line example in README.md runs on the sample bestiary, as a
# new user types it: each line of a ```sh block that starts with
# "vorn-foe", run in a scratch folder with empty settings and data folders,
# must end with status 0.
# Usage: cmake -DPROGRAM=.../vorn-foe -DREADME=.../README.md -DSCRATCH=<a folder to write in>
#              -P CheckReadmeCommands.cmake

include(${CMAKE_CURRENT_LIST_DIR}/NewUser.cmake)

file(STRINGS ${README} lines)
set(in_shell_block FALSE)
set(examples 0)
foreach(line IN LISTS lines)
    if(line MATCHES "^```sh")
        set(in_shell_block TRUE)
    elseif(line MATCHES "^```")
        set(in_shell_block FALSE)
    elseif(in_shell_block AND line MATCHES "^vorn-foe ")
        separate_arguments(words UNIX_COMMAND "${line}")
        list(POP_FRONT words)
        execute_process(COMMAND ${CMAKE_COMMAND} -E env ${user} ${PROGRAM} ${words} WORKING_DIRECTORY ${SCRATCH}
                        RESULT_VARIABLE status OUTPUT_QUIET ERROR_VARIABLE stderr)
        if(NOT status EQUAL 0)
            message(FATAL_ERROR "README's example `${line}` ends with status ${status}:\n${stderr}")
        endif()
        math(EXPR examples "${examples} + 1")
    endif()
endforeach()
if(examples LESS 5)
    message(FATAL_ERROR "only ${examples} examples found in README.md; has the layout of its blocks changed?")
endif()
file(REMOVE_RECURSE ${SCRATCH})
