# What each of the calculator's files loads. The program answers the command
# line without Qt: it loads neither Qt nor mdbtools' libmdb nor glib. The
# window module loads Qt, which may bring glib along for its event loop, but
# not Qt's print support (loaded on the first Print) and never libmdb: the Access reader alone names libmdb and glib, in its own
# process.
# Usage: cmake -DPROGRAM=.../vorn-foe -DWINDOW=.../vorn-foe-window.so -DREADER=.../vorn-foe-mdb-reader
#              -P CheckLinkage.cmake

function(needed_libraries binary out)
    execute_process(COMMAND readelf --dynamic ${binary} OUTPUT_VARIABLE dynamic RESULT_VARIABLE status)
    if(NOT status EQUAL 0)
        message(FATAL_ERROR "readelf cannot read ${binary}")
    endif()
    string(REGEX MATCHALL "\\(NEEDED\\)[^\n]*" needed "${dynamic}")
    set(${out} "${needed}" PARENT_SCOPE)
endfunction()

needed_libraries(${READER} reader_needs)
if(NOT reader_needs MATCHES "libmdb" OR NOT reader_needs MATCHES "libglib")
    message(FATAL_ERROR "the Access reader should name libmdb and glib: ${reader_needs}")
endif()
needed_libraries(${WINDOW} window_needs)
if(NOT window_needs MATCHES "libQt6Widgets" OR window_needs MATCHES "libmdb|libglib|PrintSupport")
    message(FATAL_ERROR "the window module should name Qt's widgets, and neither libmdb, glib nor Qt's print "
                        "support, which Print loads when chosen: ${window_needs}")
endif()

execute_process(COMMAND ldd ${PROGRAM} OUTPUT_VARIABLE loaded RESULT_VARIABLE status)
if(NOT status EQUAL 0 OR loaded MATCHES "libmdb|libglib|libQt6")
    message(FATAL_ERROR "the program loads libmdb, glib or Qt:\n${loaded}")
endif()
