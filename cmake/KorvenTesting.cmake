include(GoogleTest)

# korven_add_gtest(NAME SOURCES file... LIBS lib...)
# Builds one GoogleTest executable and registers its cases with ctest. Tests run on
# Qt's offscreen platform at a fixed scale so pixel checks do not depend on a desktop.
function(korven_add_gtest name)
  cmake_parse_arguments(ARG "" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE ${ARG_LIBS} GTest::gtest GTest::gmock Qt6::Test)
  if(NOT ARG_SOURCES MATCHES "main\\.cpp")
    target_link_libraries(${name} PRIVATE korven_test_main)
  endif()
  gtest_discover_tests(${name}
    DISCOVERY_MODE PRE_TEST
    PROPERTIES ENVIRONMENT
      "QT_QPA_PLATFORM=offscreen;QT_ENABLE_HIGHDPI_SCALING=0;QT_SCALE_FACTOR=1;KORVEN_SOURCE_DIR=${PROJECT_SOURCE_DIR}")
endfunction()
