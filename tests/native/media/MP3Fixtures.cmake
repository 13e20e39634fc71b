# Small MP3 tracks made by ffmpeg at build time (a 440 Hz tone).
# saver_mp3_fixtures(<target> <dir>) makes the files in <dir> and has <target> depend on them.
include(${PROJECT_SOURCE_DIR}/cmake/FfmpegFixtures.cmake)

function(saver_mp3_fixtures target dir)
  # name | seconds | sample rate | channels | bitrate
  foreach(track "mpeg1_stereo_128k|3|44100|2|128k" "mpeg2_stereo_64k|3|22050|2|64k" "mpeg1_mono_64k|3|44100|1|64k"
                "mpeg1_stereo_long|20|44100|2|128k")
    string(REPLACE "|" ";" fields "${track}")
    list(GET fields 0 name)
    list(GET fields 1 seconds)
    list(GET fields 2 rate)
    list(GET fields 3 channels)
    list(GET fields 4 bitrate)
    saver_ffmpeg_fixture(${target} ${dir}/${name}.mp3
      -f lavfi -i sine=frequency=440:duration=${seconds} -ar ${rate} -ac ${channels} -b:a ${bitrate})
  endforeach()
  target_compile_definitions(${target} PRIVATE SAVER_MP3_FIXTURES="${dir}")
endfunction()
