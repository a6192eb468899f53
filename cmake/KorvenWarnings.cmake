# One warning policy for the whole tree; CI turns warnings into errors.
add_compile_options(-Wall -Wextra -Wpedantic)
if(KORVEN_WERROR)
  add_compile_options(-Werror)
endif()
