include(GoogleTest)

# korven_add_gtest(NAME LABEL unit|gui|e2e SOURCES file... LIBS lib...)
# NAME is test_<what it tests>, e.g. test_host_toolkit.
# Builds one GoogleTest executable and registers its cases with ctest under LABEL, so
# `ctest -L unit` runs the fast tests that need no window, `-L gui` the windows and the
# live controls, and `-L e2e` the program as a user meets it. Tests run on Qt's offscreen
# platform at a fixed scale so pixel checks do not depend on a desktop.
function(korven_add_gtest name)
  cmake_parse_arguments(ARG "" "LABEL" "SOURCES;LIBS" ${ARGN})
  if(NOT name MATCHES "^test_[a-z0-9_]+$")
    message(FATAL_ERROR "korven_add_gtest(${name}): test targets are named test_<what it tests>")
  endif()
  if(NOT ARG_LABEL MATCHES "^(unit|gui|e2e)$")
    message(FATAL_ERROR "korven_add_gtest(${name}): LABEL must be unit, gui or e2e")
  endif()
  qt_add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE ${ARG_LIBS} GTest::gtest GTest::gmock Qt6::Test
                                        korven_build_settings)
  if(NOT ARG_SOURCES MATCHES "main\\.cpp")
    target_link_libraries(${name} PRIVATE korven_test_main)
  endif()
  gtest_discover_tests(${name}
    DISCOVERY_MODE PRE_TEST
    PROPERTIES
      LABELS ${ARG_LABEL}
      ENVIRONMENT
      "QT_QPA_PLATFORM=offscreen;QT_ENABLE_HIGHDPI_SCALING=0;QT_SCALE_FACTOR=1;KORVEN_SOURCE_DIR=${PROJECT_SOURCE_DIR}")
endfunction()
