# Makes the Debian package from the build and checks it as Debian's archive
# would: lintian finds no error and no warning, the package depends on the
# decorative face's own package instead of carrying it, and its description
# is README's own words.
# Usage: cmake -DCPACK=... -DBUILD_DIR=... -DOUT=... -DLINTIAN=... -DREADME=... -P CheckPackage.cmake
file(REMOVE_RECURSE ${OUT})
execute_process(COMMAND ${CPACK} -G DEB --config ${BUILD_DIR}/CPackConfig.cmake -B ${OUT}
                RESULT_VARIABLE status OUTPUT_VARIABLE log ERROR_VARIABLE log)
file(GLOB package ${OUT}/*.deb)
if(NOT status EQUAL 0 OR NOT package)
    message(FATAL_ERROR "cpack failed (${status}):\n${log}")
endif()

execute_process(COMMAND ${LINTIAN} --fail-on error,warning ${package}
                RESULT_VARIABLE status OUTPUT_VARIABLE findings ERROR_VARIABLE complaints)
if(NOT status EQUAL 0)
    message(FATAL_ERROR "lintian (${status}):\n${findings}${complaints}")
endif()

execute_process(COMMAND dpkg-deb --field ${package} Depends OUTPUT_VARIABLE depends)
if(NOT depends MATCHES "(^|, )fonts-gotico-antiqua(,|\n)")
    message(FATAL_ERROR "the package depends on: ${depends}")
endif()
execute_process(COMMAND dpkg-deb --field ${package} Description OUTPUT_VARIABLE description)
string(REPLACE "\n " "\n" unindented "${description}")
string(FIND "${unindented}" "\n" summary_end)
string(SUBSTRING "${unindented}" ${summary_end} -1 extended)
string(STRIP "${extended}" extended)
file(READ ${README} readme)
string(FIND "${readme}" "${extended}" found)
if(extended STREQUAL "" OR found EQUAL -1)
    message(FATAL_ERROR "the package's description is not README's words:\n${description}")
endif()
file(REMOVE_RECURSE ${OUT})
