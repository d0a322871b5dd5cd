# Helpers shared by the project's CMake files.

# Every subsystem library, for builds that treat them all alike (the fuzzers).
set(TARVO_SUBSYSTEM_LIBS "" CACHE INTERNAL "")

# tarvo_subsystem(folder [DEPENDS floor...]): a static library tarvo_<folder>
# made of every .cpp in that folder, linking the libraries of the folders on
# the floors below that it calls. Sources are globbed so that adding a file
# needs no edit here.
function(tarvo_subsystem folder)
  cmake_parse_arguments(S "" "" "DEPENDS" ${ARGN})
  file(GLOB sources CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/${folder}/*.cpp)
  set(lib tarvo_${folder})
  if(NOT sources)
    set(sources ${PROJECT_SOURCE_DIR}/cmake/empty.cpp)
  endif()
  add_library(${lib} STATIC ${sources})
  target_include_directories(${lib} PUBLIC ${PROJECT_SOURCE_DIR})
  target_link_libraries(${lib} PUBLIC OpenGL::GL PkgConfig::GLU)
  foreach(floor ${S_DEPENDS})
    target_link_libraries(${lib} PUBLIC tarvo_${floor})
  endforeach()
  set(TARVO_SUBSYSTEM_LIBS ${TARVO_SUBSYSTEM_LIBS} ${lib} CACHE INTERNAL "")
endfunction()
