# `cmake --build <dir> --target format` reformats every C++ file of ours in place.
find_program(CLANG_FORMAT_EXE NAMES clang-format-14 clang-format)
if(CLANG_FORMAT_EXE)
  file(GLOB_RECURSE KORVEN_FORMAT_FILES CONFIGURE_DEPENDS
    ${PROJECT_SOURCE_DIR}/src/*.cpp ${PROJECT_SOURCE_DIR}/src/*.h
    ${PROJECT_SOURCE_DIR}/tools/*.cpp ${PROJECT_SOURCE_DIR}/tools/*.h
    ${PROJECT_SOURCE_DIR}/tests/*.cpp ${PROJECT_SOURCE_DIR}/tests/*.h
    ${PROJECT_SOURCE_DIR}/bench/*.cpp ${PROJECT_SOURCE_DIR}/fuzz/*.cpp)
  add_custom_target(format COMMAND ${CLANG_FORMAT_EXE} -i ${KORVEN_FORMAT_FILES}
                    COMMENT "clang-format on the whole tree")
endif()
