# Helpers shared by the project's CMake files.

set(TARVO_SUBSYSTEM_LIBS "" CACHE INTERNAL "")

# tarvo_subsystem(folder): a static library tarvo_<folder> made of every .cpp
# in that folder. Sources are globbed so that adding a file needs no edit here.
function(tarvo_subsystem folder)
  file(GLOB sources CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/${folder}/*.cpp)
  set(lib tarvo_${folder})
  if(NOT sources)
    set(sources ${PROJECT_SOURCE_DIR}/cmake/empty.cpp)
  endif()
  add_library(${lib} STATIC ${sources})
  target_include_directories(${lib} PUBLIC ${PROJECT_SOURCE_DIR})
  target_link_libraries(${lib} PUBLIC OpenGL::GL PkgConfig::GLU)
  set(TARVO_SUBSYSTEM_LIBS ${TARVO_SUBSYSTEM_LIBS} ${lib} CACHE INTERNAL "")
endfunction()
