# Installs the build into a throwaway prefix and checks the layout a user
# relies on: the program, its Access reader and its bestiary side by side and
# alone, a working link to the program in bin/, and the desktop files under
# one id.
# Then a game master's own bestiary in the data folder must outlive an
# upgrade: installed again over the prefix, the program still lists its foes
# and leaves the file as it was.
# Usage: cmake -DBUILD_DIR=... -DPREFIX=... -DPROGRAM_DIR=lib/vorn-foe -DBIN_DIR=bin -DDATA_DIR=share
#              -DUSER_BESTIARY=... -DBUILT_PROGRAM=... -P CheckInstall.cmake
file(REMOVE_RECURSE ${PREFIX})
execute_process(COMMAND ${CMAKE_COMMAND} --install ${BUILD_DIR} --prefix ${PREFIX}
                RESULT_VARIABLE status OUTPUT_QUIET)
if(NOT status EQUAL 0)
    message(FATAL_ERROR "cmake --install failed: ${status}")
endif()

# The program's folder holds the program, its Access reader and the sample,
# and nothing else.
file(GLOB program_folder RELATIVE ${PREFIX}/${PROGRAM_DIR} ${PREFIX}/${PROGRAM_DIR}/*)
list(SORT program_folder)
if(NOT program_folder STREQUAL "Vorn.mdb;vorn-foe;vorn-foe-mdb-reader")
    message(FATAL_ERROR "the program's folder holds ${program_folder}")
endif()

foreach(expected
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

# What the built program lists from the user's file and from the sample.
function(list_foes out)
    execute_process(COMMAND ${ARGN} --list --category 0 OUTPUT_VARIABLE listed RESULT_VARIABLE status)
    if(NOT status EQUAL 0)
        message(FATAL_ERROR "${ARGN} --list failed: ${status}")
    endif()
    set(${out} "${listed}" PARENT_SCOPE)
endfunction()
list_foes(user_foes ${BUILT_PROGRAM} --bestiary ${USER_BESTIARY})
list_foes(sample_foes ${BUILT_PROGRAM} --bestiary ${PREFIX}/${PROGRAM_DIR}/Vorn.mdb)
if(user_foes STREQUAL sample_foes)
    message(FATAL_ERROR "the user's bestiary must differ from the sample for this check")
endif()

set(user ${PREFIX}-user)
file(REMOVE_RECURSE ${user})
file(MAKE_DIRECTORY ${user}/data/vorn-foe ${user}/config)
file(COPY_FILE ${USER_BESTIARY} ${user}/data/vorn-foe/Vorn.mdb)
file(SHA256 ${USER_BESTIARY} before)
execute_process(COMMAND ${CMAKE_COMMAND} --install ${BUILD_DIR} --prefix ${PREFIX}
                RESULT_VARIABLE status OUTPUT_QUIET)
if(NOT status EQUAL 0)
    message(FATAL_ERROR "installing over the prefix failed: ${status}")
endif()
execute_process(COMMAND ${CMAKE_COMMAND} -E env HOME=${user} XDG_DATA_HOME=${user}/data XDG_CONFIG_HOME=${user}/config
                        ${link} --list --category 0
                OUTPUT_VARIABLE listed ERROR_VARIABLE complaints RESULT_VARIABLE status)
if(NOT status EQUAL 0 OR NOT listed STREQUAL user_foes)
    message(FATAL_ERROR "after the upgrade the program lists (status ${status}):\n${listed}${complaints}"
                        "instead of the user's foes:\n${user_foes}")
endif()
file(SHA256 ${user}/data/vorn-foe/Vorn.mdb after)
if(NOT after STREQUAL before)
    message(FATAL_ERROR "the user's bestiary changed")
endif()
file(GLOB beside RELATIVE ${user}/data/vorn-foe ${user}/data/vorn-foe/*)
if(NOT beside STREQUAL "Vorn.mdb")
    message(FATAL_ERROR "files appeared beside the user's bestiary: ${beside}")
endif()
file(REMOVE_RECURSE ${PREFIX} ${user})
