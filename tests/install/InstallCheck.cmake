# Installs the build tree into WORK/usr and runs the installed mobr there, with
# a home of its own so nothing of the build tree or the user is used.
file(REMOVE_RECURSE ${WORK})
execute_process(COMMAND ${CMAKE_COMMAND} --install ${BUILD} --prefix ${WORK}/usr
                RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE out)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "cmake --install failed (${rc}):\n${out}")
endif()

foreach(path bin/mobr lib/mobr/libmobrtmpl.so lib/mobr/ZQRCTMPL.rcc lib/mobr/system/MOBRSTD.INI
             share/applications/mobr.desktop share/icons/hicolor/scalable/apps/mobr.svg share/mobr/samples/demo.json)
  if(NOT EXISTS ${WORK}/usr/${path})
    message(FATAL_ERROR "not installed: ${path}")
  endif()
endforeach()

execute_process(COMMAND ${WORK}/usr/bin/mobr --version RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE err)
if(NOT rc EQUAL 0 OR NOT out STREQUAL "mobr ${VERSION}\n")
  message(FATAL_ERROR "installed mobr --version: exit ${rc}, said '${out}' ${err}")
endif()

file(MAKE_DIRECTORY ${WORK}/home ${WORK}/run)
file(COPY ${WORK}/usr/share/mobr/samples/ DESTINATION ${WORK}/run)
execute_process(COMMAND ${CMAKE_COMMAND} -E env HOME=${WORK}/home XDG_DATA_HOME=${WORK}/home/data
                        ${WORK}/usr/bin/mobr run demo.json --out transcript.json
                WORKING_DIRECTORY ${WORK}/run RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE err)
if(NOT rc EQUAL 0 OR NOT EXISTS ${WORK}/run/transcript.json)
  message(FATAL_ERROR "installed mobr run demo.json: exit ${rc}\n${out}\n${err}")
endif()
file(READ ${WORK}/run/transcript.json transcript)
if(NOT transcript MATCHES "System Attributes")
  message(FATAL_ERROR "the demo's transcript shows no system attribute sheet")
endif()
message(STATUS "installed mobr ran the demo: ${out}")
