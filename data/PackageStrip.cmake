# SPDX-FileCopyrightText: 2026 Vedrix developers
# SPDX-License-Identifier: GPL-3.0-or-later

# Run by cpack once it has installed and stripped the package's files (CPACK_PRE_BUILD_SCRIPTS): takes
# out of each ELF file the .comment and .note sections, which only name the compiler, as Debian's
# dh_strip does.
file(GLOB_RECURSE files LIST_DIRECTORIES false ${CPACK_TEMPORARY_INSTALL_DIRECTORY}/*)
foreach(file IN LISTS files)
  if(IS_SYMLINK ${file})
    continue()
  endif()
  file(READ ${file} magic LIMIT 4 HEX)
  if(magic STREQUAL "7f454c46")
    execute_process(COMMAND ${CPACK_VEDRIX_STRIP} --remove-section=.comment --remove-section=.note ${file}
      RESULT_VARIABLE result ERROR_VARIABLE errors)
    if(NOT result EQUAL 0)
      message(FATAL_ERROR "${CPACK_VEDRIX_STRIP} ${file}: ${errors}")
    endif()
  endif()
endforeach()
