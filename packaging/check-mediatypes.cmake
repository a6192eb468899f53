# Fails unless the metainfo's <mediatype> entries are exactly the desktop entry's MimeType list,
# so that software centres offer the program for the same files the desktop opens with it.
# Arguments: -DDESKTOP=file.desktop -DMETAINFO=file.metainfo.xml
file(READ ${DESKTOP} desktop)
string(REGEX MATCH "\nMimeType=[^\n]*" mime_line "${desktop}")
string(REGEX REPLACE "^\nMimeType=" "" desktop_types "${mime_line}")
string(REGEX REPLACE ";$" "" desktop_types "${desktop_types}")
file(READ ${METAINFO} metainfo)
string(REGEX MATCHALL "<mediatype>[^<]*</mediatype>" entries "${metainfo}")
set(metainfo_types)
foreach(entry IN LISTS entries)
  string(REGEX REPLACE "</?mediatype>" "" type "${entry}")
  list(APPEND metainfo_types ${type})
endforeach()
list(SORT desktop_types)
list(SORT metainfo_types)
if(NOT desktop_types STREQUAL metainfo_types)
  message(FATAL_ERROR "desktop entry: ${desktop_types}\nmetainfo:      ${metainfo_types}")
endif()
