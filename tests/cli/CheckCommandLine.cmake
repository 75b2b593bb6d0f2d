# The program's command line, run as a user runs it, with no display: each
# case gives its arguments, the exit status and what must (or must not)
# appear on standard output and standard error.
# Usage: cmake -DPROGRAM=.../vorn-foe -DBESTIARY=<an Access fixture> -P CheckCommandLine.cmake

set(ENV{DISPLAY} "")
set(ENV{WAYLAND_DISPLAY} "")
set(ENV{QT_QPA_PLATFORM} "")

function(run out_status out_stdout out_stderr)
    execute_process(COMMAND ${PROGRAM} ${ARGN} RESULT_VARIABLE status OUTPUT_VARIABLE stdout ERROR_VARIABLE stderr)
    set(${out_status} "${status}" PARENT_SCOPE)
    set(${out_stdout} "${stdout}" PARENT_SCOPE)
    set(${out_stderr} "${stderr}" PARENT_SCOPE)
endfunction()

# expect(STATUS n [STDOUT regex] [STDERR regex] [QUIET_STDOUT] ARGS ...)
function(expect)
    cmake_parse_arguments(CASE "QUIET_STDOUT" "STATUS;STDOUT;STDERR" "ARGS" ${ARGN})
    run(status stdout stderr ${CASE_ARGS})
    set(what "vorn-foe ${CASE_ARGS}: status ${status}\nstdout: ${stdout}\nstderr: ${stderr}")
    if(NOT status EQUAL CASE_STATUS)
        message(FATAL_ERROR "expected status ${CASE_STATUS}; ${what}")
    endif()
    if(CASE_STDOUT AND NOT stdout MATCHES "${CASE_STDOUT}")
        message(FATAL_ERROR "expected stdout matching ${CASE_STDOUT}; ${what}")
    endif()
    if(CASE_STDERR AND NOT stderr MATCHES "${CASE_STDERR}")
        message(FATAL_ERROR "expected stderr matching ${CASE_STDERR}; ${what}")
    endif()
    if(CASE_QUIET_STDOUT AND NOT stdout STREQUAL "")
        message(FATAL_ERROR "expected nothing on stdout; ${what}")
    endif()
endfunction()

expect(STATUS 0 STDOUT "--bestiary <file>" ARGS --help)
expect(STATUS 0 STDOUT "^vorn-foe [0-9]+\\.[0-9]+\\.[0-9]+\n$" ARGS --version)
expect(STATUS 0 STDOUT "^Ancient Dragon\nBandit\nBandit\nBandit Archer\n" ARGS --list --category 0 --bestiary ${BESTIARY})
expect(STATUS 2 QUIET_STDOUT STDERR "^vorn-foe: Unknown category: 9" ARGS --list --category 9 --bestiary ${BESTIARY})
expect(STATUS 2 QUIET_STDOUT STDERR "^vorn-foe: Unknown category: fearsome"
       ARGS --list --category fearsome --bestiary ${BESTIARY})
expect(STATUS 2 QUIET_STDOUT STDERR "^vorn-foe: Unknown option 'frobnicate'" ARGS --frobnicate)
expect(STATUS 1 QUIET_STDOUT STDERR "/no/such/Vorn.mdb\" cannot be used: the file does not exist"
       ARGS --list --bestiary /no/such/Vorn.mdb)

# A caption and its number, in any letter case, are the same category.
run(status by_caption unused --list --category sUpErIoR --bestiary ${BESTIARY})
run(status by_number unused --list --category 4 --bestiary ${BESTIARY})
run(status by_default unused --list --bestiary ${BESTIARY})
run(status at_equal unused --list --category Equal --bestiary ${BESTIARY})
if(NOT by_caption STREQUAL by_number OR by_caption STREQUAL "" OR NOT by_default STREQUAL at_equal)
    message(FATAL_ERROR "categories disagree:\n${by_caption}\n--\n${by_number}\n--\n${by_default}\n--\n${at_equal}")
endif()
