# Installs the build into a throwaway prefix and checks the layout a user
# relies on: the program, its Access reader and its bestiary side by side, a
# working link to the program in bin/, and the desktop files under one id.
# Usage: cmake -DBUILD_DIR=... -DPREFIX=... -DPROGRAM_DIR=lib/vorn-foe -DBIN_DIR=bin -DDATA_DIR=share -P CheckInstall.cmake
file(REMOVE_RECURSE ${PREFIX})
execute_process(COMMAND ${CMAKE_COMMAND} --install ${BUILD_DIR} --prefix ${PREFIX}
                RESULT_VARIABLE status OUTPUT_QUIET)
if(NOT status EQUAL 0)
    message(FATAL_ERROR "cmake --install failed: ${status}")
endif()

foreach(expected
        ${PROGRAM_DIR}/vorn-foe
        ${PROGRAM_DIR}/vorn-foe-mdb-reader
        ${PROGRAM_DIR}/Vorn.mdb
        ${DATA_DIR}/applications/org.vornfoe.Calculator.desktop
        ${DATA_DIR}/metainfo/org.vornfoe.Calculator.metainfo.xml
        ${DATA_DIR}/icons/hicolor/scalable/apps/org.vornfoe.Calculator.svg
        ${DATA_DIR}/icons/hicolor/16x16/apps/org.vornfoe.Calculator.png
        ${DATA_DIR}/icons/hicolor/256x256/apps/org.vornfoe.Calculator.png)
    if(NOT EXISTS ${PREFIX}/${expected})
        message(FATAL_ERROR "not installed: ${expected}")
    endif()
endforeach()

set(link ${PREFIX}/${BIN_DIR}/vorn-foe)
if(NOT IS_SYMLINK ${link})
    message(FATAL_ERROR "${link} is not a link to the program")
endif()
file(READ_SYMLINK ${link} target)
if(IS_ABSOLUTE ${target})
    message(FATAL_ERROR "${link} points to the absolute ${target}; the tree could not move")
endif()
file(REAL_PATH ${link} resolved)
file(REAL_PATH ${PREFIX}/${PROGRAM_DIR}/vorn-foe program)
if(NOT resolved STREQUAL program)
    message(FATAL_ERROR "${link} leads to ${resolved}, not to ${program}")
endif()
file(REMOVE_RECURSE ${PREFIX})
