# korven_release_date_forms(YYYY-MM-DD MONTH_VAR CHANGELOG_VAR)
# The forms of one release date that the packaging files need: MONTH_VAR gets the manual
# pages' "December 2026", CHANGELOG_VAR the Debian changelog's "Mon, 07 Dec 2026 12:00:00 +0000"
# (noon UTC: the date is what counts). CMake cannot read a date, so the weekday is computed.
function(korven_release_date_forms date month_var changelog_var)
  if(NOT date MATCHES "^([0-9][0-9][0-9][0-9])-([0-9][0-9])-([0-9][0-9])$")
    message(FATAL_ERROR "release date ${date} is not YYYY-MM-DD")
  endif()
  set(year ${CMAKE_MATCH_1})
  set(month2 ${CMAKE_MATCH_2})
  set(day2 ${CMAKE_MATCH_3})
  # Leading zeros off, so that 08 and 09 are not read as octal.
  string(REGEX REPLACE "^0" "" month "${month2}")
  string(REGEX REPLACE "^0" "" day "${day2}")
  set(names January February March April May June July August September October November
            December)
  math(EXPR index "${month} - 1")
  list(GET names ${index} name)
  string(SUBSTRING ${name} 0 3 short)
  # The weekday by Sakamoto's method: 0 is Sunday.
  set(offsets 0 3 2 5 0 3 5 1 4 6 2 4)
  list(GET offsets ${index} offset)
  set(y ${year})
  if(month LESS 3)
    math(EXPR y "${y} - 1")
  endif()
  math(EXPR weekday "(${y} + ${y} / 4 - ${y} / 100 + ${y} / 400 + ${offset} + ${day}) % 7")
  set(days Sun Mon Tue Wed Thu Fri Sat)
  list(GET days ${weekday} dayname)
  set(${month_var} "${name} ${year}" PARENT_SCOPE)
  set(${changelog_var} "${dayname}, ${day2} ${short} ${year} 12:00:00 +0000" PARENT_SCOPE)
endfunction()
