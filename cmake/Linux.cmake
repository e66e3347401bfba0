# Linux on x86-64: every subsystem, the COLLADA reader over expat and the
# music through SMPEG.
pkg_check_modules(SDL REQUIRED IMPORTED_TARGET sdl SDL_mixer)
pkg_check_modules(GLDEPS REQUIRED IMPORTED_TARGET glew glu gl)
pkg_check_modules(EXPAT REQUIRED IMPORTED_TARGET expat)
find_program(SMPEG_CONFIG smpeg-config REQUIRED)
execute_process(COMMAND ${SMPEG_CONFIG} --cflags OUTPUT_VARIABLE SMPEG_CFLAGS OUTPUT_STRIP_TRAILING_WHITESPACE)
execute_process(COMMAND ${SMPEG_CONFIG} --libs OUTPUT_VARIABLE SMPEG_LIBS OUTPUT_STRIP_TRAILING_WHITESPACE)
separate_arguments(SMPEG_CFLAGS)
separate_arguments(SMPEG_LIBS)
# DevIL's ILUT.pc link line is broken; link the three libraries by name.
set(DEVIL_LIBS IL ILU ILUT)

list(REMOVE_ITEM CORE_SOURCES ${CMAKE_SOURCE_DIR}/net/PlatformWin32.cpp)
add_library(ferrowind_core STATIC ${CORE_SOURCES})
target_include_directories(ferrowind_core PUBLIC ${CMAKE_SOURCE_DIR})
target_compile_options(ferrowind_core PUBLIC ${SMPEG_CFLAGS})
target_link_libraries(ferrowind_core PUBLIC
  ferrowind_controls PkgConfig::SDL PkgConfig::GLDEPS PkgConfig::EXPAT ${SMPEG_LIBS} ${DEVIL_LIBS} pthread)

add_executable(ferrowind game/main.cpp)
target_link_libraries(ferrowind PRIVATE ferrowind_core)
