# The button as a live control: properties, saved sets, input steps and the widget.
# Included by CMakeLists.txt of this folder.
korven_add_library(korven_xpbutton
  ${CMAKE_CURRENT_LIST_DIR}/ButtonInput.h
  ${CMAKE_CURRENT_LIST_DIR}/ButtonInput.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ButtonProperties.h
  ${CMAKE_CURRENT_LIST_DIR}/ButtonProperties.cpp
  ${CMAKE_CURRENT_LIST_DIR}/XPButton.h
  ${CMAKE_CURRENT_LIST_DIR}/XPButton.cpp
  ${CMAKE_CURRENT_LIST_DIR}/PlaceFromSavedSet.h
  ${CMAKE_CURRENT_LIST_DIR}/PlaceFromSavedSet.cpp
)
target_link_libraries(korven_xpbutton PUBLIC korven_xpbutton_appearance korven_host_control
                                             korven_host_surface Qt6::Widgets)
