# The program's libraries, one per layer, lowest first, each built from the
# folder of its name. Each links only the layers it may call (USES), so a call
# against the layering fails to link in the unit tests of the lower layer.
# tools/layers.sh reads the ferrowind_layer lines: keep each call on one line.

# ferrowind_layer(NAME USES layers... PLATFORM libraries...): the .cpp files of
# folder NAME, less those of FERROWIND_LEFT_OUT.
function(ferrowind_layer name)
  cmake_parse_arguments(LAYER "" "" "USES;PLATFORM" ${ARGN})
  file(GLOB sources CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/${name}/*.cpp)
  foreach(file ${FERROWIND_LEFT_OUT})
    list(REMOVE_ITEM sources ${CMAKE_SOURCE_DIR}/${file})
  endforeach()
  add_library(ferrowind_${name} STATIC ${sources})
  target_include_directories(ferrowind_${name} PUBLIC ${CMAKE_SOURCE_DIR})
  list(TRANSFORM LAYER_USES PREPEND ferrowind_)
  target_link_libraries(ferrowind_${name} PUBLIC ${LAYER_USES} ${LAYER_PLATFORM})
endfunction()

ferrowind_layer(model)
ferrowind_layer(net USES model PLATFORM ${FERROWIND_NET_LIBS})
ferrowind_layer(sound USES model PLATFORM ${FERROWIND_SOUND_LIBS})
ferrowind_layer(render USES model PLATFORM ${FERROWIND_RENDER_LIBS})
ferrowind_layer(render_gl USES render model PLATFORM ${FERROWIND_RENDER_GL_LIBS})
ferrowind_layer(input USES model PLATFORM ${FERROWIND_INPUT_LIBS})
ferrowind_layer(game USES model net input render render_gl sound controls)

if(FERROWIND_CACHE_READER)
  target_compile_definitions(ferrowind_model PUBLIC FERROWIND_CACHE_READER)
endif()
