# The program's command line, run as a user runs it, with no display: each
# case gives its arguments, the exit status and what must (or must not)
# appear on standard output and standard error.
# Usage: cmake -DPROGRAM=.../vorn-foe -DBESTIARY=<an Access fixture> -DSCRATCH=<a folder to write in>
#              -P CheckCommandLine.cmake

# Every case runs as a new user, unless it says otherwise with ENV.
include(${CMAKE_CURRENT_LIST_DIR}/NewUser.cmake)

function(run out_status out_stdout out_stderr)
    execute_process(COMMAND ${CMAKE_COMMAND} -E env ${user} ${PROGRAM} ${ARGN}
                    RESULT_VARIABLE status OUTPUT_VARIABLE stdout ERROR_VARIABLE stderr)
    set(${out_status} "${status}" PARENT_SCOPE)
    set(${out_stdout} "${stdout}" PARENT_SCOPE)
    set(${out_stderr} "${stderr}" PARENT_SCOPE)
endfunction()

# expect(STATUS n [STDOUT regex] [STDERR regex] [QUIET_STDOUT] [QUIET_STDERR] [ENV VAR=value ...] ARGS ...)
function(expect)
    cmake_parse_arguments(CASE "QUIET_STDOUT;QUIET_STDERR" "STATUS;STDOUT;STDERR" "ENV;ARGS" ${ARGN})
    list(APPEND user ${CASE_ENV})
    run(status stdout stderr ${CASE_ARGS})
    set(what "vorn-foe ${CASE_ARGS}: status ${status}\nstdout: ${stdout}\nstderr: ${stderr}")
    if(NOT status EQUAL CASE_STATUS)
        message(FATAL_ERROR "expected status ${CASE_STATUS}; ${what}")
    endif()
    foreach(stream stdout stderr)
        string(TOUPPER ${stream} key)
        if(CASE_${key} AND NOT ${stream} MATCHES "${CASE_${key}}")
            message(FATAL_ERROR "expected ${stream} matching ${CASE_${key}}; ${what}")
        endif()
        if(CASE_QUIET_${key} AND NOT ${stream} STREQUAL "")
            message(FATAL_ERROR "expected nothing on ${stream}; ${what}")
        endif()
    endforeach()
endfunction()

expect(STATUS 0 STDOUT "--bestiary <file>.*\n  0  Pitiful\n.*  6  Terrifying\n.*Exit status:.*  2  " ARGS --help)
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

# Stat blocks, in every format, for a shooter and for a foe without missiles.
set(archer --foe "Bandit Archer" --category superior --tally Init=1 --tally hp=5 --bestiary ${BESTIARY})
expect(STATUS 0 QUIET_STDERR STDOUT "^Bandit Archer at Superior\nTallies: Init \\+1, HP \\+5\n.*Bow.*X-Bow" ARGS ${archer})
expect(STATUS 0 STDOUT "^Goblin at Equal\n" ARGS --foe Goblin --bestiary ${BESTIARY})
run(status goblin unused --foe Goblin --bestiary ${BESTIARY})
if(goblin MATCHES "Bow")
    message(FATAL_ERROR "a foe without missiles shows ranged rows:\n${goblin}")
endif()
expect(STATUS 0 STDOUT "^### Bandit Archer at Superior\n.*\\|" ARGS ${archer} --format markdown)
expect(STATUS 0 STDOUT "<table.*Bandit Archer|Bandit Archer.*<table" ARGS ${archer} --format html)
expect(STATUS 0 STDOUT "^{\"foe\": \"Bandit Archer\", \"category\": \"Superior\", \"tallies\": {\"Init\": 1, "
       ARGS ${archer} --format JSON)
expect(STATUS 0 STDOUT "^{\"foe\": \"Goblin\".*\"bow\": null, \"xbow\": null"
       ARGS --foe Goblin --format json --bestiary ${BESTIARY})
expect(STATUS 0 STDOUT "^\\[{\"foe\": \"Goblin\".*}, {\"foe\": \"\\[Generic\\]\".*}\\]\n$"
       ARGS --foe Goblin --foe [Generic] --format json --bestiary ${BESTIARY})
expect(STATUS 0 STDOUT "^Goblin at Equal\n.*\n\nOrc at Equal\n" ARGS --foe Goblin --foe Orc --bestiary ${BESTIARY})

# What is wrong is said, never guessed at: 2 for the command line itself,
# 1 for the data.
expect(STATUS 1 QUIET_STDOUT STDERR "no foe named \"Gobbo\"" ARGS --foe Gobbo --bestiary ${BESTIARY})
expect(STATUS 2 QUIET_STDOUT STDERR "The Init tally \"abc\" is not a number"
       ARGS --foe Goblin --tally Init=abc --bestiary ${BESTIARY})
expect(STATUS 2 QUIET_STDOUT STDERR "Unknown statistic" ARGS --foe Goblin --tally Luck=3 --bestiary ${BESTIARY})
expect(STATUS 2 QUIET_STDOUT STDERR "Unknown format: yaml" ARGS --foe Goblin --format yaml --bestiary ${BESTIARY})
expect(STATUS 2 QUIET_STDOUT STDERR "Missing value after '--foe'" ARGS --foe)
# An option that would do nothing for the task is refused, not ignored.
expect(STATUS 2 QUIET_STDOUT STDERR "^vorn-foe: --tally goes with --foe or --sheet\\.\n$"
       ARGS --list --tally Init=1 --bestiary ${BESTIARY})
expect(STATUS 2 QUIET_STDOUT STDERR "^vorn-foe: --format goes with --foe or --encounter\\.\n$"
       ARGS --sheet ${SCRATCH}/unused.pdf --foe Goblin --format json --bestiary ${BESTIARY})
