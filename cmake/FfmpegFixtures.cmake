# Test fixtures made by ffmpeg at build time from its own generated sources, never stored in the tree.
# saver_ffmpeg_fixture(<target> <file> <ffmpeg arguments>...) makes <file> with the arguments
# (inputs and encoding, the output name is added) and has <target> depend on it.
include_guard(GLOBAL)
find_program(SAVER_FFMPEG ffmpeg REQUIRED)

function(saver_ffmpeg_fixture target file)
  get_filename_component(dir ${file} DIRECTORY)
  get_filename_component(name ${file} NAME)
  add_custom_command(OUTPUT ${file}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${dir}
    COMMAND ${SAVER_FFMPEG} -hide_banner -loglevel error -y ${ARGN} ${file}
    COMMENT "Making fixture ${name}" VERBATIM)
  string(MAKE_C_IDENTIFIER ${name} fixture)
  add_custom_target(${target}_${fixture} DEPENDS ${file})
  add_dependencies(${target} ${target}_${fixture})
endfunction()
