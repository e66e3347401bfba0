# Cross build for Windows on i686 with Debian's mingw-w64 (posix threads).
# FERROWIND_WINDEPS names the prefix that tools/windeps.sh filled with the
# Windows builds of SDL, SDL_mixer, GLEW and DevIL.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR i686)

set(FERROWIND_MINGW_HOST i686-w64-mingw32)
set(CMAKE_C_COMPILER ${FERROWIND_MINGW_HOST}-gcc-posix)
set(CMAKE_CXX_COMPILER ${FERROWIND_MINGW_HOST}-g++-posix)
set(CMAKE_RC_COMPILER ${FERROWIND_MINGW_HOST}-windres)

if(NOT FERROWIND_WINDEPS AND DEFINED ENV{FERROWIND_WINDEPS})
  set(FERROWIND_WINDEPS $ENV{FERROWIND_WINDEPS})
endif()
# Checks that CMake compiles on the side see the same prefix.
list(APPEND CMAKE_TRY_COMPILE_PLATFORM_VARIABLES FERROWIND_WINDEPS)

set(CMAKE_FIND_ROOT_PATH /usr/${FERROWIND_MINGW_HOST} ${FERROWIND_WINDEPS})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# pkg-config must see the prefix's .pc files only, never the host's SDL.
if(FERROWIND_WINDEPS)
  set(ENV{PKG_CONFIG_LIBDIR} ${FERROWIND_WINDEPS}/lib/pkgconfig)
  set(ENV{PKG_CONFIG_PATH} "")
endif()
