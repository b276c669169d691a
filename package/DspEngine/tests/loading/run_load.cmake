# Copies the package library into a scratch folder, beside a stand-in engine
# (or none), loads the copy with the probe and checks the loader's answer.
#   PROBE, PACKAGE (the package library), ENGINE_NAME (the file name the package
#   asks for), STUB (a stand-in engine file, or empty), WORK_DIR,
#   EXPECT (loaded | refused), MATCH (a regular expression the answer must hold)
#   With STUB empty and IN_PLACE set, the package is loaded where it was built.
file(REMOVE_RECURSE ${WORK_DIR})
file(MAKE_DIRECTORY ${WORK_DIR})
get_filename_component(name ${PACKAGE} NAME)
file(COPY_FILE ${PACKAGE} ${WORK_DIR}/${name})
if(STUB)
  file(COPY_FILE ${STUB} ${WORK_DIR}/${ENGINE_NAME})
endif()
# The package finds its engine beside itself; nothing from outside may help.
set(ENV{LD_LIBRARY_PATH} "")
set(ENV{LD_PRELOAD} "")
set(target ${WORK_DIR}/${name})
if(IN_PLACE)
  set(target ${PACKAGE})
endif()
execute_process(COMMAND ${PROBE} ${target}
  RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE err)
message(STATUS "probe: ${out}${err}")
if(EXPECT STREQUAL "loaded")
  if(NOT rc EQUAL 0)
    message(FATAL_ERROR "expected the package to load, but: ${out}${err}")
  endif()
elseif(rc EQUAL 0)
  message(FATAL_ERROR "expected the loader to refuse the package, but it loaded")
elseif(NOT rc EQUAL 1)
  message(FATAL_ERROR "probe failed (${rc}): ${out}${err}")
endif()
if(MATCH AND NOT out MATCHES "${MATCH}")
  message(FATAL_ERROR "the loader's answer lacks '${MATCH}': ${out}")
endif()
