# SPDX-FileCopyrightText: 2026 Vedrix developers
# SPDX-License-Identifier: GPL-3.0-or-later

# Read by cpack before it packs (CPACK_PROJECT_CONFIG_FILE): the Debian package's Depends and Recommends.
# dpkg-shlibdeps finds the libraries that the program and the web module link. The program's are
# Depends. Those only the module needs (QtWebEngine, Qt Quick) are Recommends: the program loads the
# module when a web page is first shown, and without it the player works all the same while the page's
# place says that web pages cannot be shown; the web engine is some 200 MB that a minimal system may
# leave out. apt installs Recommends by default.
if(NOT CPACK_GENERATOR STREQUAL "DEB")
  return()
endif()

set(work ${CPACK_PACKAGE_DIRECTORY}/_CPack_shlibdeps)
file(MAKE_DIRECTORY ${work}/debian)
file(WRITE ${work}/debian/control "Source: ${CPACK_PACKAGE_NAME}\n\nPackage: ${CPACK_PACKAGE_NAME}\nArchitecture: any\n")
execute_process(
  COMMAND dpkg-shlibdeps -O -dDepends -e${CPACK_VEDRIX_PROGRAM} -dRecommends -e${CPACK_VEDRIX_WEB_MODULE}
  WORKING_DIRECTORY ${work}
  OUTPUT_VARIABLE substvars ERROR_VARIABLE errors RESULT_VARIABLE result)
file(REMOVE_RECURSE ${work})
if(NOT result EQUAL 0)
  message(FATAL_ERROR "dpkg-shlibdeps failed: ${errors}")
endif()

# A field: what dpkg-shlibdeps found for it and the packages named beside, sorted.
function(package_field name extra result)
  set(found "")
  if(substvars MATCHES "shlibs:${name}=([^\n]*)")
    string(REPLACE ", " ";" found "${CMAKE_MATCH_1}")
  endif()
  list(APPEND found ${extra})
  list(SORT found)
  list(REMOVE_DUPLICATES found)
  list(JOIN found ", " joined)
  set(${result} "${joined}" PARENT_SCOPE)
endfunction()
package_field(Depends "${CPACK_VEDRIX_DEPENDS}" CPACK_DEBIAN_PACKAGE_DEPENDS)
package_field(Recommends "${CPACK_VEDRIX_RECOMMENDS}" CPACK_DEBIAN_PACKAGE_RECOMMENDS)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS OFF)
