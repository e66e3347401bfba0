# The program's libraries, one per layer, lowest first. Each links only the
# layers it may call (USES), so a call against the layering fails to link in
# the unit tests of the lower layer. tools/layers.sh reads the
# ferrowind_layer lines and the name lists below: keep each call on one line.

# game/ holds the shared model (these files) and the game core (the rest).
set(FERROWIND_MODEL_NAMES BuildFlavour GameMsg GameObject Interfaces ListFile Log NetOverlay NoDevice Numbers PeerFigures Rollback SavedStates StateDigest Vector)
# render/ holds the GL-free geometry (the rest) and the OpenGL renderer (these files).
set(FERROWIND_RENDER_GL_NAMES ZoGl* UniformCache)

# Sources of a layer: the .cpp files of `dir` whose names match `names`
# (all when empty), less those of `except` and of FERROWIND_LEFT_OUT.
function(ferrowind_sources out dir names except)
  set(sources "")
  if(names)
    foreach(name ${names})
      file(GLOB found CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/${dir}/${name}.cpp)
      list(APPEND sources ${found})
    endforeach()
  else()
    file(GLOB sources CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/${dir}/*.cpp)
  endif()
  foreach(name ${except})
    file(GLOB found CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/${dir}/${name}.cpp)
    if(found)
      list(REMOVE_ITEM sources ${found})
    endif()
  endforeach()
  foreach(file ${FERROWIND_LEFT_OUT})
    list(REMOVE_ITEM sources ${CMAKE_SOURCE_DIR}/${file})
  endforeach()
  set(${out} ${sources} PARENT_SCOPE)
endfunction()

# ferrowind_layer(NAME USES layers... SOURCES files... PLATFORM libraries...)
function(ferrowind_layer name)
  cmake_parse_arguments(LAYER "" "" "USES;SOURCES;PLATFORM" ${ARGN})
  add_library(ferrowind_${name} STATIC ${LAYER_SOURCES})
  target_include_directories(ferrowind_${name} PUBLIC ${CMAKE_SOURCE_DIR})
  list(TRANSFORM LAYER_USES PREPEND ferrowind_)
  target_link_libraries(ferrowind_${name} PUBLIC ${LAYER_USES} ${LAYER_PLATFORM})
endfunction()

ferrowind_sources(MODEL_SOURCES game "${FERROWIND_MODEL_NAMES}" "")
ferrowind_sources(GAME_SOURCES game "" "${FERROWIND_MODEL_NAMES};main;Controls")
ferrowind_sources(NET_SOURCES net "" "")
ferrowind_sources(INPUT_SOURCES input "" "")
ferrowind_sources(RENDER_SOURCES render "" "${FERROWIND_RENDER_GL_NAMES}")
ferrowind_sources(RENDER_GL_SOURCES render "${FERROWIND_RENDER_GL_NAMES}" "")
ferrowind_sources(SOUND_SOURCES sound "" "")

ferrowind_layer(model SOURCES ${MODEL_SOURCES})
ferrowind_layer(net USES model SOURCES ${NET_SOURCES} PLATFORM ${FERROWIND_NET_LIBS})
ferrowind_layer(sound USES model SOURCES ${SOUND_SOURCES} PLATFORM ${FERROWIND_SOUND_LIBS})
ferrowind_layer(render USES model SOURCES ${RENDER_SOURCES} PLATFORM ${FERROWIND_RENDER_LIBS})
ferrowind_layer(render_gl USES render model SOURCES ${RENDER_GL_SOURCES} PLATFORM ${FERROWIND_RENDER_GL_LIBS})
ferrowind_layer(input USES model SOURCES ${INPUT_SOURCES} PLATFORM ${FERROWIND_INPUT_LIBS})
ferrowind_layer(game USES model net input render render_gl sound controls SOURCES ${GAME_SOURCES})

if(FERROWIND_CACHE_READER)
  target_compile_definitions(ferrowind_model PUBLIC FERROWIND_CACHE_READER)
endif()
