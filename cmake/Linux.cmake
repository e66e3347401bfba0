# Linux on x86-64: every subsystem, the COLLADA reader over expat and the
# music through SMPEG.
pkg_check_modules(SDL REQUIRED IMPORTED_TARGET sdl)
pkg_check_modules(MIXER REQUIRED IMPORTED_TARGET SDL_mixer)
pkg_check_modules(GL REQUIRED IMPORTED_TARGET gl)
pkg_check_modules(GLDEPS REQUIRED IMPORTED_TARGET glew glu)
pkg_check_modules(EXPAT REQUIRED IMPORTED_TARGET expat)
find_package(Threads REQUIRED)
find_program(SMPEG_CONFIG smpeg-config REQUIRED)
execute_process(COMMAND ${SMPEG_CONFIG} --cflags OUTPUT_VARIABLE SMPEG_CFLAGS OUTPUT_STRIP_TRAILING_WHITESPACE)
execute_process(COMMAND ${SMPEG_CONFIG} --libs OUTPUT_VARIABLE SMPEG_LIBS OUTPUT_STRIP_TRAILING_WHITESPACE)
separate_arguments(SMPEG_CFLAGS)
separate_arguments(SMPEG_LIBS)
# DevIL's ILUT.pc link line is broken; link the three libraries by name.
set(DEVIL_LIBS IL ILU ILUT)

# The platform libraries of each layer.
set(FERROWIND_NET_LIBS PkgConfig::SDL Threads::Threads)
# Input opens the window and asks its context which renderer it got.
set(FERROWIND_INPUT_LIBS PkgConfig::SDL PkgConfig::GL)
set(FERROWIND_SOUND_LIBS PkgConfig::MIXER PkgConfig::SDL ${SMPEG_LIBS})
set(FERROWIND_RENDER_LIBS PkgConfig::EXPAT)
set(FERROWIND_RENDER_GL_LIBS PkgConfig::GLDEPS PkgConfig::GL ${DEVIL_LIBS} PkgConfig::SDL)
set(FERROWIND_LEFT_OUT net/PlatformWin32.cpp)
include(cmake/Layers.cmake)
target_compile_options(ferrowind_sound PRIVATE ${SMPEG_CFLAGS})

add_executable(ferrowind program/main.cpp)
target_link_libraries(ferrowind PRIVATE ferrowind_game)