expect(STATUS 2 QUIET_STDOUT STDERR "^vorn-foe: --list and --foe cannot be combined\\.\n$"
       ARGS --list --foe Goblin --bestiary ${BESTIARY})
expect(STATUS 2 QUIET_STDOUT STDERR "^vorn-foe: --category goes with --foe, --list or --sheet\\.\n$"
       ARGS --category 2)
# A typed name takes the spelling the list gives it, as in the window.
expect(STATUS 0 STDOUT "^Bandit Archer at Superior\n" ARGS --foe "bANDIT aRCHER" --category superior --bestiary ${BESTIARY})

# The bestiary the window would start on, or none: a data folder's file that
# is refused ends the answer, never answered from the sample instead.
file(MAKE_DIRECTORY ${SCRATCH}/refused/vorn-foe)
file(WRITE ${SCRATCH}/refused/vorn-foe/Vorn.mdb "not a bestiary")
expect(STATUS 1 QUIET_STDOUT
       STDERR "^vorn-foe: [^\n]*refused/vorn-foe/Vorn.mdb\" cannot be used: [^\n]* Name another with --bestiary FILE\\.\n$"
       ENV XDG_DATA_HOME=${SCRATCH}/refused ARGS --foe Goblin)
expect(STATUS 1 QUIET_STDOUT STDERR "cannot be used" ARGS --foe Goblin --bestiary /no/such/Vorn.mdb)

# An encounter sheet: every foe's block in one PDF.
expect(STATUS 0 QUIET_STDOUT QUIET_STDERR ARGS --sheet ${SCRATCH}/encounter.pdf --foe Goblin --foe "Bandit Archer" --foe Orc
       --category Weak --bestiary ${BESTIARY})
execute_process(COMMAND pdftotext ${SCRATCH}/encounter.pdf - OUTPUT_VARIABLE sheet RESULT_VARIABLE status)
foreach(foe Goblin "Bandit Archer" Orc)
    if(NOT status EQUAL 0 OR NOT sheet MATCHES "${foe} at Weak")
        message(FATAL_ERROR "the encounter sheet lacks ${foe} (pdftotext status ${status}):\n${sheet}")
    endif()
endforeach()
expect(STATUS 1 QUIET_STDOUT STDERR "${SCRATCH}/missing/encounter.pdf"
       ARGS --sheet ${SCRATCH}/missing/encounter.pdf --foe Goblin --bestiary ${BESTIARY})

# An encounter saved by the window: each entry's block with its count, the
# JSON objects with each creature's HP; its sheet; and what cannot be used.
set(fight ${SCRATCH}/fight.json)
file(WRITE ${fight} [[{"format": "vorn-foe-encounter", "version": 1, "entries": [
  {"foe": "Goblin", "category": "Weak", "tallies": {"Init": 2}, "count": 3, "hp": [12, 5, -2]},
  {"foe": "Bandit Archer", "category": "Superior", "count": 1, "hp": [20], "unknown key": true}]}]])
expect(STATUS 0 QUIET_STDERR STDOUT "^3 × Goblin at Weak\nTallies: Init \\+2\n.*\n\nBandit Archer at Superior\n.*Bow"
       ARGS --encounter ${fight} --bestiary ${BESTIARY})
expect(STATUS 0 STDOUT "^\\[{\"foe\": \"Goblin\", \"category\": \"Weak\", .*\"count\": 3, \"hp\": \\[12, 5, -2\\]}, {\"foe\": \"Bandit Archer\".*\"count\": 1, \"hp\": \\[20\\]}\\]\n$"
       ARGS --encounter ${fight} --format json --bestiary ${BESTIARY})
expect(STATUS 0 QUIET_STDOUT QUIET_STDERR ARGS --sheet ${SCRATCH}/fight.pdf --encounter ${fight} --bestiary ${BESTIARY})
execute_process(COMMAND pdftotext ${SCRATCH}/fight.pdf - OUTPUT_VARIABLE sheet)
if(NOT sheet MATCHES "3 × Goblin at Weak" OR NOT sheet MATCHES "Bandit Archer at Superior")
    message(FATAL_ERROR "the encounter's sheet lacks its entries:\n${sheet}")
endif()
expect(STATUS 2 QUIET_STDOUT STDERR "^vorn-foe: --encounter and --foe cannot be combined\\.\n$"
       ARGS --encounter ${fight} --foe Orc)
expect(STATUS 2 QUIET_STDOUT STDERR "^vorn-foe: --category and --tally go with --foe: each entry"
       ARGS --encounter ${fight} --category 2)
expect(STATUS 2 QUIET_STDOUT STDERR "^vorn-foe: --list and --encounter cannot be combined\\.\n$"
       ARGS --encounter ${fight} --list)
expect(STATUS 1 QUIET_STDOUT STDERR "^vorn-foe: The encounter \"[^\n]*/none.json\" cannot be opened: "
       ARGS --encounter ${SCRATCH}/none.json --bestiary ${BESTIARY})
file(WRITE ${SCRATCH}/gone.json [[{"format": "vorn-foe-encounter", "version": 1, "entries": [
  {"foe": "Orc", "category": "Equal", "count": 1, "hp": [9]}, {"foe": "Gobbo", "category": "Equal", "count": 1, "hp": [9]}]}]])
expect(STATUS 1 QUIET_STDOUT STDERR "^vorn-foe: Entry 2 of the encounter: Gobbo is not in the bestiary\\.\n$"
       ARGS --encounter ${SCRATCH}/gone.json --bestiary ${BESTIARY})
file(REMOVE_RECURSE ${SCRATCH})
