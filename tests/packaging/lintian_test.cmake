# lintian on the package that the deb_package test left in DEB_DIR: the test
# fails on any error tag and prints the warnings for the record.
if(NOT LINTIAN OR NOT EXISTS ${LINTIAN})
  message(FATAL_ERROR "lintian not found (Debian package lintian)")
endif()
file(GLOB debs ${DEB_DIR}/*.deb)
list(LENGTH debs count)
if(NOT count EQUAL 1)
  message(FATAL_ERROR "run deb_package first: expected one .deb in ${DEB_DIR}, found: ${debs}")
endif()
execute_process(COMMAND ${LINTIAN} --no-tag-display-limit ${debs}
  OUTPUT_VARIABLE out ERROR_VARIABLE err RESULT_VARIABLE rc)
message(STATUS "lintian:\n${out}${err}")
if(out MATCHES "(^|\n)E: ")
  message(FATAL_ERROR "lintian reports errors:\n${out}")
endif()
