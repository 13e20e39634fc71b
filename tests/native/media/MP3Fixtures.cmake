# Small MP3 tracks made by ffmpeg at build time (a 440 Hz tone), never stored in the tree.
# saver_mp3_fixtures(<target> <dir>) makes the files in <dir> and has <target> depend on them.
find_program(SAVER_FFMPEG ffmpeg REQUIRED)

function(saver_mp3_fixtures target dir)
  # name | seconds | sample rate | channels | bitrate
  set(_tracks
    "mpeg1_stereo_128k|3|44100|2|128k"
    "mpeg2_stereo_64k|3|22050|2|64k"
    "mpeg1_mono_64k|3|44100|1|64k"
    "mpeg1_stereo_long|20|44100|2|128k")
  set(_outputs)
  foreach(track ${_tracks})
    string(REPLACE "|" ";" fields "${track}")
    list(GET fields 0 name)
    list(GET fields 1 seconds)
    list(GET fields 2 rate)
    list(GET fields 3 channels)
    list(GET fields 4 bitrate)
    set(out ${dir}/${name}.mp3)
    add_custom_command(OUTPUT ${out}
      COMMAND ${CMAKE_COMMAND} -E make_directory ${dir}
      COMMAND ${SAVER_FFMPEG} -hide_banner -loglevel error -y -f lavfi
              -i sine=frequency=440:duration=${seconds} -ar ${rate} -ac ${channels} -b:a ${bitrate} ${out}
      COMMENT "Making MP3 fixture ${name}.mp3" VERBATIM)
    list(APPEND _outputs ${out})
  endforeach()
  add_custom_target(${target}_mp3 DEPENDS ${_outputs})
  add_dependencies(${target} ${target}_mp3)
  target_compile_definitions(${target} PRIVATE SAVER_MP3_FIXTURES="${dir}")
endfunction()
