# Windows on i686 (mingw-w64, posix threads): models from the cache files
# only (no COLLADA reader, no expat), no music (no SMPEG), Winsock 2 for the
# sockets, winpthreads linked into the exe. The libraries come from the
# prefix that tools/windeps.sh fills; the toolchain file points pkg-config there.
if(NOT FERROWIND_WINDEPS)
  message(FATAL_ERROR "Set FERROWIND_WINDEPS to the prefix that tools/windeps.sh prints")
endif()
pkg_check_modules(SDL REQUIRED IMPORTED_TARGET sdl)
include_directories(${FERROWIND_WINDEPS}/include)
link_directories(${FERROWIND_WINDEPS}/lib)

# The platform libraries of each layer.
set(FERROWIND_NET_LIBS PkgConfig::SDL ws2_32)
set(FERROWIND_INPUT_LIBS PkgConfig::SDL opengl32)
set(FERROWIND_SOUND_LIBS SDL_mixer PkgConfig::SDL)
set(FERROWIND_RENDER_LIBS "")
set(FERROWIND_RENDER_GL_LIBS glew32 IL ILU ILUT glu32 opengl32 PkgConfig::SDL)
set(FERROWIND_LEFT_OUT
  net/PlatformPosix.cpp
  render/ZoColladaParser.cpp
  render/SaxReader.cpp
  render/ModelStoreCollada.cpp
  render/ColladaModels.cpp
  # Played from its own folder: no installed data to look for.
  game/Places.cpp)
include(cmake/Layers.cmake)

add_executable(ferrowind WIN32 program/main.cpp)
# SDL's own WinMain calls ours: mingw32 and SDLmain must come before SDL.
target_link_libraries(ferrowind PRIVATE mingw32 SDLmain ferrowind_game)
# The C and C++ runtimes and winpthreads go into the exe, so that only the
# libraries' own DLLs ship with it.
target_link_options(ferrowind PRIVATE -mwindows -static-libgcc -static-libstdc++
  -Wl,-Bstatic,--whole-archive -lwinpthread -Wl,--no-whole-archive,-Bdynamic)
