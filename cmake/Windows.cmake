# Windows on i686 (mingw-w64, posix threads): models from the cache files
# only (no COLLADA reader, no expat), no music (no SMPEG), Winsock 2 for the
# sockets, winpthreads linked into the exe. The libraries come from the
# prefix that tools/windeps.sh fills; the toolchain file points pkg-config there.
if(NOT FERROWIND_WINDEPS)
  message(FATAL_ERROR "Set FERROWIND_WINDEPS to the prefix that tools/windeps.sh prints")
endif()
pkg_check_modules(SDL REQUIRED IMPORTED_TARGET sdl)

list(REMOVE_ITEM CORE_SOURCES
  ${CMAKE_SOURCE_DIR}/net/PlatformPosix.cpp
  ${CMAKE_SOURCE_DIR}/render/ZoColladaParser.cpp
  ${CMAKE_SOURCE_DIR}/render/SaxReader.cpp
  ${CMAKE_SOURCE_DIR}/render/ModelStoreCollada.cpp
  ${CMAKE_SOURCE_DIR}/render/ColladaModels.cpp
  # Played from its own folder: no installed data to look for.
  ${CMAKE_SOURCE_DIR}/game/Places.cpp)

add_library(ferrowind_core STATIC ${CORE_SOURCES})
target_include_directories(ferrowind_core PUBLIC ${CMAKE_SOURCE_DIR} ${FERROWIND_WINDEPS}/include)
target_link_directories(ferrowind_core PUBLIC ${FERROWIND_WINDEPS}/lib)
target_link_libraries(ferrowind_core PUBLIC
  ferrowind_controls PkgConfig::SDL SDL_mixer glew32 IL ILU ILUT glu32 opengl32 ws2_32)

add_executable(ferrowind WIN32 game/main.cpp)
# SDL's own WinMain calls ours: mingw32 and SDLmain must come before SDL.
target_link_libraries(ferrowind PRIVATE mingw32 SDLmain ferrowind_core)
# The C and C++ runtimes and winpthreads go into the exe, so that only the
# libraries' own DLLs ship with it.
target_link_options(ferrowind PRIVATE -mwindows -static-libgcc -static-libstdc++
  -Wl,-Bstatic,--whole-archive -lwinpthread -Wl,--no-whole-archive,-Bdynamic)
