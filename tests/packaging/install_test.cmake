# cmake --install into an empty prefix; the installed hehun-cli, started
# through its link in bin/ from an unrelated folder, finds the databases and
# the rule files beside the real executable and prints the expected results.
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
list(REMOVE_ITEM found lib/hehun/contacts.ini)
list(SORT found)
if(NOT found STREQUAL INSTALLED_FILES)
  string(REPLACE ";" "\n  " f "${found}")
  string(REPLACE ";" "\n  " e "${INSTALLED_FILES}")
  message(FATAL_ERROR "installed files differ:\n--- got:\n  ${f}\n--- expected:\n  ${e}")
endif()

foreach(program hehun hehun-cli)
  if(NOT IS_SYMLINK ${PREFIX}/bin/${program})
    message(FATAL_ERROR "bin/${program} is not a symbolic link")
  endif()
  file(READ_SYMLINK ${PREFIX}/bin/${program} target)
  if(NOT target STREQUAL "../lib/hehun/${program}")
    message(FATAL_ERROR "bin/${program} points to ${target}")
  endif()
endforeach()

# Through the link in bin/, and through a second link in another folder.
file(CREATE_LINK ${PREFIX}/bin/hehun-cli ${WORK_DIR}/elsewhere/hehun-cli SYMBOLIC)
foreach(cli ${PREFIX}/bin/hehun-cli ${WORK_DIR}/elsewhere/hehun-cli)
  expect_output(${WORK_DIR}/elsewhere "${PILLARS_INPUT}" "${PILLARS_EXPECTED}" ${cli} pillars)
endforeach()
expect_output(${WORK_DIR}/elsewhere "" "${MARRIAGE_GOLDEN}" ${PREFIX}/bin/hehun-cli ${MARRIAGE_ARGS})

# Without its databases the installed program cannot print the report: the
# results above really came from the installed files, not from elsewhere.
file(RENAME ${PREFIX}/lib/hehun/Tgcode.dll ${WORK_DIR}/Tgcode.dll)
file(RENAME ${PREFIX}/lib/hehun/BookFile.dll ${WORK_DIR}/BookFile.dll)
execute_process(COMMAND ${PREFIX}/bin/hehun-cli ${MARRIAGE_ARGS}
  WORKING_DIRECTORY ${WORK_DIR}/elsewhere OUTPUT_VARIABLE out ERROR_VARIABLE err RESULT_VARIABLE rc)
if(rc EQUAL 0 OR out STREQUAL MARRIAGE_GOLDEN)
  message(FATAL_ERROR "hehun-cli printed the report without its databases: it read them from elsewhere")
endif()
