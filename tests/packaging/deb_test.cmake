# cpack -G DEB: the package's control data (name, version, dependencies on the
# Qt 6, SQLite and font packages of Debian 12, no maintainer scripts, the
# site configuration a conffile), its files, a valid desktop entry whose
# program and icon are in the package, and the unpacked programs work.
include(${CMAKE_CURRENT_LIST_DIR}/common.cmake)

foreach(tool CPACK DPKG_DEB DESKTOP_FILE_VALIDATE)
  if(NOT ${tool} OR NOT EXISTS ${${tool}})
    message(FATAL_ERROR "${tool} not found (Debian packages cmake, dpkg, desktop-file-utils)")
  endif()
endforeach()

file(REMOVE_RECURSE ${WORK_DIR})
file(MAKE_DIRECTORY ${WORK_DIR})
execute_process(COMMAND ${CPACK} -G DEB -B ${WORK_DIR} --config ${BUILD_DIR}/CPackConfig.cmake
  WORKING_DIRECTORY ${BUILD_DIR} OUTPUT_VARIABLE out ERROR_VARIABLE err RESULT_VARIABLE rc)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "cpack failed (${rc}):\n${out}\n${err}")
endif()
file(GLOB debs ${WORK_DIR}/*.deb)
list(LENGTH debs count)
if(NOT count EQUAL 1)
  message(FATAL_ERROR "expected one .deb in ${WORK_DIR}, found: ${debs}")
endif()
get_filename_component(name ${debs} NAME)
if(NOT name MATCHES "^hehun_[0-9.]+-[0-9]+_[a-z0-9]+\\.deb$")
  message(FATAL_ERROR "unexpected package file name ${name}")
endif()

function(dpkg_deb result)
  execute_process(COMMAND ${DPKG_DEB} ${ARGN} OUTPUT_VARIABLE out ERROR_VARIABLE err RESULT_VARIABLE rc)
  if(NOT rc EQUAL 0)
    message(FATAL_ERROR "dpkg-deb ${ARGN} failed:\n${err}")
  endif()
  set(${result} "${out}" PARENT_SCOPE)
endfunction()

# Control data.
dpkg_deb(info --info ${debs})
dpkg_deb(depends --field ${debs} Depends)
foreach(part "Package: hehun" "Section: utils" "Maintainer: 瑞祺八字合婚 maintainers <hehun@maintainers.invalid>"
             "Description: ")
  expect_contains("${info}" "${part}" "dpkg-deb --info")
endforeach()
foreach(dependency libqt6core6 libqt6gui6 libqt6widgets6 libqt6printsupport6 libsqlite3-0 libstdc++6
                   qt6-qpa-plugins "fonts-noto-cjk | fonts-wqy-microhei")
  expect_contains("${depends}" "${dependency}" "Depends")
endforeach()
if(info MATCHES "(preinst|postinst|prerm|postrm|triggers)")
  message(FATAL_ERROR "the package runs maintainer scripts:\n${info}")
endif()
dpkg_deb(conffiles --info ${debs} conffiles)
if(NOT conffiles STREQUAL "/etc/hehun/contacts.ini\n")
  message(FATAL_ERROR "conffiles: ${conffiles}")
endif()

# Files: the installed tree under /usr, the site configuration in /etc.
dpkg_deb(contents --contents ${debs})
foreach(file ${INSTALLED_FILES})
  expect_contains("${contents}" " ./usr/${file}\n" "dpkg-deb --contents")
endforeach()
expect_contains("${contents}" " ./etc/hehun/contacts.ini\n" "dpkg-deb --contents")
string(REGEX MATCHALL " \\./(usr|etc)/[^\n]*[^/\n]\n" files "${contents}")
list(LENGTH files fileCount)
list(LENGTH INSTALLED_FILES expectedCount)
math(EXPR expectedCount "${expectedCount} + 1")
if(NOT fileCount EQUAL expectedCount)
  message(FATAL_ERROR "the package holds ${fileCount} files, an installation ${expectedCount}:\n${contents}")
endif()

# Unpacked: the desktop entry is valid and names what the package brings.
dpkg_deb(ignored -x ${debs} ${WORK_DIR}/root)
set(desktop ${WORK_DIR}/root/usr/share/applications/hehun.desktop)
execute_process(COMMAND ${DESKTOP_FILE_VALIDATE} ${desktop} OUTPUT_VARIABLE out ERROR_VARIABLE err RESULT_VARIABLE rc)
if(NOT rc EQUAL 0 OR NOT "${out}${err}" STREQUAL "")
  message(FATAL_ERROR "desktop-file-validate:\n${out}${err}")
endif()
file(READ ${desktop} entry)
foreach(line "Name=瑞祺八字合婚配软件\n" "Comment=八字合婚" "Exec=hehun\n" "Icon=hehun\n" "Categories=Utility;")
  expect_contains("${entry}" "${line}" "hehun.desktop")
endforeach()

# The packaged programs run from the unpacked tree, reading usr/share/hehun.
file(MAKE_DIRECTORY ${WORK_DIR}/elsewhere)
expect_output(${WORK_DIR}/elsewhere "${PILLARS_INPUT}" "${PILLARS_EXPECTED}" ${WORK_DIR}/root/usr/bin/hehun-cli pillars)
