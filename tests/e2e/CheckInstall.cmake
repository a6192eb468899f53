# Installs the build into a scratch prefix and checks that a desktop finds everything:
# the program with its converter beside it, the menu entry, and the icon in the theme.
# Arguments: -DBUILD_DIR=... -DPREFIX=...
file(REMOVE_RECURSE "${PREFIX}")
execute_process(COMMAND "${CMAKE_COMMAND}" --install "${BUILD_DIR}" --prefix "${PREFIX}"
                RESULT_VARIABLE result OUTPUT_QUIET)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "cmake --install failed: ${result}")
endif()

set(expected
  bin/korven-font-converter
  bin/ttf2pgf
  share/applications/korven-font-converter.desktop
  share/icons/hicolor/32x32/apps/korven-font-converter.png
  share/icons/hicolor/48x48/apps/korven-font-converter.png
  share/icons/hicolor/128x128/apps/korven-font-converter.png)
foreach(path IN LISTS expected)
  if(NOT EXISTS "${PREFIX}/${path}")
    message(FATAL_ERROR "missing after install: ${path}")
  endif()
endforeach()

# The menu entry must start the installed program by name, hand it the font a file manager
# opens with it, offer it for font files and use the themed icon.
file(READ "${PREFIX}/share/applications/korven-font-converter.desktop" entry)
foreach(line "Type=Application" "Exec=korven-font-converter %f" "Icon=korven-font-converter"
             "Terminal=false" "MimeType=font/ttf;font/otf;font/collection;application/x-font-ttf;")
  string(FIND "${entry}" "\n${line}\n" at)
  if(at EQUAL -1)
    message(FATAL_ERROR "desktop entry lacks the line: ${line}")
  endif()
endforeach()
file(REMOVE_RECURSE "${PREFIX}")
