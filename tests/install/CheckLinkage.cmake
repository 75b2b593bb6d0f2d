# What the calculator's programs load. The program takes the system's own
# shared libraries, as a distribution's package does: the C++ runtime,
# SQLite, ICU and Qt, each of them a security update away from mending.
# mdbtools' libmdb, which trusts the files it reads, is loaded by the Access
# reader alone, in a process of its own.
# Usage: cmake -DPROGRAM=.../vorn-foe -DREADER=.../vorn-foe-mdb-reader -P CheckLinkage.cmake

function(loaded_libraries binary out)
    execute_process(COMMAND ldd ${binary} OUTPUT_VARIABLE loaded RESULT_VARIABLE status)
    if(NOT status EQUAL 0)
        message(FATAL_ERROR "ldd cannot read ${binary}")
    endif()
    set(${out} "${loaded}" PARENT_SCOPE)
endfunction()

loaded_libraries(${PROGRAM} program_loads)
foreach(library libstdc\\+\\+\\.so libsqlite3\\.so libicuuc\\.so libQt6Core\\.so libQt6Widgets\\.so
                libQt6PrintSupport\\.so)
    if(NOT program_loads MATCHES "${library}")
        message(FATAL_ERROR "the program does not load ${library}:\n${program_loads}")
    endif()
endforeach()
if(program_loads MATCHES "libmdb")
    message(FATAL_ERROR "the program loads libmdb, which only the Access reader may:\n${program_loads}")
endif()

loaded_libraries(${READER} reader_loads)
if(NOT reader_loads MATCHES "libmdb")
    message(FATAL_ERROR "the Access reader should load libmdb:\n${reader_loads}")
endif()
