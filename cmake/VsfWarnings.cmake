# Warnings are errors for our own targets; third-party code is included as SYSTEM.
add_compile_options(-Wall -Wextra -Wpedantic -Wshadow -Wnon-virtual-dtor -Werror)
if(VSF_SANITIZE)
  add_compile_options(-fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer)
  add_link_options(-fsanitize=address,undefined)
endif()
if(WIN32)
  # The C99 printf family (two-digit exponents, as glibc and the current Windows C runtime
  # write them), not msvcrt's: scene files must not depend on the platform.
  add_compile_definitions(__USE_MINGW_ANSI_STDIO=1)
  # No MinGW runtime DLL is needed next to the programs when they run under Wine or Windows.
  add_link_options(-static-libgcc -static-libstdc++)
  set(CMAKE_EXE_LINKER_FLAGS "${CMAKE_EXE_LINKER_FLAGS} -static")
endif()
