# Small AVI videos made by ffmpeg at build time in MS Video 1, which Wine's video device plays.
# saver_video_fixtures(<target> <dir>) makes the files in <dir> and has <target> depend on them.
include(${PROJECT_SOURCE_DIR}/cmake/FfmpegFixtures.cmake)

function(saver_video_fixtures target dir)
  # name | width x height | seconds
  foreach(video "one_second|64x48|1" "two_seconds|80x60|2")
    string(REPLACE "|" ";" fields "${video}")
    list(GET fields 0 name)
    list(GET fields 1 size)
    list(GET fields 2 seconds)
    saver_ffmpeg_fixture(${target} ${dir}/${name}.avi
      -f lavfi -i testsrc=size=${size}:rate=10:duration=${seconds} -c:v msvideo1)
  endforeach()
  target_compile_definitions(${target} PRIVATE SAVER_VIDEO_FIXTURES="${dir}")
endfunction()
