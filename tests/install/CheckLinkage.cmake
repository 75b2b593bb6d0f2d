# The calculator itself never loads mdbtools' libmdb or glib: the Access
# reader beside it does, in its own process. Qt may bring glib along for its
# event loop, so glib is checked among the libraries the program names
# itself; libmdb must not be loaded at all.
# Usage: cmake -DPROGRAM=.../vorn-foe -DREADER=.../vorn-foe-mdb-reader -P CheckLinkage.cmake

function(needed_libraries binary out)
    execute_process(COMMAND readelf --dynamic ${binary} OUTPUT_VARIABLE dynamic RESULT_VARIABLE status)
    if(NOT status EQUAL 0)
        message(FATAL_ERROR "readelf cannot read ${binary}")
    endif()
    string(REGEX MATCHALL "\\(NEEDED\\)[^\n]*" needed "${dynamic}")
    set(${out} "${needed}" PARENT_SCOPE)
endfunction()

needed_libraries(${PROGRAM} program_needs)
needed_libraries(${READER} reader_needs)
if(NOT reader_needs MATCHES "libmdb" OR NOT reader_needs MATCHES "libglib")
    message(FATAL_ERROR "the Access reader should name libmdb and glib: ${reader_needs}")
endif()
if(program_needs MATCHES "libmdb|libglib")
    message(FATAL_ERROR "the calculator names libmdb or glib itself: ${program_needs}")
endif()

execute_process(COMMAND ldd ${PROGRAM} OUTPUT_VARIABLE loaded RESULT_VARIABLE status)
if(NOT status EQUAL 0 OR loaded MATCHES "libmdb")
    message(FATAL_ERROR "the calculator loads libmdb:\n${loaded}")
endif()
