# SPDX-FileCopyrightText: 2026 Vedrix developers
# SPDX-License-Identifier: GPL-3.0-or-later

# Writes the Debian changelog of the package from NEWS, one entry per release:
#   cmake -DNEWS=NEWS -DOUTPUT=changelog -DPACKAGE=vedrix -DMAINTAINER="Name <address>" -P DebianChangelog.cmake
# A release in NEWS is a line "VERSION (YYYY-MM-DD)", followed by items that start with "- " and go on in
# lines indented by two spaces. The entry's date is the release's day, so the file is the same whenever
# it is made.

# A list element per line; semicolons, which would split a line, wait as a placeholder.
file(READ ${NEWS} text)
string(REPLACE ";" "<semicolon>" text "${text}")
string(REPLACE "\n" ";" lines "${text}")
set(out "")
set(entry "")
set(trailer "")

# Sakamoto's rule: 0 is Sunday.
function(week_day year month day result)
  set(offsets 0 3 2 5 0 3 5 1 4 6 2 4)
  math(EXPR index "${month} - 1")
  list(GET offsets ${index} offset)
  if(month LESS 3)
    math(EXPR year "${year} - 1")
  endif()
  math(EXPR n "(${year} + ${year} / 4 - ${year} / 100 + ${year} / 400 + ${offset} + ${day}) % 7")
  set(${result} ${n} PARENT_SCOPE)
endfunction()

set(day_names Sun Mon Tue Wed Thu Fri Sat)
set(month_names Jan Feb Mar Apr May Jun Jul Aug Sep Oct Nov Dec)
set(in_release FALSE)
foreach(line IN LISTS lines)
  if(line MATCHES "^([0-9][^ ]*) \\(([0-9][0-9][0-9][0-9])-([0-9][0-9])-([0-9][0-9])\\)$")
    set(version ${CMAKE_MATCH_1})
    set(year ${CMAKE_MATCH_2})
    math(EXPR month "${CMAKE_MATCH_3}")
    math(EXPR day "${CMAKE_MATCH_4}")
    week_day(${year} ${month} ${day} wday)
    list(GET day_names ${wday} day_name)
    math(EXPR month_index "${month} - 1")
    list(GET month_names ${month_index} month_name)
    set(padded ${day})
    if(day LESS 10)
      set(padded "0${day}")
    endif()
    string(APPEND out "${trailer}${PACKAGE} (${version}) unstable; urgency=medium\n\n")
    set(trailer "\n -- ${MAINTAINER}  ${day_name}, ${padded} ${month_name} ${year} 00:00:00 +0000\n\n")
    set(in_release TRUE)
  elseif(in_release AND line MATCHES "^- (.*)$")
    string(APPEND out "  * ${CMAKE_MATCH_1}\n")
  elseif(in_release AND line MATCHES "^  ([^ ].*)$")
    string(APPEND out "    ${CMAKE_MATCH_1}\n")
  endif()
endforeach()
if(out STREQUAL "")
  message(FATAL_ERROR "${NEWS} names no release")
endif()
string(REGEX REPLACE "\n\n$" "\n" trailer "${trailer}")
string(REPLACE "<semicolon>" ";" out "${out}${trailer}")
file(WRITE ${OUTPUT} "${out}")
