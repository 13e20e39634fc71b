# Small AVI videos made by ffmpeg at build time in MS Video 1, which Wine's video device plays.
# saver_video_fixtures(<target> <dir>) makes the files in <dir> and has <target> depend on them.
find_program(SAVER_FFMPEG ffmpeg REQUIRED)

function(saver_video_fixtures target dir)
  # name | width x height | seconds
  set(_videos "one_second|64x48|1" "two_seconds|80x60|2")
  set(_outputs)
  foreach(video ${_videos})
    string(REPLACE "|" ";" fields "${video}")
    list(GET fields 0 name)
    list(GET fields 1 size)
    list(GET fields 2 seconds)
    set(out ${dir}/${name}.avi)
    add_custom_command(OUTPUT ${out}
      COMMAND ${CMAKE_COMMAND} -E make_directory ${dir}
      COMMAND ${SAVER_FFMPEG} -hide_banner -loglevel error -y -f lavfi
              -i testsrc=size=${size}:rate=10:duration=${seconds} -c:v msvideo1 ${out}
      COMMENT "Making video fixture ${name}.avi" VERBATIM)
    list(APPEND _outputs ${out})
  endforeach()
  add_custom_target(${target}_avi DEPENDS ${_outputs})
  add_dependencies(${target} ${target}_avi)
  target_compile_definitions(${target} PRIVATE SAVER_VIDEO_FIXTURES="${dir}")
endfunction()
