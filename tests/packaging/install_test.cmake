# cmake --install into an empty prefix; the installed hehun-cli, started
# from an unrelated folder (directly and through a link), finds the databases
# and the rule files in PREFIX/share/hehun and prints the expected results;
# the site configuration lands in PREFIX/etc/hehun.
include(${CMAKE_CURRENT_LIST_DIR}/common.cmake)

set(PREFIX ${WORK_DIR}/prefix)
file(REMOVE_RECURSE ${WORK_DIR})
file(MAKE_DIRECTORY ${WORK_DIR}/elsewhere)

execute_process(COMMAND ${CMAKE_COMMAND} --install ${BUILD_DIR} --prefix ${PREFIX}
  OUTPUT_QUIET ERROR_VARIABLE err RESULT_VARIABLE rc)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "cmake --install failed (${rc}):\n${err}")
endif()

# Exactly the expected files: nothing missing, no test program or build
# helper installed by mistake.
file(GLOB_RECURSE found LIST_DIRECTORIES false RELATIVE ${PREFIX} ${PREFIX}/*)
list(REMOVE_ITEM found etc/hehun/contacts.ini)
list(SORT found)
if(NOT found STREQUAL INSTALLED_FILES)
  string(REPLACE ";" "\n  " f "${found}")
  string(REPLACE ";" "\n  " e "${INSTALLED_FILES}")
  message(FATAL_ERROR "installed files differ:\n--- got:\n  ${f}\n--- expected:\n  ${e}")
endif()
if(NOT EXISTS ${PREFIX}/etc/hehun/contacts.ini)
  message(FATAL_ERROR "the site configuration etc/hehun/contacts.ini was not installed")
endif()

# Directly, and through a link in another folder.
file(CREATE_LINK ${PREFIX}/bin/hehun-cli ${WORK_DIR}/elsewhere/hehun-cli SYMBOLIC)
foreach(cli ${PREFIX}/bin/hehun-cli ${WORK_DIR}/elsewhere/hehun-cli)
  expect_output(${WORK_DIR}/elsewhere "${PILLARS_INPUT}" "${PILLARS_EXPECTED}" ${cli} pillars)
endforeach()
expect_output(${WORK_DIR}/elsewhere "" "${MARRIAGE_GOLDEN}" ${PREFIX}/bin/hehun-cli ${MARRIAGE_ARGS})
# The Traditional Chinese settings are found in the installed data folder.
execute_process(COMMAND ${PREFIX}/bin/hehun-cli --traditional almanac 2024-05-01
  WORKING_DIRECTORY ${WORK_DIR}/elsewhere OUTPUT_VARIABLE out ERROR_VARIABLE err RESULT_VARIABLE rc)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "hehun-cli --traditional almanac: status ${rc}\n${err}")
endif()
expect_contains("${out}" "農曆" "hehun-cli --traditional almanac")

# Without its databases the installed program cannot print the report: the
# results above really came from the installed files, not from elsewhere.
file(RENAME ${PREFIX}/share/hehun/Tgcode.dll ${WORK_DIR}/Tgcode.dll)
file(RENAME ${PREFIX}/share/hehun/BookFile.dll ${WORK_DIR}/BookFile.dll)
execute_process(COMMAND ${PREFIX}/bin/hehun-cli ${MARRIAGE_ARGS}
  WORKING_DIRECTORY ${WORK_DIR}/elsewhere OUTPUT_VARIABLE out ERROR_VARIABLE err RESULT_VARIABLE rc)
if(rc EQUAL 0 OR out STREQUAL MARRIAGE_GOLDEN)
  message(FATAL_ERROR "hehun-cli printed the report without its databases: it read them from elsewhere")
endif()
