# How a target of ours is made.
#
# korven_build_settings: the compile and link settings every target of ours takes, linked
# PRIVATE: the warning policy, -Werror when KORVEN_WERROR is on (CI), and the sanitizers
# when KORVEN_SANITIZE is on. korven_add_library and korven_add_gtest link it themselves;
# an executable made with qt_add_executable or add_executable links it by hand.
add_library(korven_build_settings INTERFACE)
target_compile_options(korven_build_settings INTERFACE -Wall -Wextra -Wpedantic)
if(KORVEN_WERROR)
  target_compile_options(korven_build_settings INTERFACE -Werror)
endif()
# The sanitizer build runs the same suite; any report fails the run.
if(KORVEN_SANITIZE)
  set(sanitize -fsanitize=address,undefined -fno-sanitize-recover=all)
  target_compile_options(korven_build_settings INTERFACE ${sanitize} -fno-omit-frame-pointer)
  target_link_options(korven_build_settings INTERFACE ${sanitize})
endif()

# korven_add_library(NAME [BASE folder] source...)
# A static library whose users see only its own headers: the headers among its sources, at
# their paths under BASE (default src/), so "host/surface/Geometry.h" is found by exactly
# the targets that link korven_host_surface. An include of a library that is not linked,
# or one that runs against the layering, fails to compile.
function(korven_add_library name)
  cmake_parse_arguments(ARG "" "BASE" "" ${ARGN})
  add_library(${name} STATIC ${ARG_UNPARSED_ARGUMENTS})
  if(ARG_BASE)
    korven_expose_headers(${name} BASE ${ARG_BASE})
  else()
    korven_expose_headers(${name})
  endif()
  target_link_libraries(${name} PRIVATE korven_build_settings)
endfunction()

# korven_expose_headers(TARGET [BASE folder])
# Makes a folder of the build tree for TARGET alone, holding a link to each header listed
# among its sources at the header's path under BASE, and makes that folder the target's
# public include path. Folders that nest in the source tree (controls/xpbutton and
# controls/xpbutton/appearance) stay apart, because only the listed headers are linked. The
# folder is made anew at each configure, so a header taken off the list stops being visible.
function(korven_expose_headers target)
  cmake_parse_arguments(ARG "" "BASE" "" ${ARGN})
  if(NOT ARG_BASE)
    set(ARG_BASE ${PROJECT_SOURCE_DIR}/src)
  endif()
  set(root ${PROJECT_BINARY_DIR}/include/${target})
  file(REMOVE_RECURSE ${root})
  file(MAKE_DIRECTORY ${root})
  get_target_property(sources ${target} SOURCES)
  get_target_property(source_dir ${target} SOURCE_DIR)
  foreach(source IN LISTS sources)
    if(NOT source MATCHES "\\.h$")
      continue()
    endif()
    cmake_path(ABSOLUTE_PATH source BASE_DIRECTORY ${source_dir} NORMALIZE
               OUTPUT_VARIABLE header)
    cmake_path(IS_PREFIX ARG_BASE ${header} NORMALIZE inside)
    if(NOT inside)
      message(FATAL_ERROR "${target}: the header ${header} is not under ${ARG_BASE}")
    endif()
    cmake_path(RELATIVE_PATH header BASE_DIRECTORY ${ARG_BASE} OUTPUT_VARIABLE relative)
    cmake_path(GET relative PARENT_PATH folder)
    file(MAKE_DIRECTORY ${root}/${folder})
    file(CREATE_LINK ${header} ${root}/${relative} SYMBOLIC)
  endforeach()
  target_include_directories(${target} PUBLIC ${root})
endfunction()
