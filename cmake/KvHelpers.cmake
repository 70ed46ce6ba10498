# kv_add_library(<target> [DEPS <targets>...])
# A static library of every .cpp (and .qrc) in the calling folder.
function(kv_add_library target)
  cmake_parse_arguments(ARG "" "" "DEPS" ${ARGN})
  file(GLOB _sources CONFIGURE_DEPENDS
       ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp ${CMAKE_CURRENT_SOURCE_DIR}/*.h
       ${CMAKE_CURRENT_SOURCE_DIR}/*.qrc)
  if(NOT _sources MATCHES "\\.cpp")
    return()
  endif()
  add_library(${target} STATIC ${_sources})
  target_link_libraries(${target} PUBLIC ${ARG_DEPS})
endfunction()

# kv_embed_text(<output.cpp> <symbol> <input file>)
# Makes a source file that holds the input file's bytes as a null-terminated array.
function(kv_embed_text output symbol input)
  add_custom_command(
    OUTPUT ${output}
    COMMAND ${CMAKE_COMMAND} -DINPUT=${input} -DOUTPUT=${output} -DSYMBOL=${symbol}
            -P ${PROJECT_SOURCE_DIR}/cmake/EmbedText.cmake
    DEPENDS ${input} ${PROJECT_SOURCE_DIR}/cmake/EmbedText.cmake
    VERBATIM)
endfunction()
