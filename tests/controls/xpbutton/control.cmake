# The live button driven on the offscreen platform: input sequences, properties, persistence.
korven_add_gtest(test_xpbutton_control LABEL gui
  SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/ButtonFixture.h
    ${CMAKE_CURRENT_LIST_DIR}/XPButtonInputTest.cpp
    ${CMAKE_CURRENT_LIST_DIR}/XPButtonPropertiesTest.cpp
  LIBS korven_xpbutton korven_xpbutton_appearance korven_host_surface)
