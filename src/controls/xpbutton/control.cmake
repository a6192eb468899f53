# The button as a live control: properties, saved sets, input steps and the widget.
# Included by CMakeLists.txt of this folder.
add_library(korven_xpbutton STATIC
  ${CMAKE_CURRENT_LIST_DIR}/ButtonInput.h
  ${CMAKE_CURRENT_LIST_DIR}/ButtonInput.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ButtonProperties.h
  ${CMAKE_CURRENT_LIST_DIR}/ButtonProperties.cpp
  ${CMAKE_CURRENT_LIST_DIR}/XPButton.h
  ${CMAKE_CURRENT_LIST_DIR}/XPButton.cpp
  ${CMAKE_CURRENT_LIST_DIR}/PlaceFromSavedSet.h
  ${CMAKE_CURRENT_LIST_DIR}/PlaceFromSavedSet.cpp
)
target_include_directories(korven_xpbutton PUBLIC ${PROJECT_SOURCE_DIR}/src)
target_link_libraries(korven_xpbutton PUBLIC korven_xpbutton_appearance korven_host_control
                                             Qt6::Widgets)
